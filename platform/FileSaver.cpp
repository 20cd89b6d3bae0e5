#include "platform/FileSaver.h"

#include "platform/FileHandle.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace Quillorn {

namespace {

using Kind = FileFailure::Kind;

enum class Way { Replace, InPlace };

// What decides the way, as found on the disk.
struct Facts {
    bool exists = false;        // the target is there already
    bool folderWritable = true; // a new name can be made in its folder
    qint64 links = 1;           // names the target has
    bool ownershipKept = true;  // a new file can be given the target's owner and group
};

Way way(const Facts& facts)
{
    if (!facts.exists)
        return Way::Replace;
    if (!facts.folderWritable || facts.links > 1 || !facts.ownershipKept)
        return Way::InPlace;
    return Way::Replace;
}

constexpr int HexDigits = 8;
const QLatin1String TempSuffix(".tmp");

// The file a path finally names, following links (also a link to a file not yet there).
QString resolveLinks(const QString& path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop < 40; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        const QString target = info.symLinkTarget();
        if (target.isEmpty())
            return current;
        current = QDir::cleanPath(target);
    }
    return current;
}

// Temporary names beside the target start with this; long names leave no room for it within
// the file system's limit of 255 bytes, and their temporary files carry no name.
QString tempPrefix(const QString& fileName)
{
    return QFile::encodeName(fileName).size() > 200
               ? QStringLiteral(".")
               : QLatin1Char('.') + fileName + QLatin1Char('.');
}

bool isHex(QStringView digits)
{
    for (QChar c : digits) {
        if (!c.isDigit() && (c < QLatin1Char('A') || c > QLatin1Char('F')))
            return false;
    }
    return true;
}

// Removes what an earlier save of `target` that was cut short (killed, power lost) left
// beside it: files of this user named as its temporary files, older than this save.
void removeLeftovers(const QString& folder, const QString& fileName, const timespec& started)
{
    const QString prefix = tempPrefix(fileName);
    if (prefix.size() == 1)
        return;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        if (name.size() != prefix.size() + HexDigits + TempSuffix.size() ||
            !name.startsWith(prefix) || !isHex(QStringView(name).mid(prefix.size(), HexDigits)))
            continue;
        struct stat info;
        const QByteArray encoded = QFile::encodeName(path);
        if (::lstat(encoded.constData(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid())
            continue;
        const bool older =
            info.st_mtim.tv_sec < started.tv_sec ||
            (info.st_mtim.tv_sec == started.tv_sec && info.st_mtim.tv_nsec < started.tv_nsec);
        if (older)
            ::unlink(encoded.constData());
    }
}

bool mayTakeOwnership(const struct stat& old)
{
    if (::geteuid() == 0)
        return true;
    if (old.st_uid != ::geteuid())
        return false;
    if (old.st_gid == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    QList<gid_t> groups(qMax(count, 0));
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        return groups.contains(old.st_gid);
    return false;
}

void syncFolder(const QString& folder)
{
    // The rename reaches the disk with the folder.
    FileHandle dir = FileHandle::open(folder, O_RDONLY | O_DIRECTORY);
    if (dir.isOpen())
        dir.sync();
}

// The target replaced by a new file renamed over it. Nothing when the new file cannot be given
// the old one's owner: then only writing in place keeps it.
std::optional<FileFailure> replace(const QString& path, const QString& target,
                                   const QByteArray& bytes, const struct stat* old)
{
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    const QString prefix = tempPrefix(info.fileName());
    // A new file gets the mode the umask leaves, an existing one's mode is copied below.
    const mode_t mode = old ? 0600 : 0666;
    const auto failed = [&](int error) {
        return FileFailure::saving(Kind::System, path, error);
    };

    // Without a name, the new file disappears by itself when the save is cut short.
    FileHandle file = FileHandle::open(folder, O_TMPFILE | O_WRONLY, mode);
    QString tempPath;
    if (!file.isOpen()) {
        // File systems without unnamed files (network, FAT) get a named one.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return failed(errno);
        TempFiles::Created created = TempFiles::create(folder, prefix, TempSuffix, mode);
        if (!created.ok())
            return created.failure.kind() == Kind::System
                       ? failed(created.failure.systemError())
                       : FileFailure::saving(Kind::NoTemporary, path);
        file = std::move(created.file);
        tempPath = created.path;
    }
    const auto discard = [&] {
        file.close();
        if (!tempPath.isEmpty())
            ::unlink(QFile::encodeName(tempPath).constData());
    };
    const auto abandon = [&](int error) {
        discard();
        return failed(error);
    };

    if (const int error = file.write(bytes))
        return abandon(error);
    if (old) {
        if (::fchown(file.fd(), old->st_uid, old->st_gid) != 0) {
            if (errno != EPERM && errno != EINVAL)
                return abandon(errno);
            discard();
            return std::nullopt;
        }
        if (::fchmod(file.fd(), old->st_mode & 07777) != 0)
            return abandon(errno);
    }
    if (const int error = file.sync())
        return abandon(error);

    if (tempPath.isEmpty()) {
        // The unnamed file gets a temporary name only for the rename over the target.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(file.fd());
        for (int attempt = 0; attempt < 100 && tempPath.isEmpty(); ++attempt) {
            const QString candidate =
                folder + QLatin1Char('/') + prefix + TempFiles::randomHex(HexDigits) + TempSuffix;
            const QByteArray name = QFile::encodeName(candidate);
            int linked =
                ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW);
            if (linked != 0 && errno == ENOENT) // no /proc
                linked = ::linkat(file.fd(), "", AT_FDCWD, name.constData(), AT_EMPTY_PATH);
            if (linked == 0)
                tempPath = candidate;
            else if (errno != EEXIST)
                return abandon(errno);
        }
        if (tempPath.isEmpty())
            return FileFailure::saving(Kind::NoTemporary, path);
    }
    if (const int error = file.close())
        return abandon(error);
    if (::rename(QFile::encodeName(tempPath).constData(), QFile::encodeName(target).constData()) !=
        0)
        return abandon(errno);
    syncFolder(folder);
    return FileFailure();
}

// The target written over where it is, its old bytes kept in the user's own folder until the
// new ones are safely on the disk, and put back when writing them fails.
FileFailure writeInPlace(const QString& path, const QString& target, const QByteArray& bytes)
{
    const auto failed = [&](Kind kind, int error = 0) {
        return FileFailure::saving(kind, path, error);
    };
    FileHandle file = FileHandle::open(target, O_RDWR | O_NONBLOCK | O_NOCTTY);
    if (!file.isOpen())
        return failed(Kind::System, errno);
    struct stat old;
    if (::fstat(file.fd(), &old) != 0)
        return failed(Kind::System, errno);
    if (!S_ISREG(old.st_mode))
        return failed(Kind::NotRegular);

    TempFiles::Created kept = TempFiles::create(TempFiles::userFolder(), QString(), TempSuffix);
    if (!kept.ok())
        return failed(Kind::NoBackup);
    const QByteArray keptName = QFile::encodeName(kept.path);
    if (kept.file.copyFrom(file) != 0 || kept.file.sync() != 0) {
        ::unlink(keptName.constData());
        return failed(Kind::NoBackup);
    }

    // New bytes from the start, then the length: the old bytes' room is never given up before
    // the new bytes are written, so putting the old ones back needs no new room on the disk.
    int error = ::lseek(file.fd(), 0, SEEK_SET) == 0 ? file.write(bytes) : errno;
    if (!error && ::ftruncate(file.fd(), bytes.size()) != 0)
        error = errno;
    if (!error)
        error = file.sync();
    if (!error) {
        error = file.close();
        if (!error) {
            ::unlink(keptName.constData());
            return FileFailure();
        }
        return failed(Kind::System, error);
    }

    const FileHandle copy = FileHandle::open(kept.path, O_RDONLY);
    const bool restored = copy.isOpen() && ::lseek(file.fd(), 0, SEEK_SET) == 0 &&
                          file.copyFrom(copy) == 0 && ::ftruncate(file.fd(), old.st_size) == 0 &&
                          file.sync() == 0;
    // Should the old bytes not go back, their copy stays where it was kept.
    if (restored)
        ::unlink(keptName.constData());
    return failed(Kind::System, error);
}

} // namespace

