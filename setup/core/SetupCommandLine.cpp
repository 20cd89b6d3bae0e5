#include "setup/core/SetupCommandLine.h"

#include <algorithm>

namespace Quillorn {

SetupCommandLine::Request SetupCommandLine::parse(const std::vector<std::string>& arguments)
{
    Request request;
    for (size_t i = 0; i < arguments.size() && request.wrongArgument.empty(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--unattended") {
            request.unattended = true;
        } else if (argument == "--help" || argument == "-h") {
            request.help = true;
        } else if (argument == "--no-desktop-icon") {
            request.desktopIcon = false;
        } else if (argument == "--dir" && hasValue && !arguments[i + 1].empty()) {
            request.folder = arguments[++i];
        } else if (argument == "--language" && hasValue &&
                   SetupStrings::fromFolderName(arguments[i + 1])) {
            request.language = *SetupStrings::fromFolderName(arguments[++i]);
        } else {
            request.wrongArgument = argument;
        }
    }
    return request;
}

SetupCommandLine::Request SetupCommandLine::parse(int argc, const char* const* argv)
{
    return parse(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
}

} // namespace Quillorn
