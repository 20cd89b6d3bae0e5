#pragma once

#include "platform/posix/RegularFile.h"

#include <cstddef>
#include <string_view>

namespace Quillorn::Posix {

// A regular file mapped whole and read-only into memory, for reading a large file once without
// copying it: its pages come from the system's cache as they are touched, where a fresh buffer
// would first have to be faulted in page by page. Only for files nobody shortens while they
// are mapped, such as a program's own running file, which the system keeps from being written.
class Mapping {
public:
    Mapping() = default;
    Mapping(Mapping&& other) noexcept;
    Mapping& operator=(Mapping&& other) noexcept;
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;
    ~Mapping();

    // The regular file at `path` mapped; on failure the mapping is empty, `refusal` and
    // `error` (errno) say why.
    static Mapping map(const char* path, RegularFile::Refusal& refusal, int& error);

    std::string_view bytes() const { return {m_data, m_size}; }

private:
    void release();

    const char* m_data = nullptr;
    size_t m_size = 0;
};

} // namespace Quillorn::Posix
