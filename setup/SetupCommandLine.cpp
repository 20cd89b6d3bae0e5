#include "setup/SetupCommandLine.h"

namespace Quillorn {

SetupCommandLine::Request SetupCommandLine::parse(const QStringList& arguments)
{
    Request request;
    for (qsizetype i = 0; i < arguments.size() && request.wrongArgument.isEmpty(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--unattended")) {
            request.unattended = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            request.help = true;
        } else if (argument == QLatin1String("--no-desktop-icon")) {
            request.desktopIcon = false;
        } else if (argument == QLatin1String("--dir") && hasValue &&
                   !arguments.at(i + 1).isEmpty()) {
            request.folder = arguments.at(++i);
        } else if (argument == QLatin1String("--language") && hasValue &&
                   SetupStrings::fromFolderName(arguments.at(i + 1))) {
            request.language = *SetupStrings::fromFolderName(arguments.at(++i));
        } else {
            request.wrongArgument = argument;
        }
    }
    return request;
}

} // namespace Quillorn
