#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace Quillorn::Test {

// A temporary HOME with its XDG folders, for the installer and the uninstaller: the programs
// of build/bin run in it, and `enter` points this process's own XDG look-ups at it, so that
// nothing lands in the user's (or the test's shared) folders.
class TemporaryHome {
public:
    TemporaryHome();
    ~TemporaryHome();

    bool isValid() const { return m_dir.isValid(); }
    // `relative` below the home folder.
    QString path(const QString& relative) const;
    // Where the installer installs by default, with a trailing "/".
    QString installFolder() const;

    // Sets this process's HOME and XDG variables to the temporary ones until destruction.
    void enter();

    struct Run {
        int exitCode = -1;
        QByteArray output;
        QByteArray errors;
    };

    // `program` (a path) run to its end with `arguments` in this home.
    Run run(const QString& program, const QStringList& arguments) const;
    // build/bin/quillsetup --unattended with `arguments`.
    Run install(const QStringList& arguments = {}) const;

    // build/bin, with a trailing "/", and the installer program without its payload.
    static QString binFolder();
    static QString installerProgram();

    static QByteArray readFile(const QString& path);
    static bool writeFile(const QString& path, const QByteArray& bytes);

private:
    QProcessEnvironment environment() const;

    QTemporaryDir m_dir;
    QList<std::pair<QByteArray, QByteArray>> m_saved;
};

} // namespace Quillorn::Test
