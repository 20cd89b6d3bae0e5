#include "support/SmallFileSystem.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace Quillorn::Test {

SmallFileSystem::SmallFileSystem(int kilobytes)
    : m_point(QFile::encodeName(m_dir.path()))
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    m_mounted = m_dir.isValid() &&
                ::mount("tmpfs", m_point.constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallFileSystem::~SmallFileSystem()
{
    if (m_mounted)
        ::umount(m_point.constData());
}

QString SmallFileSystem::path(const QString& name) const
{
    return m_dir.filePath(name);
}

bool SmallFileSystem::fill(const QString& name) const
{
    const int fd = ::open(QFile::encodeName(path(name)).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

} // namespace Quillorn::Test
