#include "setup/Installation.h"

#include "platform/AppPaths.h"
#include "platform/FreshFile.h"
#include "setup/DesktopEntry.h"
#include "setup/InstallLog.h"
#include "setup/InstallationFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Quillorn {

namespace {

// The folders every installation has, whatever the payload holds.
const char* const StandardFolders[] = {"languages", "languages/russian", "languages/english",
                                       "plug-ins", "templates"};

// The address the web-site entry opens.
const QLatin1String WebSite("https://www.quillorn.org/");

// `folder` as the installation uses it: absolute (from the current folder), cleaned, with one
// trailing "/"; "~" is the home folder here, also when typed into the folder box.
QString installationFolder(const QString& folder)
{
    QString path = folder;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path.replace(0, 1, QDir::homePath());
    return AppPaths::withTrailingSeparator(QDir::cleanPath(QDir(path).absolutePath()));
}

// Programs and scripts are installed executable, everything else as plain data.
mode_t modeFor(QByteArrayView bytes)
{
    return bytes.startsWith("\177ELF") || bytes.startsWith("#!") ? 0755 : 0644;
}

} // namespace

Installation::Installation(const Choice& choice, SetupPlaces places, QObject* parent)
    : QObject(parent)
    , m_strings(choice.language)
    , m_folder(installationFolder(choice.folder))
    , m_desktopIcon(choice.desktopIcon)
    , m_places(std::move(places))
{
}

QString Installation::prepare(const QString& installerPath)
{
    FileFailure failure;
    m_installer = FileMapping::map(installerPath, failure);
    if (!failure.ok())
        return m_strings.text(SetupStr::NotRead)
            .arg(installerPath, qt_error_string(failure.systemError()));
    m_payload = PayloadReader::read(m_installer.bytes());
    switch (m_payload.failure) {
    case PayloadReader::Failure::None:
        return {};
    case PayloadReader::Failure::Damaged:
        return m_strings.text(SetupStr::Damaged);
    case PayloadReader::Failure::UnsafeName:
        return m_strings.text(SetupStr::UnsafeName).arg(m_payload.badName);
    }
    return {};
}

void Installation::show(int bar, const QString& action)
{
    m_bar = bar;
    m_action = action;
    Q_EMIT progressed(bar, action);
}

Installation::Step Installation::failed(const QString& path, int error) const
{
    return {false, 0, m_strings.text(SetupStr::NotWritten).arg(path, qt_error_string(error))};
}

int Installation::makeFolder(const QString& folder)
{
    if (m_madeFolders.contains(folder))
        return 0;
    const QString above = QFileInfo(folder).path();
    if (above != folder) {
        if (const int error = makeFolder(above))
            return error;
    }
    const QByteArray name = QFile::encodeName(folder);
    struct stat info;
    if (::mkdir(name.constData(), 0755) != 0 &&
        (errno != EEXIST || ::stat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode)))
        return errno == EEXIST ? ENOTDIR : errno;
    m_madeFolders.insert(folder);
    return 0;
}

int Installation::logLine(const QString& path) const
{
    return m_log.write(InstallLog::line(path));
}

QString Installation::runToEnd()
{
    for (;;) {
        const Step step = next();
        if (!step.error.isEmpty())
            return step.error;
        if (step.done)
            return {};
    }
}

