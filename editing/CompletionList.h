#pragma once

#include <QListWidget>

namespace Quillorn {

// The tag-completion list shown beside the caret after "<" is typed. It never takes the focus:
// the editor keeps it and moves through the list with the arrow keys.
class CompletionList : public QListWidget {
    Q_OBJECT

public:
    explicit CompletionList(QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList itemTexts() const { return m_items; }

    void selectNext();
    void selectPrevious();
    // Makes the first item that begins with `typed` current; nothing changes when none does.
    void selectFirstStartingWith(const QString& typed);
    QString currentText() const;

Q_SIGNALS:
    // An item was double-clicked: insert it as Enter would.
    void itemChosen();

private:
    QStringList m_items;
};

} // namespace Quillorn
