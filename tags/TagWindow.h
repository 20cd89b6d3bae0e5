#pragma once

#include "tags/TagLists.h"

#include <QWidget>

class QListWidget;

namespace Quillorn {

class LangStrings;
class TagTarget;

// The tag list window: a category list and the captions of the chosen category's tag list;
// a double-click or Enter puts the entry into the editor. As a panel it stays open beside the
// main window; otherwise it blocks the main window and closes after one insertion.
class TagWindow : public QWidget {
    Q_OBJECT

public:
    // `languageFolder` holds the tag lists of `language`; captions come from `strings`.
    TagWindow(TagTarget& target, const LangStrings& strings, const QString& languageFolder,
              const QString& language, QWidget* parent = nullptr);

    // Panel: an owned tool window that stays open after insertions. Otherwise a window that
    // blocks its parent window until it closes and closes after one insertion. Takes effect
    // at the next show().
    void setPanelMode(bool panel);
    bool panelMode() const { return m_panel; }

    // Loads the captions and the tag lists again (after a language change).
    void reload(const LangStrings& strings, const QString& languageFolder, const QString& language);

    // Inserts entry `row` of `category` as a double-click on it does, closing the window
    // afterwards unless it is a panel. False when the entry has nothing to insert or insertion
    // is off.
    bool activateEntry(TagLists::Category category, int row);

    // Off while there is no document to insert into: the tag list is shown disabled.
    void setInsertionEnabled(bool enabled);

    const TagLists& lists() const { return m_lists; }
    QListWidget* categoryList() const { return m_categories; }
    QListWidget* tagList() const { return m_tags; }

Q_SIGNALS:
    // The window was closed (unloaded): the main window enables itself again and unchecks
    // its "Tags panel" item.
    void closed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCategory(int row);
    void activateTagRow(int row);
    void applyWindowKind();

    TagTarget& m_target;
    TagLists m_lists;
    QString m_insertTitle;
    QString m_panelTitle;
    QListWidget* m_categories = nullptr;
    QListWidget* m_tags = nullptr;
    bool m_panel = false;
    bool m_insertionEnabled = true;
};

} // namespace Quillorn
