#include "documents/FileIO.h"

#include "platform/ProgramText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Quillorn {

namespace {

QString quoted(const QString& path)
{
    return QStringLiteral("\u201C%1\u201D").arg(QDir::toNativeSeparators(path));
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

FileIO::WriteResult writeFailure(const QString& path, const QString& why)
{
    return {FileIO::Failure::Unwritable,
            QStringLiteral("Could not save %1: %2.").arg(quoted(path), why)};
}

// The file a path finally names, following links (also a link to a file not yet there).
QString resolveLinks(const QString& path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop < 40; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        QString target = info.symLinkTarget();
        if (target.isEmpty())
            return current;
        current = QDir::cleanPath(target);
    }
    return current;
}

mode_t currentUmask()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(mask);
            }
        }
    }
    return 022;
}

bool writeAll(int fd, const char* data, qint64 size, int& error)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(std::min<qint64>(size, 1 << 30)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

FileIO::ReadResult FileIO::readWholeFile(const QString& path)
{
    ReadResult result;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        result.failure = Failure::Missing;
        result.error = QStringLiteral("%1 does not exist.").arg(quoted(path));
        return result;
    }
    if (info.isDir()) {
        result.failure = Failure::Folder;
        result.error = QStringLiteral("%1 is a folder, not a file.").arg(quoted(path));
        return result;
    }
    if (!info.isFile()) {
        result.failure = Failure::NotRegularFile;
        result.error = QStringLiteral("%1 is not an ordinary file.").arg(quoted(path));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.failure = Failure::Unreadable;
        result.error =
            QStringLiteral("%1 cannot be read: %2.").arg(quoted(path), file.errorString());
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.bytes.clear();
        result.failure = Failure::Unreadable;
        result.error =
            QStringLiteral("%1 cannot be read: %2.").arg(quoted(path), file.errorString());
    }
    return result;
}

qint64 FileIO::fileSize(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return -1;
    return info.size();
}

QString FileIO::sizeQuestion(const QString& path, qint64 size)
{
    const qint64 megabytes = (size + 512 * 1024) / (1024 * 1024);
    return QStringLiteral("%1 is %2 MB large. Loading it takes long and needs much memory.\n"
                          "Open it anyway?")
        .arg(quoted(path))
        .arg(megabytes);
}

QString FileIO::readTextFile(const QString& path, const QString& language)
{
    const ReadResult read = readWholeFile(path);
    if (!read.ok())
        return {};
    const QString text = ProgramText::decode(read.bytes, language);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    // A line end after the last line does not start another one.
    if (!lines.isEmpty() && lines.last().isEmpty() && text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines.join(QLatin1String("\r\n"));
}

FileIO::WriteResult FileIO::writeTextFile(const QString& path, const QString& text, bool append,
                                          const QString& language)
{
    QString whole = text;
    if (append && QFileInfo::exists(path)) {
        const ReadResult existing = readWholeFile(path);
        if (!existing.ok())
            return {existing.failure, existing.error};
        // Encoded again as a whole, so the old and the new part never end up in two
        // different encodings.
        whole = ProgramText::decode(existing.bytes, language) + text;
    }
    return saveFile(path, ProgramText::encode(whole, language));
}

FileIO::WriteResult FileIO::saveFile(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return writeFailure(path, QStringLiteral("no file name"));
    const QString target = resolveLinks(path);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    if (!QFileInfo(folder).isDir())
        return writeFailure(path,
                            QStringLiteral("the folder %1 does not exist").arg(quoted(folder)));

    const QByteArray targetName = QFile::encodeName(target);
    struct stat old;
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return writeFailure(path, QStringLiteral("it is a folder"));
    if (exists && !S_ISREG(old.st_mode))
        return writeFailure(path, QStringLiteral("it is not an ordinary file"));
    // The rename would replace a file the user may not write to; its protection stands.
    if (exists && ::access(targetName.constData(), W_OK) != 0)
        return writeFailure(path, systemError(errno));

    // The new content goes into a file of its own beside the target, created exclusively so
    // that no existing file or link is ever written through.
    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        const QString hex = QString::number(QRandomGenerator::global()->generate(), 16)
                                .toUpper()
                                .rightJustified(8, QLatin1Char('0'));
        // Long names leave no room for the additions within the file system's limit.
        const QString base = targetInfo.fileName().size() > 200
                                 ? QString()
                                 : targetInfo.fileName() + QLatin1Char('.');
        tempName =
            QFile::encodeName(folder + QLatin1String("/.") + base + hex + QLatin1String(".tmp"));
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return writeFailure(path, systemError(errno));
    }
    if (fd < 0)
        return writeFailure(path, QStringLiteral("no temporary file could be created"));

    int error = 0;
    bool ok = writeAll(fd, bytes.constData(), bytes.size(), error);
    if (ok) {
        if (exists) {
            // Keep the owner where allowed; the mode always.
            if (::fchown(fd, old.st_uid, old.st_gid) != 0)
                (void)::fchown(fd, uid_t(-1), old.st_gid);
            ok = ::fchmod(fd, old.st_mode & 07777) == 0;
        } else {
            ok = ::fchmod(fd, 0666 & ~currentUmask()) == 0;
        }
        if (!ok)
            error = errno;
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tempName.constData(), targetName.constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return writeFailure(path, systemError(error));
    }
    // The rename itself reaches the disk with the folder.
    const int dirFd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

} // namespace Quillorn
