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

std::optional<Str> TemplateStore::nameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return Str::TemplateNeedsName;
    // Only names that would leave the templates folder, or name it, are refused: "v1..2.html"
    // is a file name like any other.
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QChar(0)) || name == QLatin1String(".") || name == QLatin1String(".."))
        return Str::TemplateBadName;
    return std::nullopt;
}

FileIO::WriteResult TemplateStore::addTemplate(const QString& name, const QString& text,
                                               const QString& language) const
{
    if (nameProblem(name))
        return FileFailure::saving(FileFailure::Kind::NoName, path(name));
    QDir().mkpath(m_folder);
    return FileIO::writeTextFile(path(name), text, false, language);
}

} // namespace Quillorn
