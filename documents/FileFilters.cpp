#include "documents/FileFilters.h"

#include "documents/FileKind.h"
#include "platform/LangStrings.h"

#include <QStringList>

namespace Quillorn {

namespace {

QString kindName(const LangStrings& strings, FileKind::Kind kind)
{
    return strings.value(FileKind::dialogName(kind));
}

QString allFiles(const LangStrings& strings)
{
    return kindName(strings, FileKind::Kind::Other) + QLatin1String("|*.*");
}

} // namespace

QString FileFilters::openFilterText(const LangStrings& strings)
{
    using Kind = FileKind::Kind;
    return strings.value(Str::AllKnownFormats) +
           QLatin1String("|*.html;*.htm;*.js;*.css;*.php;*.phtml;*.php3;*.qlp|") +
           kindName(strings, Kind::Html) + QLatin1String("|*.html;*.htm|") +
           kindName(strings, Kind::JavaScript) + QLatin1String("|*.js|") +
           kindName(strings, Kind::Php) + QLatin1String("|*.php;*.phtml;*.php3|") +
           strings.value(Str::ProjectFileKind) + QLatin1String("|*.qlp|") + allFiles(strings);
}

QString FileFilters::openFilter(const LangStrings& strings)
{
    return toQtFilter(openFilterText(strings));
}

QString FileFilters::saveAsFilterText(const LangStrings& strings, const QString& caption)
{
    const QString ext = FileKind::extension(caption);
    const FileKind::Kind kind = FileKind::kindOfExtension(ext);
    // JavaScript and CSS have one extension each; the other kinds keep the one the document has.
    QString first;
    switch (kind) {
    case FileKind::Kind::JavaScript:
        first = kindName(strings, kind) + QLatin1String("|*.js");
        break;
    case FileKind::Kind::Css:
        first = kindName(strings, kind) + QLatin1String("|*.css");
        break;
    default:
        first = kindName(strings, kind) + QLatin1String("|*") + ext;
        break;
    }
    return first + QLatin1Char('|') + allFiles(strings);
}

QString FileFilters::saveAsFilter(const LangStrings& strings, const QString& caption)
{
    return toQtFilter(saveAsFilterText(strings, caption));
}

QString FileFilters::projectFilterText(const LangStrings& strings)
{
    return strings.value(Str::ProjectFileKind) + QLatin1String("|*.qlp");
}

QString FileFilters::projectFilter(const LangStrings& strings)
{
    return toQtFilter(projectFilterText(strings));
}

QString FileFilters::toQtFilter(const QString& pipeForm)
{
    const QStringList pieces = pipeForm.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < pieces.size(); i += 2) {
        const QString name = pieces.at(i).trimmed();
        QStringList patterns;
        if (i + 1 < pieces.size()) {
            for (const QString& pattern : pieces.at(i + 1).split(QLatin1Char(';'))) {
                const QString p = pattern.trimmed();
                if (p.isEmpty())
                    continue;
                // The Windows "*.*" also matches names without a dot; "*" does that here.
                patterns.append(p == QLatin1String("*.*") ? QStringLiteral("*") : p);
            }
        }
        if (name.isEmpty() && patterns.isEmpty())
            continue;
        if (patterns.isEmpty())
            patterns.append(QStringLiteral("*"));
        patterns.removeDuplicates();
        const QString list = patterns.join(QLatin1Char(' '));
        filters.append(name.isEmpty() ? list
                                      : name + QLatin1String(" (") + list + QLatin1Char(')'));
    }
    return filters.join(QLatin1String(";;"));
}

} // namespace Quillorn
