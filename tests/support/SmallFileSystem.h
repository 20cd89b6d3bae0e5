#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace Quillorn::Test {

// A tmpfs of a few kilobytes mounted over a temporary folder, so that writes meet a full disk
// for real. Mounting needs the right to (root here); isMounted() tells whether it worked.
class SmallFileSystem {
public:
    explicit SmallFileSystem(int kilobytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool isMounted() const { return m_mounted; }
    QString path(const QString& name) const;

    // Fills what room is left with the file `name`, until the file system refuses more.
    bool fill(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_point;
    bool m_mounted = false;
};

} // namespace Quillorn::Test
