#include "support/TestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace Quillorn::Test {

TestEnvironment::TestEnvironment(Languages languages)
{
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("templates"));
    root.mkpath(QStringLiteral("plug-ins"));
    copyFolder(QStringLiteral(QUILLORN_SHIPPED_DATA "/icons"), path(QStringLiteral("icons")));
    if (languages == Languages::Shipped)
        copyFolder(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages"),
                   path(QStringLiteral("languages")));
}

QString TestEnvironment::appDir() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TestEnvironment::path(const QString& relative) const
{
    return appDir() + relative;
}

bool TestEnvironment::writeFile(const QString& relative, const QByteArray& bytes) const
{
    const QString target = path(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QByteArray TestEnvironment::readFile(const QString& relative) const
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TestEnvironment::copyFolder(const QString& from, const QString& to)
{
    QDir source(from);
    if (!source.exists())
        return false;
    bool ok = true;
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        ok = QFile::copy(file, target) && ok;
    }
    return ok;
}

} // namespace Quillorn::Test
