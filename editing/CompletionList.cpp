#include "editing/CompletionList.h"

#include "editing/CompletionItems.h"

namespace Quillorn {

CompletionList::CompletionList(QWidget* parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("SyntaxHTML"));
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    hide();
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        setCurrentItem(item);
        Q_EMIT itemChosen();
    });
}

void CompletionList::setItems(const QStringList& items)
{
    m_items = items;
    clear();
    addItems(items);
    if (count() > 0)
        setCurrentRow(0);
}

void CompletionList::selectNext()
{
    setCurrentRow(CompletionItems::next(currentRow(), count()));
}

void CompletionList::selectPrevious()
{
    setCurrentRow(CompletionItems::previous(currentRow(), count()));
}

void CompletionList::selectFirstStartingWith(const QString& typed)
{
    const int row = CompletionItems::firstStartingWith(m_items, typed);
    if (row >= 0) {
        setCurrentRow(row);
        scrollToItem(item(row), QAbstractItemView::PositionAtTop);
    }
}

QString CompletionList::currentText() const
{
    const QListWidgetItem* current = currentItem();
    return current ? current->text() : QString();
}

} // namespace Quillorn
