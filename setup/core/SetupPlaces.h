#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Quillorn {

// Where the installer writes outside the installation folder, taken from the user's XDG
// folders: the program's entry on the desktop, the menu folder with the program, web-site
// and uninstaller entries, the record of the last installation folder; and the folder it
// proposes. The uninstaller removes no other entries than these. Paths are bytes.
class SetupPlaces {
public:
    // The places of the user running the program now: the data folder is XDG_DATA_HOME, else
    // HOME/.local/share; the desktop is XDG_DESKTOP_DIR of $XDG_CONFIG_HOME/user-dirs.dirs
    // (HOME/.config when unset), else HOME/Desktop.
    static SetupPlaces current();

    std::string desktopEntry() const { return m_desktopFolder + "/Quillorn.desktop"; }
    const std::string& menuFolder() const { return m_menuFolder; }
    // The entries of the menu folder: the program, the web site, the uninstaller.
    std::string programEntry() const { return m_menuFolder + "/Quillorn.desktop"; }
    std::string webSiteEntry() const { return m_menuFolder + "/Quillorn-website.desktop"; }
    std::string uninstallEntry() const { return m_menuFolder + "/Quillorn-uninstall.desktop"; }
    std::vector<std::string> entries() const
    {
        return {desktopEntry(), programEntry(), webSiteEntry(), uninstallEntry()};
    }

    // The one-line record of the last installation folder.
    const std::string& record() const { return m_record; }
    // The folder named on the record's first line, or else the default folder (with a trailing
    // "/").
    std::string proposedFolder() const;

private:
    std::string m_desktopFolder;
    std::string m_menuFolder;
    std::string m_record;
    std::string m_defaultFolder;
};

} // namespace Quillorn
