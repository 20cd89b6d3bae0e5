#include "editing/ClosingTags.h"

#include "component/QsciHeaders.h"
#include "editing/TextWindow.h"

#include <QString>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
} // namespace

ClosingTags::ClosingTags(QsciScintillaBase& view)
    : m_view(view)
{
}

bool ClosingTags::typed(const QString& text)
{
    const bool slash = text == QLatin1String("/") && m_completeOnSlash;
    const bool greater = text == QLatin1String(">") && m_addAfterOpening;
    // With several carets the component typed at each of them; a tag is one element's.
    if ((!slash && !greater) || m_view.SendScintilla(S::SCI_GETSELECTIONS) != 1)
        return false;
    const qint64 caret = m_view.SendScintilla(S::SCI_GETCURRENTPOS);
    if (slash) {
        // The text before the "</" just typed.
        const qint64 lessThan = caret - 2;
        if (lessThan < 0 ||
            m_view.SendScintilla(S::SCI_GETCHARAT, static_cast<unsigned long>(lessThan)) != '<')
            return false;
        const TextWindow before =
            TextWindow::read(m_view, lessThan - TagPairs::SearchWindow, lessThan);
        const QByteArray name = m_pairs.innermostOpen(before.text);
        if (name.isEmpty())
            return false;
        const QByteArray rest = name + '>';
        // Typed on: the caret goes past the completed tag.
        m_view.SendScintilla(S::SCI_ADDTEXT, static_cast<unsigned long>(rest.size()),
                             rest.constData());
        return true;
    }
    const TextWindow before = TextWindow::read(m_view, caret - TagPairs::SearchWindow, caret);
    const QByteArray closing = m_pairs.closingFor(before.text);
    if (closing.isEmpty())
        return false;
    // Written after the caret, which stays where the user types the element's content.
    m_view.SendScintilla(S::SCI_INSERTTEXT, static_cast<unsigned long>(caret), closing.constData());
    return true;
}

} // namespace Quillorn
