#include "documents/TemplateStore.h"

#include "platform/AppPaths.h"

#include <QDir>

namespace Quillorn {

TemplateStore::TemplateStore(QString folder)
    : m_folder(AppPaths::withTrailingSeparator(folder))
{
}

QString TemplateStore::folderIn(const QString& appDir)
{
    return AppPaths::withTrailingSeparator(appDir) + QLatin1String("templates/");
}

QStringList TemplateStore::fileNames() const
{
    QDir dir(m_folder);
    return dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

QString TemplateStore::path(const QString& fileName) const
{
    return m_folder + fileName;
}

QString TemplateStore::displayName(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

QString TemplateStore::extension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}

QString TemplateStore::nameError(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("The template needs a name.");
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1String("..")) || name == QLatin1String("."))
        return QStringLiteral("A template name cannot hold \"/\", \"\\\" or \"..\": "
                              "templates stay in the templates folder.");
    if (name.contains(QChar(0)))
        return QStringLiteral("A template name cannot hold that character.");
    return {};
}

FileIO::WriteResult TemplateStore::addTemplate(const QString& name, const QString& text,
                                               const QString& language) const
{
    const QString error = nameError(name);
    if (!error.isEmpty())
        return FileFailure::saving(FileFailure::Kind::NoName, path(name));
    QDir().mkpath(m_folder);
    return FileIO::writeTextFile(path(name), text, false, language);
}

} // namespace Quillorn
