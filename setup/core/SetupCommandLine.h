#pragma once

#include "setup/core/Installation.h"
#include "setup/core/SetupPlaces.h"
#include "setup/core/SetupStrings.h"

#include <optional>
#include <string>
#include <vector>

namespace Quillorn {

// The installer's command line: an unattended installation or the setup window, and the
// choices (folder, language, desktop entry) that preset either. Arguments are bytes as given.
class SetupCommandLine {
public:
    struct Request {
        bool unattended = false;
        bool help = false;
        std::optional<std::string> folder;
        SetupLanguage language = SetupLanguage::English;
        bool desktopIcon = true;
        std::string wrongArgument; // an unknown option, or an option without its value

        // The choices, the folder proposed by `places` when none was given.
        Installation::Choice choice(const SetupPlaces& places) const
        {
            return {folder.value_or(places.proposedFolder()), language, desktopIcon};
        }
    };

    // Reads `arguments` (without the program name).
    static Request parse(const std::vector<std::string>& arguments);
    // Reads a program's `argv` of `argc` entries, the program name first.
    static Request parse(int argc, const char* const* argv);
};

} // namespace Quillorn
