#pragma once

#include "platform/posix/Descriptor.h"
#include "platform/posix/Mapping.h"
#include "setup/core/PayloadReader.h"
#include "setup/core/SetupPlaces.h"
#include "setup/core/SetupStrings.h"

#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace Quillorn {

// One installation into a chosen folder, carried out step by step as the setup window shows
// it: the folders, the unpacking, each file with its line in the log, the settings file, the
// desktop entries and the record of the folder. Each step tells its progress and the pause the
// window makes after it. Nothing is written before the whole payload has been read and
// checked, and the first step that fails stops the installation with its reason.
class Installation {
public:
    struct Choice {
        std::string folder; // the installation folder; made absolute, with a trailing "/"
        SetupLanguage language = SetupLanguage::English;
        bool desktopIcon = true;
    };

    struct Step {
        bool done = false; // the last step has run
        int pauseMs = 0;   // the pause after this step in the window
        std::string error; // why the step failed; no step follows
    };

    // Told the bar's value (0 to 100) and the action shown above it after each step.
    using Listener = std::function<void(int bar, const std::string& action)>;

    Installation(const Choice& choice, SetupPlaces places, Listener listener = {});

    // Reads the installer's own file and checks its payload. Empty when the installation can
    // start, else the message for the user.
    std::string prepare(const std::string& installerPath);

    // Carries out the next step; `prepare` has succeeded.
    Step next();

    // Every step at once, without pauses: empty, or the message of the step that failed.
    std::string runToEnd();

private:
    void show(int bar, const std::string& action);
    Step failed(const std::string& path, int error) const;
    // Makes `folder` and the folders above it: 0, or the errno of the failure.
    int makeFolder(const std::string& folder);
    // Writes the next file of the payload.
    Step writeFile(size_t index);
    // The settings file, the desktop entries, the end of the log and the record.
    Step finish();
    int logLine(std::string_view path) const;
    int writeEntry(const std::string& path, std::string_view text, bool desktop);

    SetupStrings m_strings;
    std::string m_folder;
    bool m_desktopIcon;
    SetupPlaces m_places;
    Listener m_listener;
    Posix::Mapping m_installer; // the installer's own file, which the payload's views point into
    PayloadReader::Result m_payload;
    Posix::Descriptor m_log;
    std::set<std::string> m_madeFolders;
    size_t m_next = 0;
    int m_bar = 0;
    std::string m_action;
};

} // namespace Quillorn
