#include "documents/TextFinder.h"

#include <algorithm>
#include <array>

namespace Quillorn {

namespace {

// Longer lines are shown cut in the result list.
constexpr qsizetype MaxLineText = 200;

// The number of UTF-8 bytes `text` [from, to) takes.
qint64 utf8Length(const QString& text, qsizetype from, qsizetype to)
{
    qint64 bytes = 0;
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80)
            bytes += 1;
        else if (c < 0x800)
            bytes += 2;
        else if (QChar::isHighSurrogate(c) && i + 1 < to &&
                 QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            bytes += 4;
            ++i;
        } else
            bytes += 3;
    }
    return bytes;
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Whether the character in `utf8` [from, to) is a letter, a digit or "_": part of a word.
bool isWordCharacter(const char* from, const char* to)
{
    const QList<uint> characters = QString::fromUtf8(from, to - from).toUcs4();
    return !characters.isEmpty() &&
           (characters.first() == '_' || QChar::isLetterOrNumber(characters.first()));
}

// Whether the bytes before `at` end a word character (at the start of the text, no).
bool wordCharacterBefore(const char* begin, const char* at)
{
    const char* start = at;
    while (start > begin && at - start < 4 && isContinuationByte(*(start - 1)))
        --start;
    if (start > begin)
        --start;
    return start < at && isWordCharacter(start, at);
}

// Whether the bytes from `at` start a word character (at the end of the text, no).
bool wordCharacterAt(const char* at, const char* end)
{
    if (at == end)
        return false;
    const char* next = at + 1;
    while (next < end && next - at < 4 && isContinuationByte(*next))
        ++next;
    return isWordCharacter(at, next);
}

// Walks a text match by match, counting lines (ended by LF, CR LF or a lone CR, as the editor
// ends them) and keeping where the current line starts.
class LineCounter {
public:
    LineCounter(const char* begin, const char* end)
        : m_begin(begin)
        , m_end(end)
        , m_counted(begin)
        , m_lineStart(begin)
    {
    }

    // Counts on up to `to`; returns its line, counted from 1.
    int lineAt(const char* to)
    {
        for (; m_counted < to; ++m_counted) {
            const char c = *m_counted;
            if (c == '\n' || (c == '\r' && (m_counted + 1 == m_end || m_counted[1] != '\n'))) {
                ++m_line;
                m_lineStart = m_counted + 1;
            }
        }
        return m_line;
    }
    // The match of the bytes [from, to), counting on to it.
    TextFinder::Match match(const char* from, const char* to)
    {
        TextFinder::Match match;
        match.line = lineAt(from);
        match.column = 1 + static_cast<int>(std::count_if(
                               m_lineStart, from, [](char c) { return !isContinuationByte(c); }));
        match.position = from - m_begin;
        match.length = to - from;
        const char* lineEnd = from;
        while (lineEnd < m_end && *lineEnd != '\n' && *lineEnd != '\r')
            ++lineEnd;
        // Enough bytes for the shown characters, however many bytes each takes.
        const qsizetype shown = std::min<qsizetype>(lineEnd - m_lineStart, MaxLineText * 4);
        match.lineText = QString::fromUtf8(m_lineStart, shown).left(MaxLineText).trimmed();
        return match;
    }

private:
    const char* m_begin;
    const char* m_end;
    const char* m_counted;
    const char* m_lineStart;
    int m_line = 1;
};

} // namespace

TextFinder::TextFinder(const Options& options)
{
    QString pattern =
        options.regularExpression ? options.pattern : QRegularExpression::escape(options.pattern);
    QRegularExpression::PatternOptions flags = QRegularExpression::MultilineOption;
    if (!options.matchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    // A whole word is one no letter, digit or "_" is glued to, whatever it starts or ends with.
    if (options.wholeWords)
        pattern = QStringLiteral("(?<!\\w)(?:%1)(?!\\w)").arg(pattern);
    // Words (\w) of any script, not only ASCII ones.
    if (options.wholeWords || options.regularExpression)
        flags |= QRegularExpression::UseUnicodePropertiesOption;
    if (!options.pattern.isEmpty())
        m_expression = QRegularExpression(pattern, flags);
    m_matchCase = options.matchCase;
    m_wholeWords = options.wholeWords;
    const bool ascii = std::all_of(options.pattern.cbegin(), options.pattern.cend(),
                                   [](QChar c) { return c.unicode() < 0x80; });
    if (!options.regularExpression && ascii) {
        m_word = options.pattern.toLatin1();
        if (!m_matchCase)
            std::transform(m_word.begin(), m_word.end(), m_word.begin(), lowerAscii);
    }
}

bool TextFinder::isValid() const
{
    return !m_expression.pattern().isEmpty() && m_expression.isValid();
}

QString TextFinder::errorText() const
{
    return m_expression.errorString();
}

QList<TextFinder::Match> TextFinder::find(const QByteArray& utf8) const
{
    if (!isValid())
        return {};
    return m_word.isEmpty() ? findExpression(utf8) : findWord(utf8);
}

QList<TextFinder::Match> TextFinder::findWord(const QByteArray& utf8) const
{
    QList<Match> matches;
    const char* begin = utf8.constData();
    const char* end = begin + utf8.size();
    // Boyer-Moore-Horspool over the bytes, letters compared without their case when it is
    // ignored (the word is in lower case then).
    const qsizetype length = m_word.size();
    const char* word = m_word.constData();
    std::array<qsizetype, 256> skip;
    skip.fill(length);
    for (qsizetype i = 0; i + 1 < length; ++i) {
        const auto c = static_cast<unsigned char>(word[i]);
        skip[c] = length - 1 - i;
        if (!m_matchCase && c >= 'a' && c <= 'z')
            skip[c - ('a' - 'A')] = length - 1 - i;
    }
    const auto fold = [this](char c) {
        return m_matchCase ? c : lowerAscii(c);
    };
    const auto search = [&](const char* from) {
        for (const char* p = from; end - p >= length;
             p += skip[static_cast<unsigned char>(p[length - 1])]) {
            qsizetype i = length - 1;
            while (fold(p[i]) == word[i]) {
                if (i == 0)
                    return p;
                --i;
            }
        }
        return end;
    };
    LineCounter lines(begin, end);
    for (const char* at = begin; at < end;) {
        const char* found = search(at);
        if (found == end)
            break;
        const char* foundEnd = found + m_word.size();
        if (m_wholeWords && (wordCharacterBefore(begin, found) || wordCharacterAt(foundEnd, end))) {
            at = found + 1;
            continue;
        }
        matches.append(lines.match(found, foundEnd));
        at = foundEnd;
    }
    return matches;
}

QList<TextFinder::Match> TextFinder::findExpression(const QByteArray& utf8) const
{
    QList<Match> matches;
    const QString text = QString::fromUtf8(utf8);
    const char* begin = utf8.constData();
    LineCounter lines(begin, begin + utf8.size());
    // Bytes are counted on from the previous match, so a text is walked once.
    qsizetype counted = 0;
    qint64 bytes = 0;
    auto it = m_expression.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch found = it.next();
        const qsizetype start = found.capturedStart();
        if (found.capturedEnd() == start)
            continue;
        bytes += utf8Length(text, counted, start);
        counted = start;
        matches.append(lines.match(begin + bytes,
                                   begin + bytes + utf8Length(text, start, found.capturedEnd())));
    }
    return matches;
}

} // namespace Quillorn
