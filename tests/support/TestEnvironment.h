#pragma once

#include <QString>
#include <QTemporaryDir>

namespace Quillorn::Test {

// A temporary program folder laid out like an installation: languages/ copied from the
// shipped data (or left out), templates/ and plug-ins/, with nothing of the user's touched.
class TestEnvironment {
public:
    enum class Languages { Shipped, None };

    explicit TestEnvironment(Languages languages = Languages::Shipped);

    bool isValid() const { return m_dir.isValid(); }
    // The program folder, with a trailing "/".
    QString appDir() const;
    QString path(const QString& relative) const;

    // Writes `bytes` to `relative` below the program folder, creating folders on the way.
    bool writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;

    // Copies a shipped data folder (below data/) into the program folder.
    static bool copyFolder(const QString& from, const QString& to);

private:
    QTemporaryDir m_dir;
};

} // namespace Quillorn::Test
