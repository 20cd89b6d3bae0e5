#include "platform/FileMapping.h"

#include "platform/FileReader.h"

#include <cerrno>
#include <sys/mman.h>
#include <utility>

namespace Quillorn {

FileMapping::FileMapping(FileMapping&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_size(std::exchange(other.m_size, 0))
{
}

FileMapping& FileMapping::operator=(FileMapping&& other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

FileMapping::~FileMapping()
{
    release();
}

void FileMapping::release()
{
    if (m_data)
        ::munmap(const_cast<char*>(m_data), static_cast<size_t>(m_size));
    m_data = nullptr;
    m_size = 0;
}

FileMapping FileMapping::map(const QString& path, FileFailure& failure)
{
    FileMapping mapping;
    qint64 size = 0;
    const FileHandle file = FileReader::openRegular(path, failure, size);
    // An empty file has nothing to map.
    if (!file.isOpen() || size == 0)
        return mapping;
    // Read ahead in one go: the caller reads the whole file.
    void* data = ::mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE | MAP_POPULATE,
                        file.fd(), 0);
    if (data == MAP_FAILED) {
        failure = FileFailure::reading(FileFailure::Kind::System, path, errno);
        return mapping;
    }
    mapping.m_data = static_cast<const char*>(data);
    mapping.m_size = static_cast<qsizetype>(size);
    return mapping;
}

} // namespace Quillorn
