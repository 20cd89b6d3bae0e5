#include "editing/StyleBlockColourer.h"

#include "editing/EditorStyles.h"
#include "editing/LongLineWatch.h"

#include "editing/QsciHeaders.h"

#include <algorithm>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
constexpr long HtmlTagStyle = 1; // the HTML lexer's style of a known tag
// How far past the edges of the screen a long line is coloured, for a little sideways scrolling.
constexpr qint64 EdgeSlack = 4096;

bool isTagNameEnd(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/';
}
} // namespace

StyleBlockColourer::StyleBlockColourer(QsciScintillaBase* view)
    : m_view(view)
{
}

void StyleBlockColourer::setUpView()
{
    m_view->SendScintilla(S::SCI_INDICSETSTYLE, Indicator, static_cast<long>(S::INDIC_TEXTFORE));
    // The colour of each run comes from the value it is filled with.
    m_view->SendScintilla(S::SCI_INDICSETFLAGS, Indicator,
                          static_cast<long>(S::SC_INDICFLAG_VALUEBEFORE));
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

QList<StyleBlockColourer::Range> StyleBlockColourer::visibleRanges() const
{
    const long firstDisplay = m_view->SendScintilla(S::SCI_GETFIRSTVISIBLELINE);
    const long onScreen = std::max(1L, m_view->SendScintilla(S::SCI_LINESONSCREEN));
    const long lineCount = m_view->SendScintilla(S::SCI_GETLINECOUNT);
    const long firstLine =
        m_view->SendScintilla(S::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(firstDisplay));
    const long lastLine = std::min(
        lineCount - 1, m_view->SendScintilla(S::SCI_DOCLINEFROMVISIBLE,
                                             static_cast<unsigned long>(firstDisplay + onScreen)));
    const long viewWidth = m_view->viewport()->width();
    const long lineHeight = std::max(1L, m_view->SendScintilla(S::SCI_TEXTHEIGHT, 0UL));

    QList<Range> ranges;
    bool extendLast = false;
    for (long line = firstLine; line <= lastLine; ++line) {
        const qint64 start =
            m_view->SendScintilla(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
        const qint64 end =
            m_view->SendScintilla(S::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
        const bool whole = end - start <= LongLineWatch::SlowLine;
        if (whole && extendLast) {
            ranges.last().second = end;
        } else if (whole) {
            ranges.append(Range(start, end));
        } else {
            // The view keeps such a line laid out, so finding what is at the edges is cheap.
            const long y = (m_view->SendScintilla(S::SCI_VISIBLEFROMDOCLINE,
                                                  static_cast<unsigned long>(line)) -
                            firstDisplay) *
                               lineHeight +
                           lineHeight / 2;
            const qint64 left = m_view->SendScintilla(S::SCI_POSITIONFROMPOINT, 0UL, y);
            const qint64 right = m_view->SendScintilla(S::SCI_POSITIONFROMPOINT,
                                                       static_cast<unsigned long>(viewWidth), y);
            ranges.append(
                Range(std::max(start, left - EdgeSlack), std::min(end, right + EdgeSlack)));
        }
        extendLast = whole;
    }
    return ranges;
}

void StyleBlockColourer::updateVisible()
{
    const QList<Range> ranges = visibleRanges();
    if (m_colouredGeneration == m_generation && ranges == m_coloured)
        return;
    for (const Range& range : ranges) {
        if (!colourRange(range.first, range.second))
            return;
    }
    m_colouredGeneration = m_generation;
    m_coloured = ranges;
}

qint64 StyleBlockColourer::findTag(QByteArrayView tag, qint64 start, qint64 end) const
{
    const qint64 length = m_view->SendScintilla(S::SCI_GETLENGTH);
    m_view->SendScintilla(S::SCI_SETSEARCHFLAGS, 0UL, 0L);
    qint64 previous = -1;
    while (start != end) {
        m_view->SendScintilla(S::SCI_SETTARGETSTART, static_cast<unsigned long>(start));
        m_view->SendScintilla(S::SCI_SETTARGETEND, static_cast<unsigned long>(end));
        const qint64 found = m_view->SendScintilla(
            S::SCI_SEARCHINTARGET, static_cast<unsigned long>(tag.size()), tag.data());
        if (found < 0 || found == previous)
            return -1;
        previous = found;
        const qint64 after = found + tag.size();
        const char next = after < length ? static_cast<char>(m_view->SendScintilla(
                                               S::SCI_GETCHARAT, static_cast<unsigned long>(after)))
                                         : '>';
        // Only a real tag counts: "<style" inside a script string or a comment does not.
        if (isTagNameEnd(next) &&
            m_view->SendScintilla(S::SCI_GETSTYLEAT, static_cast<unsigned long>(found)) ==
                HtmlTagStyle)
            return found;
        start = start < end ? after : std::max(end, found - 1);
    }
    return -1;
}

bool StyleBlockColourer::colourRange(qint64 from, qint64 to)
{
    const qint64 length = m_view->SendScintilla(S::SCI_GETLENGTH);
    from = std::clamp<qint64>(from, 0, length);
    to = std::clamp<qint64>(to, from, length);
    // Whether a tag is real is read from the lexer's styles. Colouring them here would colour
    // everything above the screen at once after a far jump: the background colouring gets
    // there soon, and its repaint calls again.
    if (m_view->SendScintilla(S::SCI_GETENDSTYLED) < to)
        return false;
    m_view->SendScintilla(S::SCI_SETINDICATORCURRENT, Indicator);
    m_view->SendScintilla(S::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(from), to - from);
    if (to == from)
        return true;

    const qint64 behind = std::max<qint64>(0, from - LookBehind);
    qint64 blockStart = -1;
    const qint64 lastOpen = findTag("<style", from, behind);
    if (lastOpen >= 0 && lastOpen > findTag("</style", from, behind)) {
        m_view->SendScintilla(S::SCI_SETTARGETSTART, static_cast<unsigned long>(lastOpen));
        m_view->SendScintilla(S::SCI_SETTARGETEND, static_cast<unsigned long>(to));
        const qint64 tagEnd = m_view->SendScintilla(S::SCI_SEARCHINTARGET, 1UL, ">");
        if (tagEnd < 0)
            return true;
        blockStart = tagEnd + 1;
    }

    qint64 cursor = from;
    while (cursor < to) {
        if (blockStart < 0) {
            const qint64 open = findTag("<style", cursor, to);
            if (open < 0)
                return true;
            m_view->SendScintilla(S::SCI_SETTARGETSTART, static_cast<unsigned long>(open));
            m_view->SendScintilla(S::SCI_SETTARGETEND, static_cast<unsigned long>(to));
            const qint64 tagEnd = m_view->SendScintilla(S::SCI_SEARCHINTARGET, 1UL, ">");
            if (tagEnd < 0)
                return true;
            blockStart = tagEnd + 1;
        }
        qint64 blockEnd = findTag("</style", std::max(blockStart, cursor), to);
        if (blockEnd < 0)
            blockEnd = to;
        colourBlock(blockStart, blockEnd, from, to);
        cursor = blockEnd + 1;
        blockStart = -1;
    }
    return true;
}

void StyleBlockColourer::colourBlock(qint64 blockStart, qint64 blockEnd, qint64 from, qint64 to)
{
    // A block that starts far above the screen is read from a little above it only.
    const qint64 readFrom = std::max(blockStart, from - LookBehind);
    const qint64 readLength = blockEnd - readFrom;
    if (readLength <= 0)
        return;
    const auto* text = reinterpret_cast<const char*>(m_view->SendScintilla(
        S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(readFrom), readLength));
    if (!text)
        return;
    const auto tokens = CssTokenizer::tokenize(QByteArrayView(text, readLength));
    m_view->SendScintilla(S::SCI_SETINDICATORCURRENT, Indicator);
    for (const auto& token : tokens) {
        const qint64 start = std::max(readFrom + token.start, from);
        const qint64 end = std::min(readFrom + token.start + token.length, to);
        if (end <= start)
            continue;
        m_view->SendScintilla(
            S::SCI_SETINDICATORVALUE,
            static_cast<unsigned long>(S::SC_INDICVALUEBIT |
                                       EditorStyles::toViewColour(colour(token.kind))));
        m_view->SendScintilla(S::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start),
                              end - start);
    }
}

} // namespace Quillorn
