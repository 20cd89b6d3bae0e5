#include "editing/CommentToggle.h"

#include "editing/StyleBlockColourer.h"

#include <QList>

namespace Quillorn {

namespace {

// The HTML lexer's styles: client and server JavaScript, PHP and the "<?php" tag itself.
constexpr int FirstScriptStyle = 40;
constexpr int LastScriptStyle = 67;
constexpr int PhpTagStyle = 18;
constexpr int PhpComplexVariableStyle = 104;
constexpr int FirstPhpStyle = 118;
constexpr int LastPhpStyle = 127;

struct Syntax {
    QByteArray open;
    QByteArray close; // empty for a line comment
};

Syntax syntaxOf(CommentToggle::Language language)
{
    switch (language) {
    case CommentToggle::Language::Html:
        return {"<!--", "-->"};
    case CommentToggle::Language::Css:
        return {"/*", "*/"};
    case CommentToggle::Language::JavaScript:
    case CommentToggle::Language::Php:
        break;
    }
    return {"//", {}};
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

// One line split into its indentation, its text and what follows it (trailing blanks and the
// line end).
struct Line {
    QByteArray indent;
    QByteArray body;
    QByteArray tail;
};

Line splitLine(const QByteArray& line)
{
    qsizetype end = line.size();
    while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r'))
        --end;
    while (end > 0 && isSpace(line[end - 1]))
        --end;
    qsizetype start = 0;
    while (start < end && isSpace(line[start]))
        ++start;
    return {line.left(start), line.mid(start, end - start), line.mid(end)};
}

QList<QByteArray> splitLines(const QByteArray& text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            lines.append(text.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

// The opener that comments out `body`, when it is a comment of `language`.
std::optional<QByteArray> commentOpener(const QByteArray& body, CommentToggle::Language language)
{
    const Syntax syntax = syntaxOf(language);
    if (body.startsWith(syntax.open) &&
        (syntax.close.isEmpty() ||
         (body.endsWith(syntax.close) && body.size() >= syntax.open.size() + syntax.close.size())))
        return syntax.open;
    if (language == CommentToggle::Language::Php && body.startsWith('#') && !body.startsWith("#["))
        return QByteArray("#");
    return std::nullopt;
}

QByteArray uncomment(const Line& line, const QByteArray& opener, const Syntax& syntax)
{
    QByteArray body = line.body.mid(opener.size());
    if (opener == syntax.open && !syntax.close.isEmpty()) {
        body.chop(syntax.close.size());
        if (body.endsWith(' '))
            body.chop(1);
    }
    if (body.startsWith(' '))
        body.remove(0, 1);
    return line.indent + body + line.tail;
}

} // namespace

std::optional<CommentToggle::Language> CommentToggle::languageOfStyle(int style, LexerKind kind)
{
    switch (kind) {
    case LexerKind::PlainText:
        return std::nullopt;
    case LexerKind::Css:
        return Language::Css;
    case LexerKind::JavaScript:
        return Language::JavaScript;
    case LexerKind::Html:
        break;
    }
    if (style >= StyleBlockColourer::FirstStyle)
        return Language::Css;
    if (style == PhpTagStyle || style == PhpComplexVariableStyle ||
        (style >= FirstPhpStyle && style <= LastPhpStyle))
        return Language::Php;
    if (style >= FirstScriptStyle && style <= LastScriptStyle)
        return Language::JavaScript;
    return Language::Html;
}

std::optional<QByteArray> CommentToggle::toggle(const QByteArray& lines, Language language)
{
    const Syntax syntax = syntaxOf(language);
    QList<Line> parts;
    bool anyText = false;
    bool allCommented = true;
    for (const QByteArray& text : splitLines(lines)) {
        parts.append(splitLine(text));
        if (parts.last().body.isEmpty())
            continue;
        anyText = true;
        allCommented = allCommented && commentOpener(parts.last().body, language).has_value();
    }
    if (!anyText)
        return std::nullopt;

    QByteArray result;
    result.reserve(lines.size() + parts.size() * (syntax.open.size() + syntax.close.size() + 2));
    for (const Line& line : parts) {
        if (line.body.isEmpty())
            result += line.indent + line.tail;
        else if (allCommented)
            result += uncomment(line, *commentOpener(line.body, language), syntax);
        else if (syntax.close.isEmpty())
            result += line.indent + syntax.open + ' ' + line.body + line.tail;
        else
            result += line.indent + syntax.open + ' ' + line.body + ' ' + syntax.close + line.tail;
    }
    return result;
}

} // namespace Quillorn
