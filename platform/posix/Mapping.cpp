#include "platform/posix/Mapping.h"

#include <cerrno>
#include <sys/mman.h>
#include <utility>

namespace Quillorn::Posix {

Mapping::Mapping(Mapping&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_size(std::exchange(other.m_size, 0))
{
}

Mapping& Mapping::operator=(Mapping&& other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

Mapping::~Mapping()
{
    release();
}

void Mapping::release()
{
    if (m_data)
        ::munmap(const_cast<char*>(m_data), m_size);
    m_data = nullptr;
    m_size = 0;
}

Mapping Mapping::map(const char* path, RegularFile::Refusal& refusal, int& error)
{
    Mapping mapping;
    const RegularFile::Opened opened = RegularFile::open(path);
    refusal = opened.refusal;
    error = opened.error;
    // An empty file has nothing to map.
    if (!opened.file.isOpen() || opened.size == 0)
        return mapping;
    // Read ahead in one go: the caller reads the whole file.
    void* data = ::mmap(nullptr, size_t(opened.size), PROT_READ, MAP_PRIVATE | MAP_POPULATE,
                        opened.file.fd(), 0);
    if (data == MAP_FAILED) {
        refusal = RegularFile::Refusal::System;
        error = errno;
        return mapping;
    }
    mapping.m_data = static_cast<const char*>(data);
    mapping.m_size = size_t(opened.size);
    return mapping;
}

} // namespace Quillorn::Posix
