#include "editing/InertKeystroke.h"

#include "editing/QsciHeaders.h"

namespace Quillorn {

namespace {

using Html = QsciLexerHTML;

bool isWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isWordOrBlank(char c)
{
    return isWordByte(c) || c == ' ' || c == '\t';
}

// Styles in which the lexer only looks for the bytes that end them: letters, digits and spaces
// change nothing there but their own colour.
bool isQuietStyle(int style)
{
    switch (style) {
    case Html::Default:
    case Html::HTMLComment:
    case Html::JavaScriptComment:
    case Html::JavaScriptCommentLine:
    case Html::JavaScriptCommentDoc:
    case Html::JavaScriptDoubleQuotedString:
    case Html::JavaScriptSingleQuotedString:
        return true;
    default:
        return false;
    }
}

// After these the lexer reads a word as part of what they start ("</script", "<?php",
// "&amp;"): a word behind one of them is not typed into quietly.
bool startsMarkup(char c)
{
    switch (c) {
    case '<':
    case '/':
    case '&':
    case '?':
    case '!':
    case '%':
    case '#':
    case '$':
    case '\\':
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<int> InertKeystroke::typedStyle(QByteArrayView before, int styleBefore, char typed,
                                              const std::optional<Neighbour>& after)
{
    if (before.isEmpty() || !isQuietStyle(styleBefore) || !(isWordByte(typed) || typed == ' '))
        return std::nullopt;
    const char previous = before.back();
    if (!isWordOrBlank(previous))
        return std::nullopt;
    if (after && (after->style != styleBefore || !isWordOrBlank(after->byte)))
        return std::nullopt;
    // A line of blanks only would stop being blank, which the lexer notes for folding.
    if (!isWordByte(previous) && !(after && isWordByte(after->byte)))
        return std::nullopt;
    for (qsizetype i = before.size() - 1; i >= 0; --i) {
        if (!isWordByte(before[i])) {
            if (startsMarkup(before[i]))
                return std::nullopt;
            break;
        }
    }
    return styleBefore;
}

} // namespace Quillorn
