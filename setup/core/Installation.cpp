#include "setup/core/Installation.h"

#include "platform/posix/FreshFile.h"
#include "platform/posix/Paths.h"
#include "setup/core/DesktopEntry.h"
#include "setup/core/InstallLog.h"
#include "setup/core/InstallationFiles.h"

#include <cassert>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace Quillorn {

namespace {

using Posix::Paths;

// The folders every installation has, whatever the payload holds.
const char* const StandardFolders[] = {"languages", "languages/russian", "languages/english",
                                       "plug-ins", "templates"};

// The address the web-site entry opens.
constexpr std::string_view WebSite = "https://www.quillorn.org/";

// `folder` as the installation uses it: absolute (from the current folder), cleaned, with one
// trailing "/"; "~" is the home folder here, also when typed into the folder box.
std::string installationFolder(const std::string& folder)
{
    std::string path = folder;
    if (path == "~" || path.rfind("~/", 0) == 0)
        path.replace(0, 1, Paths::home());
    return Paths::withTrailingSeparator(Paths::absolute(path));
}

// Programs and scripts are installed executable, everything else as plain data.
mode_t modeFor(std::string_view bytes)
{
    return bytes.rfind("\177ELF", 0) == 0 || bytes.rfind("#!", 0) == 0 ? 0755 : 0644;
}

int writeFresh(const std::string& path, std::string_view bytes, mode_t mode)
{
    return Posix::FreshFile::write(path.c_str(), bytes, mode);
}

} // namespace

Installation::Installation(const Choice& choice, SetupPlaces places, Listener listener)
    : m_strings(choice.language)
    , m_folder(installationFolder(choice.folder))
    , m_desktopIcon(choice.desktopIcon)
    , m_places(std::move(places))
    , m_listener(std::move(listener))
{
}

std::string Installation::prepare(const std::string& installerPath)
{
    Posix::RegularFile::Refusal refusal;
    int error = 0;
    m_installer = Posix::Mapping::map(installerPath.c_str(), refusal, error);
    if (refusal != Posix::RegularFile::Refusal::None)
        return SetupStrings::filled(m_strings.text(SetupStr::NotRead),
                                    {installerPath, std::strerror(error)});
    m_payload = PayloadReader::read(m_installer.bytes());
    switch (m_payload.failure) {
    case PayloadReader::Failure::None:
        return {};
    case PayloadReader::Failure::Damaged:
        return m_strings.text(SetupStr::Damaged);
    case PayloadReader::Failure::UnsafeName:
        return SetupStrings::filled(m_strings.text(SetupStr::UnsafeName), {m_payload.badName});
    }
    return {};
}

void Installation::show(int bar, const std::string& action)
{
    m_bar = bar;
    m_action = action;
    if (m_listener)
        m_listener(bar, action);
}

Installation::Step Installation::failed(const std::string& path, int error) const
{
    return {
        false, 0,
        SetupStrings::filled(m_strings.text(SetupStr::NotWritten), {path, std::strerror(error)})};
}

int Installation::makeFolder(const std::string& folder)
{
    if (m_madeFolders.count(folder))
        return 0;
    const std::string above = Paths::folderOf(folder);
    if (above != folder) {
        if (const int error = makeFolder(above))
            return error;
    }
    struct stat info;
    if (::mkdir(folder.c_str(), 0755) != 0 &&
        (errno != EEXIST || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)))
        return errno == EEXIST ? ENOTDIR : errno;
    m_madeFolders.insert(folder);
    return 0;
}

int Installation::logLine(std::string_view path) const
{
    const std::string line = InstallLog::line(path);
    return m_log.write(line.data(), line.size());
}

std::string Installation::runToEnd()
{
    for (;;) {
        const Step step = next();
        if (!step.error.empty())
            return step.error;
        if (step.done)
            return {};
    }
}

