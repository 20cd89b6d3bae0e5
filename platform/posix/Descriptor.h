#pragma once

#include <cstddef>
#include <sys/types.h>

namespace Quillorn::Posix {

// An open file descriptor owned by one object and closed with it, with whole writes that carry
// on after interruptions and short transfers. Errors are errno values.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    Descriptor(Descriptor&& other) noexcept;
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    // `path` opened with `flags` (close-on-exec always added); not open on failure, with errno
    // telling why.
    static Descriptor open(const char* path, int flags, mode_t mode = 0);

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    // Writes all of `size` bytes at the current position. 0, or the errno of the failure.
    int write(const char* data, size_t size) const;

    // Closes the descriptor: 0, or the errno the close reported (a delayed write error).
    int close();

    // One system call moves at most this much, so a huge buffer never meets the kernel's
    // limits.
    static constexpr size_t ChunkBytes = 1 << 20;

private:
    int m_fd = -1;
};

} // namespace Quillorn::Posix
