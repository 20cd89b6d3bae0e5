#include "editing/BackgroundColourer.h"

#include "component/QsciHeaders.h"

#include <algorithm>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
} // namespace

BackgroundColourer::BackgroundColourer(QsciScintillaBase* view)
    : QObject(view)
    , m_view(view)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &BackgroundColourer::step);
    // Every jump, scroll and edit ends in an update of the view.
    connect(view, &QsciScintillaBase::SCN_UPDATEUI, this, &BackgroundColourer::follow);
}

void BackgroundColourer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    // Told to colour only what is on screen, the component colours a bounded amount at each
    // paint (about 20 ms) and shows the rest of the view uncoloured until it gets there.
    m_view->SendScintilla(
        S::SCI_SETIDLESTYLING,
        static_cast<unsigned long>(enabled ? S::SC_IDLESTYLING_TOVISIBLE : S::SC_IDLESTYLING_NONE));
    if (enabled)
        follow();
    else
        m_timer.stop();
}

qint64 BackgroundColourer::goal() const
{
    const qint64 lineCount = m_view->SendScintilla(S::SCI_GETLINECOUNT);
    const qint64 lastOnScreen = m_view->SendScintilla(S::SCI_GETFIRSTVISIBLELINE) +
                                m_view->SendScintilla(S::SCI_LINESONSCREEN);
    const qint64 lastLine =
        m_view->SendScintilla(S::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(lastOnScreen));
    return m_view->SendScintilla(S::SCI_POSITIONFROMLINE,
                                 static_cast<unsigned long>(std::min(lastLine + 1, lineCount)));
}

void BackgroundColourer::follow()
{
    if (m_enabled && !m_timer.isActive() && m_view->SendScintilla(S::SCI_GETENDSTYLED) < goal())
        m_timer.start();
}

void BackgroundColourer::step()
{
    // Always the document shown now: a document that was switched away from is left as it is
    // and taken up again when it comes back into view.
    const qint64 target = goal();
    const qint64 styled = m_view->SendScintilla(S::SCI_GETENDSTYLED);
    if (!m_enabled || styled >= target) {
        m_timer.stop();
        return;
    }
    const qint64 length = m_view->SendScintilla(S::SCI_GETLENGTH);
    const qint64 lineCount = m_view->SendScintilla(S::SCI_GETLINECOUNT);
    const qint64 from = m_view->SendScintilla(
        S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(m_view->SendScintilla(
                                     S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(styled))));
    // Whole lines: the lexers start again at the start of a line.
    const qint64 stepLine = m_view->SendScintilla(
        S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(std::min(from + Step, length)));
    const qint64 to =
        std::min(target, qint64(m_view->SendScintilla(
                             S::SCI_POSITIONFROMLINE,
                             static_cast<unsigned long>(std::min(stepLine + 1, lineCount)))));
    m_view->SendScintilla(S::SCI_COLOURISE, static_cast<unsigned long>(from), to);
    // A document whose colouring does not move on (no lexer) is not asked again.
    if (m_view->SendScintilla(S::SCI_GETENDSTYLED) <= styled)
        m_timer.stop();
}

} // namespace Quillorn
