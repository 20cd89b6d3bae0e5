#include "tags/TagLists.h"

#include "tags/TagListFile.h"
#include "tags/TagTarget.h"

#include <QDir>
#include <QFileInfo>

namespace Quillorn {

namespace {

// The file `name` in `folder`, matched without regard to case when the exact name is missing:
// the lists were named in varying case over time and file names here are case-sensitive.
QString findFile(const QString& folder, const QString& name)
{
    const QString exact = QDir(folder).filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList files = QDir(folder).entryList(QDir::Files);
    for (const QString& file : files) {
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(file);
    }
    return exact;
}

} // namespace

QString TagLists::fileName(Category category)
{
    switch (category) {
    case Category::Html:
        return QStringLiteral("HTMLTags.lng");
    case Category::JavaScript:
        return QStringLiteral("JavaScriptTags.lng");
    case Category::Php:
        return QStringLiteral("PHPTags.lng");
    case Category::Css:
        break;
    }
    return {};
}

void TagLists::load(const QString& languageFolder, const QString& language)
{
    for (int i = 0; i < categoryCount; ++i) {
        QStringList& list = m_entries[static_cast<size_t>(i)];
        list.clear();
        const QString name = fileName(static_cast<Category>(i));
        if (name.isEmpty())
            continue;
        const QStringList pieces = TagListFile::read(findFile(languageFolder, name), language);
        for (const QString& piece : pieces)
            list.append(TagListFile::withoutLeadingLineEnd(piece));
    }
}

const QStringList& TagLists::entries(Category category) const
{
    return m_entries[static_cast<size_t>(category)];
}

QStringList TagLists::captions(Category category) const
{
    QStringList result;
    for (const QString& entry : entries(category))
        result.append(TagListFile::entry(entry).caption);
    return result;
}

std::optional<QString> TagLists::text(Category category, int row) const
{
    const QStringList& list = entries(category);
    if (row < 0 || row >= list.size())
        return std::nullopt;
    const TagListFile::Entry entry = TagListFile::entry(list.at(row));
    if (!entry.hasText)
        return std::nullopt;
    return entry.text;
}

bool TagLists::insert(Category category, int row, TagTarget& target) const
{
    const std::optional<QString> entryText = text(category, row);
    // An empty text would make "<></>" of a bare name; it has nothing to insert.
    if (!entryText || entryText->isEmpty())
        return false;
    if (category == Category::Html && !entryText->contains(QLatin1Char('<')))
        target.insert2Tag(*entryText);
    else
        target.replaceSelection(*entryText);
    return true;
}

} // namespace Quillorn
