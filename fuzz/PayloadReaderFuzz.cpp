// The installer's payload found in its own program bytes.
#include "fuzz/FuzzInput.h"
#include "setup/core/PayloadReader.h"

#include <QStringList>

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray program = FuzzInput::bytes(data, size);
    const PayloadReader::Result result =
        PayloadReader::read({program.constData(), size_t(program.size())});
    for (const PayloadReader::File& file : result.files) {
        FuzzInput::check(file.bytes.empty() || (file.bytes.data() >= program.constData() &&
                                                file.bytes.data() + file.bytes.size() <=
                                                    program.constData() + program.size()),
                         "a file's bytes lie inside the program");
        const QString path = QString::fromStdString(file.path);
        FuzzInput::check(!path.isEmpty() && !path.startsWith(QLatin1Char('/')) &&
                             !path.split(QLatin1Char('/')).contains(QLatin1String("..")),
                         "a file lies below the installation folder");
    }
    return 0;
}
