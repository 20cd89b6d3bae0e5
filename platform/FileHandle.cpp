#include "platform/FileHandle.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace Quillorn {

namespace {
constexpr qint64 ChunkSize = qint64(Posix::Descriptor::ChunkBytes);
} // namespace

FileHandle FileHandle::open(const QString& path, int flags, mode_t mode)
{
    return FileHandle(Descriptor::open(QFile::encodeName(path).constData(), flags, mode));
}

int FileHandle::read(qint64 maximum, QByteArray& bytes, qint64 expected, qint64 regularSize) const
{
    bytes.clear();
    bytes.reserve(std::min(maximum, expected));
    qint64 total = 0;
    while (total < maximum) {
        // Within the room reserved while there is some, so the buffer is not moved at the end.
        const qint64 room = bytes.capacity() - total;
        const qint64 want = std::min({ChunkSize, maximum - total, room > 0 ? room : ChunkSize});
        bytes.resize(total + want);
        const ssize_t got = ::read(fd(), bytes.data() + total, size_t(want));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            bytes.clear();
            return error;
        }
        total += got;
        if (got == 0 || (regularSize > 0 && total >= regularSize && got < want))
            break;
    }
    bytes.resize(total);
    return 0;
}

int FileHandle::copyFrom(const FileHandle& from) const
{
    QByteArray chunk;
    for (;;) {
        if (const int error = from.read(ChunkSize, chunk, ChunkSize))
            return error;
        if (chunk.isEmpty())
            return 0;
        if (const int error = write(chunk))
            return error;
    }
}

int FileHandle::sync() const
{
    return ::fsync(fd()) == 0 ? 0 : errno;
}

} // namespace Quillorn
