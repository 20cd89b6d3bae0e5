#include "platform/FreshFile.h"

#include "platform/posix/FreshFile.h"

#include <QFile>

namespace Quillorn {

int FreshFile::write(const QString& path, QByteArrayView bytes, mode_t mode)
{
    return Posix::FreshFile::write(QFile::encodeName(path).constData(),
                                   {bytes.data(), size_t(bytes.size())}, mode);
}

} // namespace Quillorn
