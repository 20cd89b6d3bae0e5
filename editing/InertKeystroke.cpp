#include "editing/InertKeystroke.h"

#include "component/QsciHeaders.h"

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

std::optional<InertKeystroke::Word> InertKeystroke::typedScriptWord(QByteArrayView text,
                                                                    qsizetype at,
                                                                    const QList<int>& styles,
                                                                    QByteArrayView keywords)
{
    // The lexer reads at most this much of a word when it looks it up among the keywords.
    constexpr qsizetype KeywordLength = 30;
    const auto isNameByte = [](char c) {
        return isWordByte(c) || c == '_';
    };
    // Bytes the lexer may take into a word where this reading would not.
    const auto mayJoin = [](char c) {
        return c == '.' || c == '$' || static_cast<uchar>(c) >= 0x80;
    };
    if (at < 0 || at >= text.size() || !isNameByte(text[at]))
        return std::nullopt;
    qsizetype start = at;
    while (start > 0 && isNameByte(text[start - 1]))
        --start;
    qsizetype end = at + 1;
    while (end < text.size() && isNameByte(text[end]))
        ++end;
    // The whole word and a byte on each side must be in view, and the word must have been one
    // before the key.
    if (start == 0 || end == text.size() || end - start < 2 || end - start > KeywordLength ||
        mayJoin(text[start - 1]) || mayJoin(text[end]))
        return std::nullopt;
    for (qsizetype i = start; i < end; ++i) {
        if (i == at)
            continue;
        switch (styles.value(i, -1)) {
        case QsciLexerHTML::JavaScriptWord:
        case QsciLexerHTML::JavaScriptKeyword:
        case QsciLexerHTML::JavaScriptNumber:
            break;
        default:
            return std::nullopt;
        }
    }
    qsizetype next = end;
    while (next < text.size() && (text[next] == ' ' || text[next] == '\t'))
        ++next;
    if (next < text.size() && text[next] == '/')
        return std::nullopt;

    const QByteArrayView word = text.sliced(start, end - start);
    int style = QsciLexerHTML::JavaScriptWord;
    if (word.front() >= '0' && word.front() <= '9') {
        for (const char c : word) {
            if (c < '0' || c > '9')
                return std::nullopt;
        }
        style = QsciLexerHTML::JavaScriptNumber;
    } else {
        for (qsizetype from = 0; from < keywords.size();) {
            qsizetype to = keywords.indexOf(' ', from);
            if (to < 0)
                to = keywords.size();
            if (keywords.sliced(from, to - from) == word) {
                style = QsciLexerHTML::JavaScriptKeyword;
                break;
            }
            from = to + 1;
        }
    }
    return Word{start, end, style};
}

} // namespace Quillorn
