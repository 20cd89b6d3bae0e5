#include "editing/StyleBlockColourer.h"

#include "editing/EditorStyles.h"

#include "component/QsciHeaders.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
constexpr char HtmlPlainStyle = 0; // the HTML lexer's style of text outside tags
constexpr long HtmlTagStyle = 1;   // the HTML lexer's style of a known tag
constexpr int TokenKinds = static_cast<int>(CssTokenizer::Kind::Punctuation) + 1;

bool isTagNameEnd(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/';
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isTokenStyle(unsigned char style)
{
    return style >= StyleBlockColourer::FirstStyle &&
           style < StyleBlockColourer::FirstStyle + TokenKinds;
}

// Bytes the lexer left plain (or that carry a token style already) take the token styles;
// line ends keep the lexer's, which it reads back when it starts again at a line.
bool takesTokenStyle(char c, unsigned char style)
{
    return (style == HtmlPlainStyle || isTokenStyle(style)) && c != '\r' && c != '\n';
}

} // namespace

StyleBlockColourer::StyleBlockColourer(QsciScintillaBase* view)
    : m_view(view)
{
}

int StyleBlockColourer::style(CssTokenizer::Kind kind)
{
    return FirstStyle + static_cast<int>(kind);
}

int StyleBlockColourer::lexerStyle(int style)
{
    return isTokenStyle(static_cast<unsigned char>(style)) ? HtmlPlainStyle : style;
}

QColor StyleBlockColourer::colour(CssTokenizer::Kind kind)
{
    switch (kind) {
    case CssTokenizer::Kind::Selector:
        return QColor(0x80, 0x00, 0x00);
    case CssTokenizer::Kind::AtRule:
        return QColor(0x7f, 0x00, 0x7f);
    case CssTokenizer::Kind::Property:
        return QColor(0x00, 0x5f, 0x87);
    case CssTokenizer::Kind::Value:
        return QColor(0x20, 0x20, 0xa0);
    case CssTokenizer::Kind::String:
        return QColor(0x00, 0x80, 0x00);
    case CssTokenizer::Kind::Comment:
        return QColor(0x80, 0x80, 0x80);
    case CssTokenizer::Kind::Punctuation:
        break;
    }
    return QColor(0x00, 0x00, 0x00);
}

void StyleBlockColourer::setUpStyles()
{
    for (int kind = 0; kind < TokenKinds; ++kind) {
        const auto k = static_cast<CssTokenizer::Kind>(kind);
        m_view->SendScintilla(S::SCI_STYLESETFORE, static_cast<unsigned long>(style(k)),
                              EditorStyles::toViewColour(colour(k)));
    }
}

void StyleBlockColourer::textChanged(qint64 position)
{
    // A change can move the tokens after it anywhere up to the end of their sheet.
    markUncoloured(position, std::numeric_limits<qint64>::max());
}

void StyleBlockColourer::lexerStyled(qint64 position, qint64 length)
{
    if (!m_writing)
        markUncoloured(position, position + length);
}

void StyleBlockColourer::markColoured(qint64 from, qint64 to)
{
    QList<Range> merged;
    merged.reserve(m_coloured.size() + 1);
    Range added(from, to);
    bool placed = false;
    for (const Range& range : std::as_const(m_coloured)) {
        if (range.second < added.first) {
            merged.append(range);
        } else if (range.first > added.second) {
            if (!placed)
                merged.append(added);
            placed = true;
            merged.append(range);
        } else {
            added = Range(std::min(range.first, added.first), std::max(range.second, added.second));
        }
    }
    if (!placed)
        merged.append(added);
    m_coloured = merged;
}

void StyleBlockColourer::markUncoloured(qint64 from, qint64 to)
{
    QList<Range> kept;
    kept.reserve(m_coloured.size() + 1);
    for (const Range& range : std::as_const(m_coloured)) {
        if (range.second <= from || range.first >= to) {
            kept.append(range);
            continue;
        }
        if (range.first < from)
            kept.append(Range(range.first, from));
        if (range.second > to)
            kept.append(Range(to, range.second));
    }
    m_coloured = kept;
}

