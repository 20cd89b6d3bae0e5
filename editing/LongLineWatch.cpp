#include "editing/LongLineWatch.h"

#include "component/QsciHeaders.h"
#include "editing/InertKeystroke.h"
#include "editing/StyleBlockColourer.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>
#include <utility>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
// Entries of measured text the view keeps once it meets a slow line, instead of about a
// thousand: a keystroke in a line of a megabyte then costs less than half as much. Prime
// numbers: the view tries two places for a piece of text, and with a power of two the pieces
// that clash in the one place clash in the other too.
constexpr long SlowLineEntries = 1048573; // 16 MB
// A line of ten megabytes has hundreds of thousands of different pieces: with these they stay
// measured from one keystroke to the next.
constexpr long HugeLineEntries = 2097143; // 32 MB
} // namespace

LongLineWatch::LongLineWatch(QsciScintillaBase* view, LineColourer colourLine)
    : QObject(view)
    , m_view(view)
    , m_colourLine(std::move(colourLine))
{
    connect(view, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                onModified(position, type, length);
            });
}

bool LongLineWatch::noted() const
{
    return m_noted.contains(static_cast<quintptr>(m_view->SendScintilla(S::SCI_GETDOCPOINTER)));
}

void LongLineWatch::documentShown()
{
    m_changedFrom = m_changedTo = -1;
    // A document that is shown empty was just made; another one may have had its place in
    // memory.
    if (m_view->SendScintilla(S::SCI_GETLENGTH) == 0)
        m_noted.remove(static_cast<quintptr>(m_view->SendScintilla(S::SCI_GETDOCPOINTER)));
    moveView([] {});
}

void LongLineWatch::textLoaded()
{
    m_changedFrom = m_changedTo = -1;
    check(0, m_view->SendScintilla(S::SCI_GETLENGTH));
}

void LongLineWatch::textChanged()
{
    if (m_changedFrom < 0)
        return;
    const qint64 length = m_view->SendScintilla(S::SCI_GETLENGTH);
    check(std::min(m_changedFrom, length), std::min(m_changedTo, length));
    m_changedFrom = m_changedTo = -1;
}

void LongLineWatch::onModified(int position, int modificationType, int length)
{
    const bool inserting = modificationType & S::SC_MOD_BEFOREINSERT;
    if ((!inserting && !(modificationType & S::SC_MOD_BEFOREDELETE)) ||
        (m_measuredTextEntries == HugeLineEntries && noted()))
        return;
    // The notification comes before the change: keep the touched part in the positions the
    // text will have after it.
    const qint64 from = position;
    qint64 to = m_changedTo;
    if (inserting) {
        if (to >= from)
            to += length;
        to = std::max<qint64>(to, from + length);
    } else {
        if (to >= from + length)
            to -= length;
        else if (to > from)
            to = from;
        to = std::max(to, from);
    }
    m_changedFrom = m_changedFrom < 0 ? from : std::min(m_changedFrom, from);
    m_changedTo = to;
}

void LongLineWatch::check(qint64 from, qint64 to)
{
    if (m_measuredTextEntries < HugeLineEntries &&
        firstLineLongerThan(m_view, HugeLine, from, to) >= 0)
        enlargeCaches(HugeLineEntries);
    else if (m_measuredTextEntries < SlowLineEntries &&
             firstLineLongerThan(m_view, SlowLine, from, to) >= 0)
        enlargeCaches(SlowLineEntries);
    if (!noted() && firstLineLongerThan(m_view, LongLine, from, to) >= 0) {
        m_noted.insert(static_cast<quintptr>(m_view->SendScintilla(S::SCI_GETDOCPOINTER)));
        Q_EMIT longLineFound();
    }
}

void LongLineWatch::enlargeCaches(long measuredTextEntries)
{
    m_measuredTextEntries = measuredTextEntries;
    m_view->SendScintilla(S::SCI_SETPOSITIONCACHE, static_cast<unsigned long>(measuredTextEntries));
    // The layouts of all lines on screen, not only the caret's: a long line is then laid out
    // once for a paint, not again for every repaint while the caret is on another line.
    m_view->SendScintilla(S::SCI_SETLAYOUTCACHE, static_cast<unsigned long>(S::SC_CACHE_PAGE));
}

