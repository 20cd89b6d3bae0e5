#include "editing/LineNumberGutter.h"

#include "component/QsciHeaders.h"

#include <algorithm>

namespace Quillorn {

LineNumberGutter::LineNumberGutter(QsciScintilla& view)
    : m_view(view)
{
    m_view.setMarginLineNumbers(0, true);
}

void LineNumberGutter::setVisible(bool visible)
{
    m_visible = visible;
    refit();
}

void LineNumberGutter::refit()
{
    m_digits = 0;
    update();
}

void LineNumberGutter::update()
{
    if (!m_visible) {
        m_view.setMarginWidth(0, 0);
        m_digits = 0;
        return;
    }
    const long lines = m_view.SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    const int digits = std::max(2, static_cast<int>(QString::number(lines).size()));
    if (digits == m_digits)
        return;
    m_digits = digits;
    m_view.setMarginWidth(0, QString(digits + 1, QLatin1Char('9')));
}

} // namespace Quillorn
