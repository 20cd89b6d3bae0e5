#include "platform/FileReader.h"

#include "platform/FileHandle.h"
#include "platform/posix/RegularFile.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace Quillorn {

FileFailure::Kind FileReader::kindOf(Posix::RegularFile::Refusal refusal)
{
    switch (refusal) {
    case Posix::RegularFile::Refusal::None:
        return FileFailure::Kind::None;
    case Posix::RegularFile::Refusal::Missing:
        return FileFailure::Kind::Missing;
    case Posix::RegularFile::Refusal::Folder:
        return FileFailure::Kind::Folder;
    case Posix::RegularFile::Refusal::NotRegular:
        return FileFailure::Kind::NotRegular;
    case Posix::RegularFile::Refusal::System:
        break;
    }
    return FileFailure::Kind::System;
}

FileHandle FileReader::openRegular(const QString& path, FileFailure& failure, qint64& size,
                                   Listed listed)
{
    Posix::RegularFile::Opened opened =
        Posix::RegularFile::open(QFile::encodeName(path).constData(), listed == Listed::No);
    if (!opened.file.isOpen()) {
        failure = FileFailure::reading(kindOf(opened.refusal), path, opened.error);
        return FileHandle();
    }
    size = opened.size;
    return FileHandle(std::move(opened.file));
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