QList<StyleBlockColourer::Range> StyleBlockColourer::uncoloured(qint64 from, qint64 to) const
{
    QList<Range> ranges;
    qint64 cursor = from;
    for (const Range& done : m_coloured) {
        if (done.second <= cursor)
            continue;
        if (done.first >= to)
            break;
        if (done.first > cursor)
            ranges.append(Range(cursor, done.first));
        cursor = done.second;
    }
    if (cursor < to)
        ranges.append(Range(cursor, to));
    return ranges;
}

void StyleBlockColourer::colour(qint64 from, qint64 to)
{
    auto lineOf = [this](qint64 position) {
        return static_cast<unsigned long>(
            m_view->SendScintilla(S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
    };
    // Whole lines, each from its start as its first colouring went: a sheet is read back to its
    // start only LookBehind bytes far, so starting elsewhere could read it otherwise.
    QList<Range> lines;
    for (const Range& gap : uncoloured(from, to)) {
        const qint64 start = m_view->SendScintilla(S::SCI_POSITIONFROMLINE, lineOf(gap.first));
        // Up to the start of the next line, so that no line end is left between two lines.
        const qint64 end =
            m_view->SendScintilla(S::SCI_POSITIONFROMLINE, lineOf(gap.second - 1) + 1);
        if (!lines.isEmpty() && start <= lines.last().second)
            lines.last().second = std::max(lines.last().second, end);
        else
            lines.append(Range(start, end));
    }
    for (const Range& range : lines)
        colourRange(range.first, range.second);
}

void StyleBlockColourer::updateVisible()
{
    const long firstDisplay = m_view->SendScintilla(S::SCI_GETFIRSTVISIBLELINE);
    const long onScreen = std::max(1L, m_view->SendScintilla(S::SCI_LINESONSCREEN));
    const long lineCount = m_view->SendScintilla(S::SCI_GETLINECOUNT);
    const long firstLine =
        m_view->SendScintilla(S::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(firstDisplay));
    const long lastLine = std::min(
        lineCount - 1, m_view->SendScintilla(S::SCI_DOCLINEFROMVISIBLE,
                                             static_cast<unsigned long>(firstDisplay + onScreen)));
    // Whole lines, however long: the view lays out a line whole, and a line coloured in parts
    // would be laid out again for every part.
    colour(
        m_view->SendScintilla(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(firstLine)),
        m_view->SendScintilla(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(lastLine + 1)));
}

qint64 StyleBlockColourer::findTag(QByteArrayView tag, qint64 start, qint64 end) const
{
    const qint64 length = m_view->SendScintilla(S::SCI_GETLENGTH);
    const bool forwards = start <= end;
    const qint64 low = forwards ? start : end;
    const qint64 high = forwards ? end : start;
    if (high - low < tag.size())
        return -1;
    // One byte more for the character after the name.
    const qint64 readLength = std::min(high + 1, length) - low;
    const auto* text = reinterpret_cast<const char*>(
        m_view->SendScintilla(S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(low), readLength));
    if (!text)
        return -1;
    const char* const first = text;
    const char* const last = text + (high - low);

    // Only a real tag counts: "<style" inside a script string or a comment does not.
    auto isTag = [&](const char* at) {
        if (last - at < tag.size())
            return false;
        for (qsizetype i = 0; i < tag.size(); ++i) {
            if (lower(at[i]) != tag[i])
                return false;
        }
        const qint64 after = (at - first) + tag.size();
        const char next = low + after < length ? first[after] : '>';
        return isTagNameEnd(next) &&
               m_view->SendScintilla(S::SCI_GETSTYLEAT, static_cast<unsigned long>(
                                                            low + (at - first))) == HtmlTagStyle;
    };
    if (forwards) {
        for (const char* at = first; at < last; ++at) {
            at = static_cast<const char*>(std::memchr(at, '<', last - at));
            if (!at)
                return -1;
            if (isTag(at))
                return low + (at - first);
        }
        return -1;
    }
    for (const char* end = last; end > first;) {
        const char* at = static_cast<const char*>(memrchr(first, '<', end - first));
        if (!at)
            return -1;
        if (isTag(at))
            return low + (at - first);
        end = at;
    }
    return -1;
}

void StyleBlockColourer::colourRange(qint64 from, qint64 to)
{
    const qint64 length = m_view->SendScintilla(S::SCI_GETLENGTH);
    from = std::clamp<qint64>(from, 0, length);
    // Whether a tag is real is read from the lexer's styles, and the lexer would overwrite
    // colours given ahead of it. Colouring it here would colour everything above the screen at
    // once after a far jump: the background colouring gets there soon, and its repaint calls
    // again.
    to = std::clamp<qint64>(to, from, m_view->SendScintilla(S::SCI_GETENDSTYLED));
    if (to == from)
        return;

    const qint64 behind = std::max<qint64>(0, from - LookBehind);
    qint64 blockStart = -1;
    auto startOfBlock = [&](qint64 open) -> qint64 {
        m_view->SendScintilla(S::SCI_SETTARGETSTART, static_cast<unsigned long>(open));
        m_view->SendScintilla(S::SCI_SETTARGETEND, static_cast<unsigned long>(to));
        m_view->SendScintilla(S::SCI_SETSEARCHFLAGS, 0UL, 0L);
        const qint64 tagEnd = m_view->SendScintilla(S::SCI_SEARCHINTARGET, 1UL, ">");
        return tagEnd < 0 ? -1 : tagEnd + 1;
    };
    const qint64 lastOpen = findTag("<style", from, behind);
    if (lastOpen >= 0 && lastOpen > findTag("</style", from, behind))
        blockStart = startOfBlock(lastOpen);

    qint64 cursor = from;
    while (cursor < to) {
        if (blockStart < 0) {
            const qint64 open = findTag("<style", cursor, to);
            blockStart = open < 0 ? -1 : startOfBlock(open);
            if (blockStart < 0)
                break;
        }
        qint64 blockEnd = findTag("</style", std::max(blockStart, cursor), to);
        if (blockEnd < 0)
            blockEnd = to;
        colourBlock(blockStart, blockEnd, from, to);
        cursor = blockEnd + 1;
        blockStart = -1;
    }
    markColoured(from, to);
}

void StyleBlockColourer::colourBlock(qint64 blockStart, qint64 blockEnd, qint64 from, qint64 to)
{
    const qint64 start = std::max(blockStart, from);
    const qint64 end = std::min(blockEnd, to);
    if (end <= start)
        return;
    // A block that starts far above is read from a little above only.
    const qint64 readFrom = std::max(blockStart, from - LookBehind);
    const qint64 readLength = end - readFrom;
    const auto* text = reinterpret_cast<const char*>(m_view->SendScintilla(
        S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(readFrom), readLength));
    if (!text)
        return;
    const auto tokens = CssTokenizer::tokenize(QByteArrayView(text, readLength));

    // Each byte followed by its style.
    QByteArray styled(2 * (end - start) + 2, Qt::Uninitialized);
    m_view->SendScintilla(S::SCI_GETSTYLEDTEXT, static_cast<long>(start), static_cast<long>(end),
                          styled.data());
    const qint64 count = end - start;
    auto byteAt = [&](qint64 i) {
        return styled[2 * i];
    };
    auto styleAt = [&](qint64 i) {
        return static_cast<unsigned char>(styled[2 * i + 1]);
    };
    QByteArray styles(count, Qt::Uninitialized);
    for (qint64 i = 0; i < count; ++i)
        styles[i] =
            takesTokenStyle(byteAt(i), styleAt(i)) ? HtmlPlainStyle : static_cast<char>(styleAt(i));
    for (const auto& token : tokens) {
        const qint64 tokenStart = std::max(readFrom + token.start, start) - start;
        const qint64 tokenEnd = std::min(readFrom + token.start + token.length, end) - start;
        const char tokenStyle = static_cast<char>(style(token.kind));
        for (qint64 i = tokenStart; i < tokenEnd; ++i) {
            if (takesTokenStyle(byteAt(i), styleAt(i)))
                styles[i] = tokenStyle;
        }
    }

    bool same = true;
    for (qint64 i = 0; i < count && same; ++i)
        same = styles[i] == static_cast<char>(styleAt(i));
    if (same)
        return;
    // Writing styles moves the lexer's mark of how far it has coloured: it is put back.
    const long endStyled = m_view->SendScintilla(S::SCI_GETENDSTYLED);
    m_writing = true;
    m_view->SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(start), 0L);
    m_view->SendScintilla(S::SCI_SETSTYLINGEX, static_cast<unsigned long>(count),
                          styles.constData());
    m_view->SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(endStyled), 0L);
    m_writing = false;
}

} // namespace Quillorn
