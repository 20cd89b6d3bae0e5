#include "setup/core/SetupPlaces.h"

#include "platform/posix/Paths.h"
#include "platform/posix/RegularFile.h"
#include "setup/core/InstallLog.h"

#include <cstdlib>

namespace Quillorn {

namespace {

// The record holds one line; anything much longer is not ours.
constexpr size_t MaxRecordSize = 64 * 1024;
// A user-dirs.dirs file is a few hundred bytes.
constexpr size_t MaxUserDirsSize = 64 * 1024;

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The desktop folder that `userDirs` (the text of a user-dirs.dirs file) names, "$HOME" at its
// start standing for `home`; empty when it names none. The last line naming it counts.
std::string desktopFolderIn(std::string_view userDirs, std::string_view home)
{
    constexpr std::string_view Key = "XDG_DESKTOP_DIR=";
    std::string folder;
    for (const std::string& line : InstallLog::lines(userDirs)) {
        // A line "XDG_<name>_DIR=<value>", the name running to the last "_DIR=".
        if (line.compare(0, Key.size(), Key) != 0 || line.rfind("_DIR=") != Key.size() - 5)
            continue;
        std::string_view value = std::string_view(line).substr(Key.size());
        if (value.size() > 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        folder = value.rfind("$HOME", 0) == 0 ? std::string(home) + std::string(value.substr(5))
                                              : std::string(value);
        if (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
    }
    return folder;
}

} // namespace

SetupPlaces SetupPlaces::current()
{
    SetupPlaces places;
    const std::string home = Posix::Paths::home();
    std::string dataHome = variable("XDG_DATA_HOME");
    if (dataHome.empty())
        dataHome = home + "/.local/share";
    std::string configHome = variable("XDG_CONFIG_HOME");
    if (configHome.empty())
        configHome = home + "/.config";
    std::string userDirs;
    Posix::RegularFile::read((configHome + "/user-dirs.dirs").c_str(), MaxUserDirsSize, userDirs);
    places.m_desktopFolder = desktopFolderIn(userDirs, home);
    if (places.m_desktopFolder.empty())
        places.m_desktopFolder = home + "/Desktop";
    places.m_menuFolder = dataHome + "/applications/Quillorn";
    places.m_record = dataHome + "/Quill/install.log";
    places.m_defaultFolder = dataHome + "/Quillorn/";
    return places;
}

std::string SetupPlaces::proposedFolder() const
{
    std::string record;
    Posix::RegularFile::read(m_record.c_str(), MaxRecordSize, record);
    const std::vector<std::string> lines = InstallLog::lines(record);
    return lines.empty() ? m_defaultFolder : lines.front();
}

} // namespace Quillorn