void LongLineWatch::moveView(const std::function<void()>& move)
{
    const bool busy = noted();
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    move();
    if (busy) {
        const long lineCount = m_view->SendScintilla(S::SCI_GETLINECOUNT);
        const long firstOnScreen = m_view->SendScintilla(S::SCI_GETFIRSTVISIBLELINE);
        const long first = m_view->SendScintilla(S::SCI_DOCLINEFROMVISIBLE,
                                                 static_cast<unsigned long>(firstOnScreen));
        const long last = std::min(
            lineCount - 1, m_view->SendScintilla(
                               S::SCI_DOCLINEFROMVISIBLE,
                               static_cast<unsigned long>(
                                   firstOnScreen + m_view->SendScintilla(S::SCI_LINESONSCREEN))));
        for (long line = first; line <= last; ++line) {
            const long end =
                m_view->SendScintilla(S::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
            if (end - m_view->SendScintilla(S::SCI_POSITIONFROMLINE,
                                            static_cast<unsigned long>(line)) >
                LongLine)
                // Finding where a position is drawn lays out its whole line.
                m_view->SendScintilla(S::SCI_POINTXFROMPOSITION, 0UL, end);
        }
        QGuiApplication::restoreOverrideCursor();
    }
}

bool LongLineWatch::typeIntoLongLine(const QKeyEvent* key)
{
    const QString text = key->text();
    if (text.isEmpty() || (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)))
        return false;
    for (const QChar c : text) {
        if (!c.isPrint())
            return false;
    }
    // One caret and nothing selected, in insert mode: the component's own typing does nothing
    // more than insert then.
    if (m_view->SendScintilla(S::SCI_GETSELECTIONS) != 1 ||
        !m_view->SendScintilla(S::SCI_GETSELECTIONEMPTY) ||
        m_view->SendScintilla(S::SCI_GETOVERTYPE) || m_view->SendScintilla(S::SCI_GETREADONLY))
        return false;
    const long line =
        m_view->SendScintilla(S::SCI_LINEFROMPOSITION, m_view->SendScintilla(S::SCI_GETCURRENTPOS));
    const long start =
        m_view->SendScintilla(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    if (m_view->SendScintilla(S::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line)) -
            start <=
        SlowLine)
        return false;
    Typing typing;
    typing.lineStart = start;
    typing.position = m_view->SendScintilla(S::SCI_GETCURRENTPOS);
    typing.bytes = text.toUtf8();
    typing.styledBefore = m_view->SendScintilla(S::SCI_GETENDSTYLED);
    // Inserting this way does not lay out the line; the line is coloured, then laid out for
    // the caret, and the paint finds both done.
    m_view->SendScintilla(S::SCI_ADDTEXT, static_cast<unsigned long>(typing.bytes.size()),
                          typing.bytes.constData());
    typing.nextLine =
        m_view->SendScintilla(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
    m_colourLine(typing);
    m_view->SendScintilla(S::SCI_SCROLLCARET);
    m_view->SendScintilla(S::SCI_CHOOSECARETX);
    return true;
}

qint64 LongLineWatch::firstLineLongerThan(const QsciScintillaBase* view, qint64 limit, qint64 from,
                                          qint64 to)
{
    auto lineOf = [view](qint64 position) -> qint64 {
        return view->SendScintilla(S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    };
    auto lineStart = [view](qint64 line) -> qint64 {
        return view->SendScintilla(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    };
    auto lineEnd = [view](qint64 line) -> qint64 {
        return view->SendScintilla(S::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
    };
    const qint64 lineCount = view->SendScintilla(S::SCI_GETLINECOUNT);
    const qint64 end = lineEnd(lineOf(to));
    // Each look-up jumps `limit` bytes ahead: the line found there either is the line looked
    // from, and then that one is long, or it is the next one to look from. Every two look-ups
    // move on by at least `limit`.
    qint64 position = lineStart(lineOf(from));
    while (position + limit < end) {
        const qint64 line = lineOf(position);
        const qint64 ahead = lineOf(position + limit);
        if (ahead != line) {
            position = lineStart(ahead);
            continue;
        }
        if (lineEnd(line) - position > limit)
            return line;
        // Only its line end reached that far.
        if (line + 1 >= lineCount)
            break;
        position = lineStart(line + 1);
    }
    return -1;
}

bool LongLineWatch::styleTypedByteAlone(const Typing& typing) const
{
    const qint64 at = typing.position;
    const qint64 length = m_view->SendScintilla(S::SCI_GETLENGTH);
    // The bytes on both sides must have been coloured already.
    if (typing.bytes.size() != 1 || typing.styledBefore < std::min(at + 1, length - 1))
        return false;
    auto byteAt = [this](qint64 position) {
        return static_cast<char>(
            m_view->SendScintilla(S::SCI_GETCHARAT, static_cast<unsigned long>(position)));
    };
    auto lexerStyleAt = [this](qint64 position) {
        return StyleBlockColourer::lexerStyle(static_cast<unsigned char>(
            m_view->SendScintilla(S::SCI_GETSTYLEAT, static_cast<unsigned long>(position))));
    };
    QByteArray before;
    for (qint64 position = std::max(typing.lineStart, at - InertKeystroke::LookBack); position < at;
         ++position)
        before += byteAt(position);
    std::optional<InertKeystroke::Neighbour> after;
    if (at + 1 < length)
        after = InertKeystroke::Neighbour{byteAt(at + 1), lexerStyleAt(at + 1)};
    const std::optional<int> style = InertKeystroke::typedStyle(
        before, before.isEmpty() ? 0 : lexerStyleAt(at - 1), typing.bytes.front(), after);
    if (!style)
        return styleTypedScriptWord(typing);
    // The text after the byte keeps its colours, moved along with it, and the lexer's mark of
    // how far it has coloured goes back to where it was.
    m_view->SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(at));
    m_view->SendScintilla(S::SCI_SETSTYLING, 1UL, *style);
    m_view->SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(typing.styledBefore + 1));
    return true;
}

bool LongLineWatch::styleTypedScriptWord(const Typing& typing) const
{
    const qint64 from = std::max(typing.lineStart, typing.position - InertKeystroke::WordWindow);
    const qint64 to = std::min(typing.nextLine, typing.position + 1 + InertKeystroke::WordWindow);
    QByteArray text;
    QList<int> styles;
    for (qint64 position = from; position < to; ++position) {
        text += static_cast<char>(
            m_view->SendScintilla(S::SCI_GETCHARAT, static_cast<unsigned long>(position)));
        styles.append(StyleBlockColourer::lexerStyle(static_cast<unsigned char>(
            m_view->SendScintilla(S::SCI_GETSTYLEAT, static_cast<unsigned long>(position)))));
    }
    const std::optional<InertKeystroke::Word> word =
        InertKeystroke::typedScriptWord(text, typing.position - from, styles, m_scriptKeywords);
    if (!word)
        return false;
    m_view->SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(from + word->start));
    m_view->SendScintilla(S::SCI_SETSTYLING, static_cast<unsigned long>(word->end - word->start),
                          word->style);
    m_view->SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(typing.styledBefore + 1));
    return true;
}

} // namespace Quillorn
