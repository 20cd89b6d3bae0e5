#include "platform/FileHandle.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace Quillorn {

namespace {
// One system call moves at most this much, so a huge buffer never meets the kernel's limits.
constexpr qint64 ChunkBytes = 1 << 20;
} // namespace

FileHandle::FileHandle(FileHandle&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

FileHandle::~FileHandle()
{
    close();
}

FileHandle FileHandle::open(const QString& path, int flags, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return FileHandle(fd);
}

int FileHandle::read(qint64 maximum, QByteArray& bytes, qint64 expected, qint64 regularSize) const
{
    bytes.clear();
    bytes.reserve(std::min(maximum, expected));
    qint64 total = 0;
    while (total < maximum) {
        // Within the room reserved while there is some, so the buffer is not moved at the end.
        const qint64 room = bytes.capacity() - total;
        const qint64 want = std::min({ChunkBytes, maximum - total, room > 0 ? room : ChunkBytes});
        bytes.resize(total + want);
        const ssize_t got = ::read(m_fd, bytes.data() + total, size_t(want));
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

int FileHandle::write(const char* data, qint64 size) const
{
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(std::min(size, ChunkBytes)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= written;
    }
    return 0;
}

int FileHandle::copyFrom(const FileHandle& from) const
{
    QByteArray chunk;
    for (;;) {
        if (const int error = from.read(ChunkBytes, chunk, ChunkBytes))
            return error;
        if (chunk.isEmpty())
            return 0;
        if (const int error = write(chunk))
            return error;
    }
}

int FileHandle::sync() const
{
    return ::fsync(m_fd) == 0 ? 0 : errno;
}

int FileHandle::close()
{
    if (m_fd < 0)
        return 0;
    // The descriptor is gone whatever close says; an error is a write the kernel lost.
    const int result = ::close(std::exchange(m_fd, -1));
    return result == 0 || errno == EINTR ? 0 : errno;
}

} // namespace Quillorn
