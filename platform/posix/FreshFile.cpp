#include "platform/posix/FreshFile.h"

#include "platform/posix/Descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Quillorn::Posix {

int FreshFile::write(const char* path, std::string_view bytes, mode_t mode)
{
    if (::unlink(path) != 0 && errno != ENOENT)
        return errno;
    Descriptor file = Descriptor::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
    if (!file.isOpen())
        return errno;
    if (const int error = file.write(bytes.data(), bytes.size()))
        return error;
    return file.close();
}

} // namespace Quillorn::Posix
