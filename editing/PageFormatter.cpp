#include "editing/PageFormatter.h"

#include "editing/Editor.h"

#include "component/QsciHeaders.h"

#include <algorithm>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
} // namespace

qint64 PageFormatter::nextLineStart(qint64 position) const
{
    const qint64 length = m_editor.SendScintilla(S::SCI_GETLENGTH);
    if (position >= length)
        return length;
    const long line =
        m_editor.SendScintilla(S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    return m_editor.SendScintilla(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
}

qint64 PageFormatter::colourStep(qint64 from, qint64 to)
{
    const qint64 styled = m_editor.SendScintilla(S::SCI_GETENDSTYLED);
    if (styled < from) {
        // The lexer only goes on from where it stopped: far behind, it catches up in steps.
        const qint64 end = std::min(from, nextLineStart(styled + Step));
        m_editor.colour(styled, end);
        // A document without a lexer stays where it is: its colours are there already.
        if (end < from && m_editor.SendScintilla(S::SCI_GETENDSTYLED) > styled)
            return from;
    }
    const qint64 end = std::min(to, nextLineStart(from + Step));
    m_editor.colour(from, end);
    return end;
}

qint64 PageFormatter::formatPage(QPainter& painter, const QRect& area, qint64 from, qint64 to,
                                 bool draw)
{
    return m_editor.SendScintilla(S::SCI_FORMATRANGE, draw ? 1UL : 0UL, &painter, area,
                                  static_cast<long>(from), static_cast<long>(to));
}

void PageFormatter::release()
{
    m_editor.SendScintilla(S::SCI_FORMATRANGE, 0UL, 0L);
}

} // namespace Quillorn
