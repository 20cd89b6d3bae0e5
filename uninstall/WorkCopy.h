#pragma once

#include <QString>

namespace Quillorn {

// The uninstaller's first start: a copy of the program and of the installation log in the
// temporary folder ("UnQuill", "UnQuill.log"), started there with "OK", so that the work is
// done by a program outside the folder it removes. The copies are made anew, never through a
// name someone else has put there.
class WorkCopy {
public:
    explicit WorkCopy(QString tempFolder)
        : m_tempFolder(std::move(tempFolder))
    {
    }

    QString program() const { return m_tempFolder + QStringLiteral("/UnQuill"); }
    QString log() const { return m_tempFolder + QStringLiteral("/UnQuill.log"); }

    // Copies `program` and the log `log` (no copy of the log when there is none: an older
    // one is removed all the same). Empty, or the message for the user.
    QString make(const QString& program, const QString& log) const;

    // Starts the copy with "OK"; false when it cannot run (a temporary folder that allows
    // no programs).
    bool start() const;

    // The command-line argument of the work copy.
    static QString argument() { return QStringLiteral("OK"); }

private:
    QString m_tempFolder;
};

} // namespace Quillorn
