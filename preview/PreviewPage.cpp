#include "preview/PreviewPage.h"

#include "platform/AppPaths.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QFileInfo>

namespace Quillorn {

PreviewPage::PreviewPage(Mode mode, const QString& serverFolder, const QString& address)
    : m_mode(mode)
    , m_serverFolder(serverFolder.isEmpty() ? QString() : QDir::cleanPath(serverFolder))
    , m_address(AppPaths::withTrailingSeparator(address))
{
}

PreviewPage PreviewPage::fromSettings(const Settings& settings)
{
    return PreviewPage(settings.isHttpServer != 0 ? Mode::Server : Mode::Disk, settings.pathToHttpd,
                       settings.serverAddress);
}

QString PreviewPage::copyFolder(const QString& documentPath) const
{
    if (!documentPath.isEmpty() && (m_mode == Mode::Disk || belowServerFolder(documentPath)))
        return QFileInfo(documentPath).absolutePath();
    return m_mode == Mode::Server ? m_serverFolder : TempFiles::userFolder();
}

QUrl PreviewPage::url(const QString& pagePath) const
{
    if (m_mode == Mode::Disk)
        return QUrl::fromLocalFile(pagePath);
    const std::optional<QString> relative = belowServerFolder(pagePath);
    if (!relative)
        return {};
    // Everything but the separators is encoded, so blanks, "#", "?" and non-ASCII letters in
    // file names stay part of the path.
    const QByteArray encoded = QUrl::toPercentEncoding(*relative, QByteArrayLiteral("/"));
    return QUrl(m_address + QString::fromLatin1(encoded), QUrl::StrictMode);
}

std::optional<QString> PreviewPage::belowServerFolder(const QString& path) const
{
    // The page must lie inside the folder: finding the folder's text anywhere in the path (as
    // the old rule did) took "/home/srv/www/a.html" for a page of "/srv/www" and gave it a
    // wrong address.
    if (m_serverFolder.isEmpty() || path.isEmpty())
        return std::nullopt;
    const QString folder = AppPaths::withTrailingSeparator(m_serverFolder);
    const QString cleaned = QDir::cleanPath(path);
    if (!cleaned.startsWith(folder) || cleaned.size() == folder.size())
        return std::nullopt;
    return cleaned.mid(folder.size());
}

} // namespace Quillorn
