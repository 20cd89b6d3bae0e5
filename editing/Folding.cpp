#include "editing/Folding.h"

#include "component/QsciHeaders.h"

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
constexpr int FoldMargin = 2;
} // namespace

Folding::Folding(QsciScintilla& view)
    : m_view(view)
{
}

void Folding::setEnabled(bool on)
{
    if (!on)
        unfoldAll();
    m_enabled = on;
    m_view.setFolding(on ? QsciScintilla::BoxedTreeFoldStyle : QsciScintilla::NoFoldStyle,
                      FoldMargin);
}

void Folding::foldAll()
{
    if (m_enabled)
        m_view.SendScintilla(S::SCI_FOLDALL, static_cast<unsigned long>(S::SC_FOLDACTION_CONTRACT));
}

void Folding::unfoldAll()
{
    // Only the folded blocks: the component's own "expand all" colours the whole text first.
    for (const qint64 line : foldedLines())
        m_view.SendScintilla(S::SCI_FOLDLINE, static_cast<unsigned long>(line),
                             static_cast<long>(S::SC_FOLDACTION_EXPAND));
}

QList<qint64> Folding::foldedLines() const
{
    QList<qint64> lines;
    for (long line = m_view.SendScintilla(S::SCI_CONTRACTEDFOLDNEXT, 0UL); line >= 0;
         line =
             m_view.SendScintilla(S::SCI_CONTRACTEDFOLDNEXT, static_cast<unsigned long>(line + 1)))
        lines.append(line);
    return lines;
}

void Folding::fold(const QList<qint64>& lines)
{
    if (!m_enabled)
        return;
    const long count = m_view.SendScintilla(S::SCI_GETLINECOUNT);
    for (const qint64 line : lines) {
        if (line >= 0 && line < count)
            m_view.SendScintilla(S::SCI_FOLDLINE, static_cast<unsigned long>(line),
                                 static_cast<long>(S::SC_FOLDACTION_CONTRACT));
    }
}

} // namespace Quillorn
