#pragma once

#include "tags/ReferenceTree.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace Quillorn {

class LangStrings;
class Prompter;
class TagTarget;

// A reference tree on screen: folders and items, the description and code of the selected
// item, and a filter; a double-click or Enter on an item inserts its code at the caret.
class ReferenceWindow : public QWidget {
    Q_OBJECT

public:
    // Captions come from `strings`.
    ReferenceWindow(TagTarget& target, const LangStrings& strings, QWidget* parent = nullptr);

    // Reads the reference tree at `path` and shows it in a new window owned by `parent` that
    // is deleted when closed. A file that cannot be read is reported through `prompter` and
    // gives no window.
    static ReferenceWindow* openReference(const QString& path, const QString& language,
                                          TagTarget& target, const LangStrings& strings,
                                          Prompter& prompter, QWidget* parent);

    // Looks the captions up again (after a language change).
    void applyCaptions();

    void setTree(const ReferenceTree& tree, const QString& fallbackTitle = {});
    const QString& sourcePath() const { return m_sourcePath; }

    // Inserts the code of the current item; false when a folder or nothing is current, or
    // insertion is off.
    bool insertCurrent();

    // Off while there is no document to insert into; the tree can still be read.
    void setInsertionEnabled(bool enabled) { m_insertionEnabled = enabled; }

    // Shows only items whose name or description contains `text` (all for an empty text).
    void setFilter(const QString& text);

    QTreeWidget* treeWidget() const { return m_tree; }
    QLabel* descriptionLabel() const { return m_description; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCurrent();
    bool insertItem(QTreeWidgetItem* item);

    TagTarget& m_target;
    const LangStrings& m_strings;
    QString m_sourcePath;
    QLineEdit* m_filter = nullptr;
    QTreeWidget* m_tree = nullptr;
    QLabel* m_description = nullptr;
    QPlainTextEdit* m_code = nullptr;
    bool m_insertionEnabled = true;
};

} // namespace Quillorn
