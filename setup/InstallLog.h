#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Quillorn {

// The installation log and the record of the last installation folder: one full path a
// line, each line ended by CR LF. The log's first line is the installation folder, the others
// are the installed files and desktop entries in the order they were made.
class InstallLog {
public:
    static QByteArray line(const QString& path);

    // The lines of `bytes`, ended by CR LF or LF alone (the file may have been edited by
    // hand), a last line without an end included; empty lines are passed over.
    static QStringList lines(const QByteArray& bytes);
};

} // namespace Quillorn