Installation::Step Installation::next()
{
    Q_ASSERT(m_payload.ok());
    const int files = int(m_payload.files.size());
    const int step = m_next++;
    switch (step) {
    case 0: {
        show(0, m_strings.text(SetupStr::CreatingFolders));
        const QString top = QDir::cleanPath(m_folder);
        if (const int error = makeFolder(top))
            return failed(top, error);
        for (const char* folder : StandardFolders) {
            const QString path = m_folder + QLatin1String(folder);
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
        const QString log = m_folder + InstallationFiles::log();
        if (const int error = FreshFile::write(log, {}, 0644))
            return failed(log, error);
        m_log = FileHandle::open(log, O_WRONLY | O_APPEND | O_NOFOLLOW);
        if (!m_log.isOpen())
            return failed(log, errno);
        if (const int error = logLine(m_folder))
            return failed(log, error);
        return {};
    }
    default:
        break;
    }
    const int file = step - 4;
    if (file < files)
        return writeFile(file);
    if (file == files) {
        show(m_bar, m_strings.text(SetupStr::CreatingLinks));
        return {false, 500, {}};
    }
    return finish();
}

Installation::Step Installation::writeFile(int index)
{
    const PayloadReader::File& file = m_payload.files.at(index);
    const QString path = m_folder + file.path;
    if (const int error = logLine(path))
        return failed(m_folder + InstallationFiles::log(), error);
    if (const int error = makeFolder(QFileInfo(path).path()))
        return failed(QFileInfo(path).path(), error);
    if (const int error = FreshFile::write(path, file.bytes, modeFor(file.bytes)))
        return failed(path, error);
    const int files = int(m_payload.files.size());
    show((index + 1) * 45 / files + 50, m_strings.text(SetupStr::CopyingFile).arg(file.path, path));
    return {false, 450, {}};
}

Installation::Step Installation::finish()
{
    // A settings file already there gets one more line; it may lack the end of its last one.
    const QString settings = m_folder + InstallationFiles::settings();
    {
        const FileHandle file =
            FileHandle::open(settings, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, 0644);
        if (!file.isOpen())
            return failed(settings, errno);
        QByteArray line =
            "Language=" + SetupStrings::folderName(m_strings.language()).toUtf8() + "\r\n";
        struct stat info;
        char last = '\n';
        if (::fstat(file.fd(), &info) == 0 && info.st_size > 0 &&
            ::pread(file.fd(), &last, 1, info.st_size - 1) == 1 && last != '\n')
            line.prepend("\r\n");
        if (const int error = file.write(line))
            return failed(settings, error);
    }

    const QString program = m_folder + InstallationFiles::editor();
    const QString icon = m_folder + InstallationFiles::icon();
    const QByteArray programEntry = DesktopEntry::application(
        {QStringLiteral("Quillorn"), QStringLiteral("Quillorn")}, program, icon, m_folder);
    if (m_desktopIcon) {
        if (const int error = writeEntry(m_places.desktopEntry(), programEntry, true))
            return failed(m_places.desktopEntry(), error);
    }
    const SetupStrings english(SetupLanguage::English);
    const SetupStrings russian(SetupLanguage::Russian);
    const auto names = [&](SetupStr str) -> DesktopEntry::Names {
        return {english.text(str), russian.text(str)};
    };
    const QList<std::pair<QString, QByteArray>> entries{
        {m_places.programEntry(), programEntry},
        {m_places.webSiteEntry(),
         DesktopEntry::link(names(SetupStr::WebSiteEntry), WebSite, QStringLiteral("web-browser"))},
        {m_places.uninstallEntry(),
         DesktopEntry::application(names(SetupStr::UninstallEntry),
                                   m_folder + InstallationFiles::uninstaller(), icon, m_folder)}};
    for (const auto& [path, text] : entries) {
        if (const int error = writeEntry(path, text, false))
            return failed(path, error);
    }
    if (const int error = m_log.close())
        return failed(m_folder + InstallationFiles::log(), error);

    const QString record = m_places.record();
    if (const int error = makeFolder(QFileInfo(record).path()))
        return failed(QFileInfo(record).path(), error);
    if (const int error = FreshFile::write(record, InstallLog::line(m_folder), 0644))
        return failed(record, error);
    show(100, m_action);
    return {true, 500, {}};
}

int Installation::writeEntry(const QString& path, const QByteArray& text, bool desktop)
{
    if (const int error = makeFolder(QFileInfo(path).path()))
        return error;
    // A launcher on the desktop starts only when it is executable.
    if (const int error = FreshFile::write(path, text, desktop ? 0755 : 0644))
        return error;
    return logLine(path);
}

} // namespace Quillorn
