#include "uninstall/Uninstallation.h"

#include "setup/core/InstallLog.h"
#include "setup/core/InstallationFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <unistd.h>

namespace Quillorn {

namespace {

// Below the installation folder, besides the run-time files: the Tidy program a user may have
// put into its plug-in folder, and the folders the installation always has.
const char* const ExtraFiles[] = {"plug-ins/tidy/tidy"};
const char* const StandardFolders[] = {"languages/english", "languages/russian", "languages",
                                       "plug-ins/tidy",     "plug-ins",          "templates"};

bool removeFolder(const QString& folder)
{
    return ::rmdir(QFile::encodeName(folder).constData()) == 0;
}

// The installer's paths, which are bytes, as paths here.
QStringList pathsOf(const std::vector<std::string>& paths)
{
    QStringList list;
    for (const std::string& path : paths)
        list.append(QFile::decodeName(QByteArray::fromStdString(path)));
    return list;
}

} // namespace

Uninstallation::Uninstallation(const QByteArray& log, SetupPlaces places)
    : m_places(std::move(places))
{
    m_files = pathsOf(InstallLog::lines({log.constData(), size_t(log.size())}));
    if (m_files.isEmpty())
        return;
    m_folder = m_files.takeFirst();
    // A folder named otherwise than by a full path, or the root of everything, holds nothing
    // this log may remove.
    const QString real = QFileInfo(m_folder).canonicalFilePath();
    if (QDir::isAbsolutePath(m_folder) && !real.isEmpty() && real != QLatin1String("/"))
        m_realFolder = real;
}

bool Uninstallation::belongsTo(const QString& folder) const
{
    return !m_realFolder.isEmpty() && m_realFolder == QFileInfo(folder).canonicalFilePath();
}

QString Uninstallation::inside(const QString& path) const
{
    if (m_realFolder.isEmpty() || !QDir::isAbsolutePath(path))
        return {};
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    const QString folder = QFileInfo(info.path()).canonicalFilePath();
    if (folder != m_realFolder && !folder.startsWith(m_realFolder + QLatin1Char('/')))
        return {};
    return folder + QLatin1Char('/') + name;
}

void Uninstallation::keepFoldersOf(const QString& resolvedPath)
{
    for (QString folder = QFileInfo(resolvedPath).path();
         folder.startsWith(m_realFolder + QLatin1Char('/')); folder = QFileInfo(folder).path())
        m_folders.insert(folder);
}

Uninstallation::Removal Uninstallation::removeNext()
{
    const QString& path = m_files.at(m_next++);
    QString target = inside(path);
    if (!target.isEmpty())
        keepFoldersOf(target);
    else if (pathsOf(m_places.entries()).contains(QDir::cleanPath(path)))
        target = QDir::cleanPath(path);
    const bool removed = !target.isEmpty() && ::unlink(QFile::encodeName(target).constData()) == 0;
    return {(removed ? QStringLiteral("Deleted ") : QStringLiteral("Can't delete ")) + path,
            int(m_next * 100 / m_files.size()), removed};
}

void Uninstallation::removeRest()
{
    if (m_realFolder.isEmpty())
        return;
    const QString folder = m_realFolder + QLatin1Char('/');
    QStringList files = pathsOf(InstallationFiles::runTimeFiles());
    for (const char* file : ExtraFiles)
        files.append(QLatin1String(file));
    for (const QString& file : files) {
        const QString target = inside(folder + file);
        if (!target.isEmpty())
            ::unlink(QFile::encodeName(target).constData());
    }
    for (const char* standard : StandardFolders) {
        const QString target = inside(folder + QLatin1String(standard));
        if (!target.isEmpty())
            m_folders.insert(target);
    }
    // The deepest folders first, so that a folder is empty when its turn comes.
    QStringList folders(m_folders.cbegin(), m_folders.cend());
    std::sort(folders.begin(), folders.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& each : folders)
        removeFolder(each);
    ::rmdir(m_places.menuFolder().c_str());
    removeFolder(m_realFolder);
}

} // namespace Quillorn
