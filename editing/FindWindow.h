#pragma once

#include "editing/TextSearch.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QsciScintilla;

namespace Quillorn {

class LangStrings;
class Prompter;

// The find and replace window: a tool window beside the main window that searches the editor's
// text for a word, up, down or through the whole document, and replaces one match or all.
class FindWindow : public QWidget {
    Q_OBJECT

public:
    enum class Mode { Find, Replace };

    FindWindow(QsciScintilla* editor, const LangStrings& strings, Prompter& prompter,
               QWidget* parent = nullptr);

    // Shows the window in find or replace mode, with captions in the current language and the
    // selected word (when it is a short single line) ready to search for.
    void open(Mode mode);
    Mode mode() const { return m_mode; }

    TextSearch::Direction direction() const;

    // The buttons' actions.
    void findNext();
    void replaceOne();
    void replaceAll();

    // Looks the captions up again (after a language change or a change of mode).
    void applyCaptions();

private:
    QsciScintilla* m_editor;
    const LangStrings& m_strings;
    Prompter& m_prompter;
    TextSearch m_search;
    Mode m_mode = Mode::Find;

    QLabel* m_wordLabel;
    QLineEdit* m_word;
    QLabel* m_replaceLabel;
    QLineEdit* m_replacement;
    QGroupBox* m_directionBox;
    QRadioButton* m_all;
    QRadioButton* m_down;
    QRadioButton* m_up;
    QPushButton* m_findNext;
    QPushButton* m_replace;
    QPushButton* m_replaceAll;
};

} // namespace Quillorn
