#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Quillorn {

QString TempFiles::userFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty())
        return {};
    QDir().mkpath(base);
    // Only a folder of this user (not a link to someone else's) may hold copies of documents.
    return privateFolder(base + QLatin1String("/quillorn"), true);
}

QString TempFiles::privateFolder(const QString& path, bool tighten)
{
    const QByteArray name = QFile::encodeName(path);
    ::mkdir(name.constData(), 0700);
    struct stat info;
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid())
        return {};
    if ((info.st_mode & 077) != 0 && !(tighten && ::chmod(name.constData(), 0700) == 0))
        return {};
    return path;
}

QString TempFiles::randomHex(int digits)
{
    QString hex;
    while (hex.size() < digits)
        hex += QString::number(QRandomGenerator::system()->generate(), 16)
                   .toUpper()
                   .rightJustified(8, QLatin1Char('0'));
    return hex.left(digits);
}

TempFiles::Created TempFiles::create(const QString& folder, const QString& prefix,
                                     const QString& suffix, mode_t mode)
{
    Created created;
    if (folder.isEmpty()) {
        created.failure = FileFailure::saving(FileFailure::Kind::NoTemporary, folder);
        return created;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = folder + QLatin1Char('/') + prefix + randomHex() + suffix;
        // O_EXCL also refuses a link of that name, wherever it points.
        created.file = FileHandle::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
        if (created.file.isOpen()) {
            created.path = path;
            return created;
        }
        if (errno != EEXIST) {
            created.failure = FileFailure::saving(FileFailure::Kind::System, folder, errno);
            return created;
        }
    }
    created.failure = FileFailure::saving(FileFailure::Kind::NoTemporary, folder);
    return created;
}

} // namespace Quillorn
