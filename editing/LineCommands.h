#pragma once

#include <QString>

#include <optional>

namespace Quillorn {

class Editor;
class LangStrings;
class Prompter;

// The editor's commands on whole lines: go to a line (and column) the user types, and comment
// the selected lines out or in again in the language under the caret.
class LineCommands {
public:
    // Frees Ctrl+/ from the editor component's own binding (word part left), so that the
    // comment command's shortcut reaches the menu while the editor has the focus.
    explicit LineCommands(Editor& editor);

    // A line and column, both counted from 1.
    struct Target {
        int line = 1;
        int column = 1;
        bool operator==(const Target&) const = default;
    };
    // "line" or "line:column" (blanks around allowed); nothing for anything else.
    static std::optional<Target> parseTarget(const QString& input);

    // Asks for a line, or line:column, and goes there; a cancel or an answer that is not one
    // leaves the caret where it was.
    void askGoToLine(Prompter& prompter, const LangStrings& strings);
    // Puts the caret of `editor` at `target`, kept within the text, with nothing selected, and
    // scrolls it into view.
    static void goTo(Editor& editor, const Target& target);

    // Comments out the lines of the selection (or the caret's line), or comments them in again
    // when each already is a comment, as one undo step. The comment syntax is the language's
    // at the start of the first of them: a style sheet or script inside a page gets its own.
    void toggleComment();

private:
    Editor& m_editor;
};

} // namespace Quillorn
