#include "platform/posix/Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace Quillorn::Posix {

Descriptor::Descriptor(Descriptor&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

Descriptor::~Descriptor()
{
    close();
}

Descriptor Descriptor::open(const char* path, int flags, mode_t mode)
{
    int fd;
    do {
        fd = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return Descriptor(fd);
}

int Descriptor::write(const char* data, size_t size) const
{
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, std::min(size, ChunkBytes));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= size_t(written);
    }
    return 0;
}

int Descriptor::close()
{
    if (m_fd < 0)
        return 0;
    // The descriptor is gone whatever close says; an error is a write the kernel lost.
    const int result = ::close(std::exchange(m_fd, -1));
    return result == 0 || errno == EINTR ? 0 : errno;
}

} // namespace Quillorn::Posix
