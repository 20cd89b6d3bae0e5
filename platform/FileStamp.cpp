#include "platform/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace Quillorn {

FileStamp FileStamp::of(const QString& path)
{
    struct stat info;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0 ||
        !S_ISREG(info.st_mode))
        return {};
    return {true, static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            info.st_dev, info.st_ino};
}

} // namespace Quillorn
