#pragma once

#include "documents/DocumentToolContext.h"

#include <QTextCharFormat>
#include <QWidget>

class QAction;
class QComboBox;
class QFontComboBox;
class QMenu;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace Quillorn {

class ComposerEdit;

// The rich-text composer, Tools → Text editor: a tool window over the main window where text is
// written with a formatting tool bar and then inserted into the document as clean HTML at the
// caret; the document's selection can be taken in to be edited the same way.
class ComposerWindow : public QWidget {
    Q_OBJECT
public:
    using Context = DocumentToolContext;

    explicit ComposerWindow(const Context& context);

    // Shows the window in front, ready for typing.
    void open();
    // Looks the captions up again (after a language change).
    void applyCaptions();

    // The buttons' actions.
    void takeSelection();
    void insertToCode();

    ComposerEdit* edit() const { return m_edit; }

private:
    QAction* addToggle(const QString& objectName, const QIcon& icon);
    // The character formats on one tool bar, the paragraph formats on another.
    void buildToolBars(QVBoxLayout* layout);
    // True when a document is open; tells the user to open one first when none is.
    bool documentOpen();
    void mergeFormat(const QTextCharFormat& format);
    void askLink();
    void askColour();
    // The tool bar follows the format at the caret.
    void showCharFormat(const QTextCharFormat& format);
    void showBlockFormat();

    Context m_context;
    ComposerEdit* m_edit;

    QAction* m_bold;
    QAction* m_italic;
    QAction* m_underline;
    QAction* m_strikeOut;
    QFontComboBox* m_font;
    QComboBox* m_size;
    QToolButton* m_colour;
    QMenu* m_colours;
    QAction* m_alignLeft;
    QAction* m_alignRight;
    QAction* m_alignCenter;
    QAction* m_justify;
    QAction* m_bullets;
    QAction* m_numbers;
    QAction* m_link;
    QComboBox* m_blockStyle;
    QAction* m_clear;
    QPushButton* m_take;
    QPushButton* m_insert;
};

} // namespace Quillorn
