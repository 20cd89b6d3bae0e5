#include "platform/AppPaths.h"

#include <QCoreApplication>

namespace Quillorn {

QString AppPaths::appDir()
{
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

QString AppPaths::withTrailingSeparator(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString AppPaths::fileName(const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

} // namespace Quillorn
