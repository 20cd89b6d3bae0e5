#pragma once

#include <string_view>
#include <sys/types.h>

namespace Quillorn::Posix {

// Writes a file as a new one in place of whatever had its name: the old name is removed
// first, so nothing is ever written through a link someone put there (in a shared folder
// only our own file can be removed) and a running program of that name is replaced rather
// than overwritten. Made for the installer's many small files: no copy kept, no sync.
class FreshFile {
public:
    // 0, or the errno of the failure.
    static int write(const char* path, std::string_view bytes, mode_t mode);
};

} // namespace Quillorn::Posix
