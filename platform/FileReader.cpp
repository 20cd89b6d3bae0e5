#include "platform/FileReader.h"

#include "platform/FileHandle.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Quillorn {

namespace {

FileFailure::Kind kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return FileFailure::Kind::Folder;
    return S_ISREG(mode) ? FileFailure::Kind::None : FileFailure::Kind::NotRegular;
}

FileFailure::Kind kindOf(int error)
{
    return error == ENOENT || error == ENOTDIR ? FileFailure::Kind::Missing
                                               : FileFailure::Kind::System;
}

} // namespace

FileHandle FileReader::openRegular(const QString& path, FileFailure& failure, qint64& size,
                                   Listed listed)
{
    const auto fail = [&](FileFailure::Kind kind, int error = 0) {
        failure = FileFailure::reading(kind, path, error);
        return FileHandle();
    };
    if (path.isEmpty())
        return fail(FileFailure::Kind::Missing);
    // What is no regular file is refused before it is opened (opening some devices acts on
    // them), unless a listing has just told, and again on the descriptor, in case the name
    // changed in between.
    struct stat info;
    if (listed == Listed::No) {
        if (::stat(QFile::encodeName(path).constData(), &info) != 0)
            return fail(kindOf(errno), errno);
        if (kindOf(info.st_mode) != FileFailure::Kind::None)
            return fail(kindOf(info.st_mode));
    }
    // Without O_NONBLOCK, opening a pipe waits for a writer that may never come.
    FileHandle file = FileHandle::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (!file.isOpen())
        return fail(kindOf(errno), errno);
    if (::fstat(file.fd(), &info) != 0)
        return fail(FileFailure::Kind::System, errno);
    if (kindOf(info.st_mode) != FileFailure::Kind::None)
        return fail(kindOf(info.st_mode));
    size = info.st_size;
    return file;
}

FileReader::Result FileReader::read(const QString& path, qint64 cap, Oversize oversize,
                                    Listed listed)
{
    Result result;
    qint64 size = 0;
    const FileHandle file = openRegular(path, result.failure, size, listed);
    if (!file.isOpen())
        return result;
    const auto fail = [&](FileFailure::Kind kind, int error = 0) {
        result.failure = FileFailure::reading(kind, path, error);
        return result;
    };
    if (oversize == Oversize::Refuse && size > cap)
        return fail(FileFailure::Kind::TooLarge);
    // One byte beyond the cap tells a file of exactly `cap` bytes from a larger one.
    const qint64 maximum = cap == NoCap ? cap : cap + 1;
    if (const int error = file.read(maximum, result.bytes, size + 1, size))
        return fail(FileFailure::Kind::System, error);
    if (result.bytes.size() > cap) {
        if (oversize == Oversize::Refuse) {
            result.bytes.clear();
            return fail(FileFailure::Kind::TooLarge);
        }
        result.bytes.truncate(cap);
        result.truncated = true;
    }
    return result;
}

qint64 FileReader::size(const QString& path)
{
    struct stat info;
    const QByteArray name = QFile::encodeName(path);
    if (path.isEmpty() || ::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode) ||
        ::access(name.constData(), R_OK) != 0)
        return -1;
    return info.st_size;
}

} // namespace Quillorn
