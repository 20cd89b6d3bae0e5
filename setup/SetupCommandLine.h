#pragma once

#include "setup/SetupStrings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Quillorn {

// The installer's command line: an unattended installation or the setup window, and the
// choices (folder, language, desktop entry) that preset either.
class SetupCommandLine {
public:
    struct Request {
        bool unattended = false;
        bool help = false;
        std::optional<QString> folder;
        SetupLanguage language = SetupLanguage::English;
        bool desktopIcon = true;
        QString wrongArgument; // an unknown option, or an option without its value
    };

    // Reads `arguments` (without the program name).
    static Request parse(const QStringList& arguments);
};

} // namespace Quillorn
