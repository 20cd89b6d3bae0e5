#include "documents/FileKind.h"

#include "platform/AppPaths.h"

namespace Quillorn {

QString FileKind::extension(const QString& path)
{
    const QString name = AppPaths::fileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

FileKind::Kind FileKind::kindOf(const QString& path)
{
    return kindOfExtension(extension(path));
}

FileKind::Kind FileKind::kindOfExtension(const QString& extension)
{
    for (Kind kind : {Kind::Html, Kind::JavaScript, Kind::Css, Kind::Php}) {
        if (extensions(kind).contains(extension))
            return kind;
    }
    return Kind::Other;
}

bool FileKind::isProjectFile(const QString& path)
{
    return path.right(4).toLower() == QLatin1String(".qlp");
}

QStringList FileKind::extensions(Kind kind)
{
    switch (kind) {
    case Kind::Html:
        return {QStringLiteral(".html"), QStringLiteral(".htm")};
    case Kind::JavaScript:
        return {QStringLiteral(".js")};
    case Kind::Css:
        return {QStringLiteral(".css")};
    case Kind::Php:
        return {QStringLiteral(".php"), QStringLiteral(".phtml"), QStringLiteral(".php3")};
    case Kind::Other:
        break;
    }
    return {};
}

Str FileKind::dialogName(Kind kind)
{
    switch (kind) {
    case Kind::Html:
        return Str::KindHtmlPage;
    case Kind::JavaScript:
        return Str::KindJavaScript;
    case Kind::Css:
        return Str::KindCss;
    case Kind::Php:
        return Str::KindPhp;
    case Kind::Other:
        break;
    }
    return Str::KindAllFiles;
}

QString FileKind::iconFileName(Kind kind)
{
    switch (kind) {
    case Kind::Html:
        return QStringLiteral("html.svg");
    case Kind::JavaScript:
        return QStringLiteral("js.svg");
    case Kind::Css:
        return QStringLiteral("css.svg");
    case Kind::Php:
        return QStringLiteral("php.svg");
    case Kind::Other:
        break;
    }
    return {};
}

QString FileKind::iconPath(Kind kind, const QString& appDir)
{
    const QString file = iconFileName(kind);
    if (file.isEmpty())
        return {};
    return AppPaths::withTrailingSeparator(appDir) + QLatin1String("icons/") + file;
}

} // namespace Quillorn
