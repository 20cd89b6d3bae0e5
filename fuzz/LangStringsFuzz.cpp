// main.lng read for either interface language, and every string made ready for a message.
#include "fuzz/FuzzInput.h"
#include "platform/LangStrings.h"

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = FuzzInput::file(data, size);
    for (const char* language : {"english", "russian"}) {
        LangStrings strings;
        FuzzInput::check(strings.load(path, QLatin1String(language)), "a regular file loads");
        for (int id = 0; id < strings.count(); ++id)
            strings.message(static_cast<Str>(id), QStringLiteral("%2"), QStringLiteral("%1"));
    }
    return 0;
}
