#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <sys/mount.h>

namespace Quillorn::Test {

// A tmpfs of a few kilobytes mounted over a temporary folder, so that writes meet a full disk
// for real. Mounting needs the right to (root here); isMounted() tells whether it worked.
class SmallFileSystem {
public:
    explicit SmallFileSystem(int kilobytes)
    {
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        m_mounted = ::mount("tmpfs", m_point.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            ::umount(m_point.constData());
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool isMounted() const { return m_mounted; }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Fills what room is left with the file `name`.
    void fill(const QString& name) const
    {
        QFile file(path(name));
        const QByteArray block(4096, 'f');
        if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (file.write(block) == block.size()) {
            }
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_point = QFile::encodeName(m_dir.path());
    bool m_mounted = false;
};

} // namespace Quillorn::Test
