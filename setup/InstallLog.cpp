#include "setup/InstallLog.h"

#include <QFile>

namespace Quillorn {

QByteArray InstallLog::line(const QString& path)
{
    return QFile::encodeName(path) + "\r\n";
}

QStringList InstallLog::lines(const QByteArray& bytes)
{
    QStringList lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            lines.append(QFile::decodeName(line));
    }
    return lines;
}

} // namespace Quillorn
