#include "documents/TextFinder.h"

#include <algorithm>
#include <cstring>

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

constexpr quint64 LowBits = 0x0101010101010101ULL;
constexpr quint64 HighBits = 0x8080808080808080ULL;

quint64 load8(const char* p)
{
    quint64 bytes;
    std::memcpy(&bytes, p, 8);
    return bytes;
}

// A byte of a word, compared eight bytes of text at a time: a byte of the text is that byte
// when (byte | fold) == value, which takes a letter in either case when case is ignored.
struct WordEnd {
    quint64 fold;
    quint64 value;
};

WordEnd wordEnd(char c, bool matchCase)
{
    const bool letter = !matchCase && c >= 'a' && c <= 'z';
    return {letter ? 0x20 * LowBits : 0, static_cast<unsigned char>(c) * LowBits};
}

// The high bit of each zero byte of `bytes` set (and maybe of bytes above one: enough to tell
// which eight bytes hold none).
quint64 zeroBytes(quint64 bytes)
{
    return (bytes - LowBits) & ~bytes & HighBits;
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
        if (to <= m_counted)
            return m_line;
        // The line ends are counted without a branch, which the compiler does many bytes at a
        // time (the text before a match is most of what is read); then the last one is found.
        const char* last = to - 1;
        int ends = 0;
        for (const char* p = m_counted; p < last; ++p)
            ends += (*p == '\n') | ((*p == '\r') & (p[1] != '\n'));
        if (endsLine(last))
            ++ends;
        if (ends > 0) {
            m_line += ends;
            while (!endsLine(last))
                --last;
            m_lineStart = last + 1;
        }
        m_counted = to;
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
    // Whether the byte at `p` ends a line.
    bool endsLine(const char* p) const
    {
        return *p == '\n' || (*p == '\r' && (p + 1 == m_end || p[1] != '\n'));
    }

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
    const qsizetype length = m_word.size();
    const char* word = m_word.constData();
    const auto fold = [this](char c) {
        return m_matchCase ? c : lowerAscii(c);
    };
    const auto wordAt = [&](const char* p) {
        for (qsizetype i = 0; i < length; ++i) {
            if (fold(p[i]) != word[i])
                return false;
        }
        return true;
    };
    // Places are sifted eight at a time: only those where the word's first and last bytes
    // both stand (a letter in either case when case is ignored) are compared whole, and a
    // text seldom holds the two at the word's distance.
    const WordEnd first = wordEnd(word[0], m_matchCase);
    const WordEnd last = wordEnd(word[length - 1], m_matchCase);
    const auto search = [&](const char* p) {
        for (; end - p >= length + 7; p += 8) {
            const quint64 candidates =
                zeroBytes(((load8(p) | first.fold) ^ first.value) |
                          ((load8(p + length - 1) | last.fold) ^ last.value));
            if (candidates == 0)
                continue;
            for (int i = 0; i < 8; ++i) {
                if (wordAt(p + i))
                    return p + i;
            }
        }
        for (; end - p >= length; ++p) {
            if (wordAt(p))
                return p;
        }
        return end;
    };
    LineCounter lines(begin, end);
    for (const char* at = begin; at < end;) {
        const char* found = search(at);
        if (found == end)
            break;
        const char* foundEnd = found + length;
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
