#pragma once

#include <string>
#include <vector>

namespace Quillorn {

// The names the installer, its payload writer and the uninstaller agree on: the programs, the
// log, the settings file, and the files the programs write as they run, which no installer
// carries and every uninstaller removes.
class InstallationFiles {
public:
    static std::string editor() { return "quillorn"; }
    static std::string uninstaller() { return "uninstall"; }
    static std::string installer() { return "quillsetup"; }
    static std::string log() { return "install.log"; }
    // The editor's settings file, as the editor names it.
    static std::string settings() { return "settings.dat"; }
    // The picture of the desktop entries.
    static std::string icon() { return "icons/quillorn.svg"; }

    // Below the installation folder, folders joined by "/": the settings, the last session,
    // the log, the work files of the Tidy plug-in.
    static std::vector<std::string> runTimeFiles();
};

} // namespace Quillorn
