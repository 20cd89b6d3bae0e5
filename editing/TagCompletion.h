#pragma once

#include "editing/CompletionItems.h"

#include <QObject>

class QsciScintilla;

namespace Quillorn {

class CompletionList;

// The tag-completion list of the editor: opens below the caret after "<" is typed, narrows to
// what is typed after it, and closes when the caret goes back before it. The editor puts the
// chosen item in place of what was typed.
class TagCompletion : public QObject {
    Q_OBJECT

public:
    explicit TagCompletion(QsciScintilla* view);

    // Reads the items from the list file (SyntaxHTML.lng); false when it could not be read,
    // and the list then stays empty.
    bool loadItems(const QString& path);

    CompletionList* list() const { return m_list; }
    const CompletionItems& items() const { return m_items; }
    bool isOpen() const { return m_open; }
    // Where the list was opened: the position just after the "<".
    qint64 start() const { return m_start; }

    // Opens the list at the caret, unless it has no items.
    void open();
    void close();
    // Selects the first item that begins with what was typed since the list opened.
    void follow();

private:
    QsciScintilla* m_view;
    CompletionList* m_list;
    CompletionItems m_items;
    bool m_open = false;
    qint64 m_start = 0;
};

} // namespace Quillorn
