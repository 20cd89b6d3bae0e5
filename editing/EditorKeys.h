#pragma once

#include <Qt>

namespace Quillorn {

// The editor's own keys: which of its commands a key press stands for before the editor
// component sees it, and which keys the window's shortcuts must leave to the editor.
class EditorKeys {
public:
    enum class Command {
        None, // the component's own key
        AcceptCompletion,
        NextCompletion,
        PreviousCompletion,
        CloseCompletion,
        Paragraph,        // Shift+Enter: <P></P>
        NextTab,          // Ctrl+Tab
        PreviousTab,      // Ctrl+Shift+Tab
        Heading,          // Ctrl+1 to Ctrl+6: <Hn></Hn>
        LineBreak,        // Ctrl+Enter: <BR>
        NonBreakingSpace, // Ctrl+Space: &nbsp;
        PastePlainText,   // Ctrl+V, Shift+Insert
        BoldEntry,        // Ctrl+B: the tag panel's bold entry
        IndentedLineEnd,  // Enter
        Tab,              // Tab, Shift+Tab: a tab in place of the selection
    };

    static Command command(int key, Qt::KeyboardModifiers modifiers, bool completionOpen);

    // Keys with a meaning in the editor, which the window's shortcuts do not take.
    static bool isOwned(int key, Qt::KeyboardModifiers modifiers, bool completionOpen);
};

} // namespace Quillorn
