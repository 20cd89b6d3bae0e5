#include "editing/EditRules.h"

namespace Quillorn {

EditRules::LineEnd EditRules::lineEndAt(QByteArrayView textFromLineEnd)
{
    if (textFromLineEnd.startsWith("\r\n"))
        return LineEnd::CrLf;
    if (textFromLineEnd.startsWith('\r'))
        return LineEnd::Cr;
    if (textFromLineEnd.startsWith('\n'))
        return LineEnd::Lf;
    return LineEnd::CrLf;
}

QByteArray EditRules::lineEndBytes(LineEnd lineEnd)
{
    switch (lineEnd) {
    case LineEnd::Lf:
        return QByteArrayLiteral("\n");
    case LineEnd::Cr:
        return QByteArrayLiteral("\r");
    case LineEnd::CrLf:
        break;
    }
    return QByteArrayLiteral("\r\n");
}

QString EditRules::withLineEnds(const QString& text, LineEnd lineEnd)
{
    const QString wanted = QString::fromLatin1(lineEndBytes(lineEnd));
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            result += wanted;
        } else if (c == QLatin1Char('\n')) {
            result += wanted;
        } else {
            result += c;
        }
    }
    return result;
}

QByteArray EditRules::indentation(QByteArrayView line, LineEnd lineEnd)
{
    qsizetype spaces = 0;
    qsizetype tabs = 0;
    for (const char c : line) {
        if (c == ' ')
            ++spaces;
        else if (c == '\t')
            ++tabs;
        else
            break;
    }
    return lineEndBytes(lineEnd) + QByteArray(spaces, ' ') + QByteArray(tabs, '\t');
}

} // namespace Quillorn