FileFailure FileSaver::save(const QString& path, const QByteArray& bytes)
{
    timespec started{};
    ::clock_gettime(CLOCK_REALTIME, &started);
    if (path.isEmpty())
        return FileFailure::saving(Kind::NoName, path);
    const QString target = resolveLinks(path);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    const QByteArray folderName = QFile::encodeName(folder);
    struct stat folderStat;
    if (::stat(folderName.constData(), &folderStat) != 0 || !S_ISDIR(folderStat.st_mode))
        return FileFailure::saving(Kind::FolderMissing, path);

    const QByteArray targetName = QFile::encodeName(target);
    struct stat old;
    Facts facts;
    facts.exists = ::stat(targetName.constData(), &old) == 0;
    if (facts.exists) {
        if (S_ISDIR(old.st_mode))
            return FileFailure::saving(Kind::Folder, path);
        if (!S_ISREG(old.st_mode))
            return FileFailure::saving(Kind::NotRegular, path);
        // Neither way may change a file the user may not write to.
        if (::faccessat(AT_FDCWD, targetName.constData(), W_OK, AT_EACCESS) != 0)
            return FileFailure::saving(Kind::System, path, errno);
        facts.folderWritable =
            ::faccessat(AT_FDCWD, folderName.constData(), W_OK | X_OK, AT_EACCESS) == 0;
        facts.links = qint64(old.st_nlink);
        facts.ownershipKept = mayTakeOwnership(old);
    }
    if (facts.folderWritable)
        removeLeftovers(folder, targetInfo.fileName(), started);
    if (way(facts) == Way::Replace) {
        if (std::optional<FileFailure> replaced =
                replace(path, target, bytes, facts.exists ? &old : nullptr))
            return *replaced;
    }
    return writeInPlace(path, target, bytes);
}

} // namespace Quillorn
