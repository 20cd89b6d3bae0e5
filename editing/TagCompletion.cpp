#include "editing/TagCompletion.h"

#include "editing/CompletionList.h"

#include "component/QsciHeaders.h"

#include <QScrollBar>

#include <algorithm>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
constexpr int CompletionRows = 10;
} // namespace

TagCompletion::TagCompletion(QsciScintilla* view)
    : QObject(view)
    , m_view(view)
    , m_list(new CompletionList(view))
{
}

bool TagCompletion::loadItems(const QString& path)
{
    const bool read = m_items.load(path);
    m_list->setItems(m_items.items());
    return read;
}

void TagCompletion::open()
{
    if (m_list->count() == 0)
        return;
    m_start = m_view->SendScintilla(S::SCI_GETCURRENTPOS);
    const long line =
        m_view->SendScintilla(S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(m_start));
    const int lineHeight = static_cast<int>(
        m_view->SendScintilla(S::SCI_TEXTHEIGHT, static_cast<unsigned long>(line)));
    const QPoint caret(
        static_cast<int>(m_view->SendScintilla(S::SCI_POINTXFROMPOSITION, 0UL, m_start)),
        static_cast<int>(m_view->SendScintilla(S::SCI_POINTYFROMPOSITION, 0UL, m_start)));
    const QPoint below = m_view->viewport()->mapTo(m_view, caret + QPoint(0, lineHeight));

    const int rowHeight = std::max(m_list->sizeHintForRow(0), lineHeight);
    const int frame = 2 * m_list->frameWidth();
    const int height = std::min(CompletionRows, m_list->count()) * rowHeight + frame;
    const int width = std::max(160, m_list->sizeHintForColumn(0) + frame +
                                        m_list->verticalScrollBar()->sizeHint().width() + 8);
    const int x = std::clamp(below.x(), 0, std::max(0, m_view->width() - width));
    int y = below.y();
    if (y + height > m_view->height())
        y = std::max(0, below.y() - lineHeight - height);
    m_list->setGeometry(x, y, width, height);
    m_list->setCurrentRow(0);
    m_list->show();
    m_list->raise();
    m_open = true;
}

void TagCompletion::close()
{
    m_open = false;
    m_list->hide();
}

void TagCompletion::follow()
{
    const long caret = m_view->SendScintilla(S::SCI_GETCURRENTPOS);
    if (caret < m_start) {
        close();
        return;
    }
    const auto* typed = reinterpret_cast<const char*>(m_view->SendScintilla(
        S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(m_start), caret - m_start));
    m_list->selectFirstStartingWith(typed ? QString::fromUtf8(typed, caret - m_start) : QString());
}

} // namespace Quillorn