Installation::Step Installation::next()
{
    assert(m_payload.ok());
    const size_t files = m_payload.files.size();
    const size_t step = m_next++;
    switch (step) {
    case 0: {
        show(0, m_strings.text(SetupStr::CreatingFolders));
        const std::string top = Paths::clean(m_folder);
        if (const int error = makeFolder(top))
            return failed(top, error);
        for (const char* folder : StandardFolders) {
            const std::string path = m_folder + folder;
            if (const int error = makeFolder(path))
                return failed(path, error);
        }
        return {false, 500, {}};
    }
    case 1:
        show(5, m_strings.text(SetupStr::Unpacking));
        return {false, 500, {}};
    case 2:
        show(25, m_action);
        return {};
    case 3: {
        show(50, m_strings.text(SetupStr::Unpacked));
        const std::string log = m_folder + InstallationFiles::log();
        if (const int error = writeFresh(log, {}, 0644))
            return failed(log, error);
        m_log = Posix::Descriptor::open(log.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW);
        if (!m_log.isOpen())
            return failed(log, errno);
        if (const int error = logLine(m_folder))
            return failed(log, error);
        return {};
    }
    default:
        break;
    }
    const size_t file = step - 4;
    if (file < files)
        return writeFile(file);
    if (file == files) {
        show(m_bar, m_strings.text(SetupStr::CreatingLinks));
        return {false, 500, {}};
    }
    return finish();
}

Installation::Step Installation::writeFile(size_t index)
{
    const PayloadReader::File& file = m_payload.files[index];
    const std::string path = m_folder + file.path;
    if (const int error = logLine(path))
        return failed(m_folder + InstallationFiles::log(), error);
    const std::string folder = Paths::folderOf(path);
    if (const int error = makeFolder(folder))
        return failed(folder, error);
    if (const int error = writeFresh(path, file.bytes, modeFor(file.bytes)))
        return failed(path, error);
    const size_t files = m_payload.files.size();
    show(int((index + 1) * 45 / files + 50),
         SetupStrings::filled(m_strings.text(SetupStr::CopyingFile), {file.path, path}));
    return {false, 450, {}};
}

Installation::Step Installation::finish()
{
    // A settings file already there gets one more line; it may lack the end of its last one.
    const std::string settings = m_folder + InstallationFiles::settings();
    {
        const Posix::Descriptor file = Posix::Descriptor::open(
            settings.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, 0644);
        if (!file.isOpen())
            return failed(settings, errno);
        std::string line = "Language=" + SetupStrings::folderName(m_strings.language()) + "\r\n";
        struct stat info;
        char last = '\n';
        if (::fstat(file.fd(), &info) == 0 && info.st_size > 0 &&
            ::pread(file.fd(), &last, 1, info.st_size - 1) == 1 && last != '\n')
            line.insert(0, "\r\n");
        if (const int error = file.write(line.data(), line.size()))
            return failed(settings, error);
    }

    const std::string program = m_folder + InstallationFiles::editor();
    const std::string icon = m_folder + InstallationFiles::icon();
    const std::string programEntry =
        DesktopEntry::application({"Quillorn", "Quillorn"}, program, icon, m_folder);
    if (m_desktopIcon) {
        if (const int error = writeEntry(m_places.desktopEntry(), programEntry, true))
            return failed(m_places.desktopEntry(), error);
    }
    const SetupStrings english(SetupLanguage::English);
    const SetupStrings russian(SetupLanguage::Russian);
    const auto names = [&](SetupStr str) -> DesktopEntry::Names {
        return {english.text(str), russian.text(str)};
    };
    const std::vector<std::pair<std::string, std::string>> entries{
        {m_places.programEntry(), programEntry},
        {m_places.webSiteEntry(),
         DesktopEntry::link(names(SetupStr::WebSiteEntry), WebSite, "web-browser")},
        {m_places.uninstallEntry(),
         DesktopEntry::application(names(SetupStr::UninstallEntry),
                                   m_folder + InstallationFiles::uninstaller(), icon, m_folder)}};
    for (const auto& [path, text] : entries) {
        if (const int error = writeEntry(path, text, false))
            return failed(path, error);
    }
    if (const int error = m_log.close())
        return failed(m_folder + InstallationFiles::log(), error);

    const std::string record = m_places.record();
    const std::string recordFolder = Paths::folderOf(record);
    if (const int error = makeFolder(recordFolder))
        return failed(recordFolder, error);
    if (const int error = writeFresh(record, InstallLog::line(m_folder), 0644))
        return failed(record, error);
    show(100, m_action);
    return {true, 500, {}};
}

int Installation::writeEntry(const std::string& path, std::string_view text, bool desktop)
{
    if (const int error = makeFolder(Paths::folderOf(path)))
        return error;
    // A launcher on the desktop starts only when it is executable.
    if (const int error = writeFresh(path, text, desktop ? 0755 : 0644))
        return error;
    return logLine(path);
}

} // namespace Quillorn
