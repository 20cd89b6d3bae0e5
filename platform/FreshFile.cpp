#include "platform/FreshFile.h"

#include "platform/FileHandle.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Quillorn {

int FreshFile::write(const QString& path, QByteArrayView bytes, mode_t mode)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        return errno;
    FileHandle file = FileHandle::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
    if (!file.isOpen())
        return errno;
    if (const int error = file.write(bytes.data(), bytes.size()))
        return error;
    return file.close();
}

} // namespace Quillorn
