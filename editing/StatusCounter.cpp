#include "editing/StatusCounter.h"

#include "component/QsciHeaders.h"
#include "platform/posix/Utf8.h"

#include <algorithm>

namespace Quillorn {

namespace {

using S = QsciScintillaBase;

} // namespace

StatusCounter::StatusCounter(QsciScintillaBase* view)
    : QObject(view)
    , m_view(view)
{
    connect(view, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int, int type, const char*, int, int, int, int, int, int, int) {
                if (type & (S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE))
                    ++m_generation;
            });
}

StatusLine::Position StatusCounter::position() const
{
    const State state{m_view->SendScintilla(S::SCI_GETDOCPOINTER), m_generation,
                      m_view->SendScintilla(S::SCI_GETCURRENTPOS),
                      m_view->SendScintilla(S::SCI_GETANCHOR)};
    if (state == m_counted)
        return m_position;
    const long line =
        m_view->SendScintilla(S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(state.caret));
    const long lineStart =
        m_view->SendScintilla(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    m_position.line = line + 1;
    m_position.column = countCharacters(m_view, lineStart, state.caret);
    m_position.selected = countCharacters(m_view, std::min(state.caret, state.anchor),
                                          std::max(state.caret, state.anchor));
    m_counted = state;
    return m_position;
}

qint64 StatusCounter::countCharacters(const QsciScintillaBase* view, qint64 from, qint64 to)
{
    if (to <= from)
        return 0;
    // Read in place on both sides of the buffer's gap, which stays where it is. An ASCII byte
    // always starts a character, so runs of other bytes are left to the component to count,
    // from such a start to the next.
    const qint64 gap = std::clamp<qint64>(view->SendScintilla(S::SCI_GETGAPPOSITION), from, to);
    const qint64 parts[2][2] = {{from, gap}, {gap, to}};
    qint64 count = 0;
    qint64 runStart = -1;
    for (const auto& part : parts) {
        const qint64 length = part[1] - part[0];
        if (length == 0)
            continue;
        const auto* begin = reinterpret_cast<const unsigned char*>(view->SendScintilla(
            S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(part[0]), length));
        if (!begin)
            return view->SendScintilla(S::SCI_COUNTCHARACTERS, static_cast<unsigned long>(from),
                                       to);
        const unsigned char* end = begin + length;
        const unsigned char* p = begin;
        while (p < end) {
            if (runStart < 0) {
                const unsigned char* ascii = Posix::Utf8::skipAscii(p, end);
                count += ascii - p;
                p = ascii;
                if (p < end)
                    runStart = part[0] + (p - begin);
                continue;
            }
            while (p < end && *p >= 0x80)
                ++p;
            if (p < end) {
                count += view->SendScintilla(S::SCI_COUNTCHARACTERS,
                                             static_cast<unsigned long>(runStart),
                                             part[0] + (p - begin));
                runStart = -1;
            }
        }
    }
    if (runStart >= 0)
        count +=
            view->SendScintilla(S::SCI_COUNTCHARACTERS, static_cast<unsigned long>(runStart), to);
    return count;
}

} // namespace Quillorn
