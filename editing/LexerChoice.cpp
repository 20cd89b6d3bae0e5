#include "editing/LexerChoice.h"

#include "platform/AppPaths.h"

namespace Quillorn {

LexerKind LexerChoice::forFileName(const QString& fileName)
{
    const QString name = AppPaths::fileName(fileName);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return LexerKind::PlainText;
    const QString extension = name.mid(dot + 1).toLower();
    if (extension == QLatin1String("html") || extension == QLatin1String("htm") ||
        extension == QLatin1String("php") || extension == QLatin1String("phtml") ||
        extension == QLatin1String("php3"))
        return LexerKind::Html;
    if (extension == QLatin1String("js"))
        return LexerKind::JavaScript;
    if (extension == QLatin1String("css"))
        return LexerKind::Css;
    return LexerKind::PlainText;
}

} // namespace Quillorn
