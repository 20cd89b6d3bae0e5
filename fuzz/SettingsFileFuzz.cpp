// settings.dat as read at start, and the record written back at exit.
#include "fuzz/FuzzInput.h"
#include "platform/SettingsFile.h"

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Settings settings;
    SettingsFile(FuzzInput::file(data, size)).read(settings);
    // Whatever was read is written back as the ten entries and reads back to them.
    const QString written = SettingsFile::compose(settings);
    Settings again;
    SettingsFile::apply(written, again);
    FuzzInput::check(SettingsFile::compose(again) == written,
                     "the settings written at exit read back to the same entries");
    return 0;
}
