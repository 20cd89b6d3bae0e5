// A "plugin" line of the settings.
#include "fuzz/FuzzInput.h"
#include "settings/PluginLine.h"

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString value = QString::fromUtf8(FuzzInput::bytes(data, size));
    if (const std::optional<PluginLine> line = PluginLine::parse(value)) {
        FuzzInput::check(!line->file.isEmpty(), "a line has a file");
        line->path(QStringLiteral("/opt/quillorn/"));
    }
    // The Plug-Ins page names a line after a file of the plug-ins folder.
    if (!value.isEmpty() && !value.contains(QLatin1Char('\\')) &&
        !value.contains(QLatin1Char('/'))) {
        const std::optional<PluginLine> named = PluginLine::parse(PluginLine::forFile(value));
        FuzzInput::check(named && named->file == value, "the line made for a file names that file");
    }
    return 0;
}
