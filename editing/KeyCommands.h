#pragma once

class QKeyEvent;

namespace Quillorn {

class Editor;
class TagCompletion;

// Carries out the editor's own key commands (see EditorKeys) on the editor: tag pairs, line
// breaks, the indented Enter, tabs, plain pasting, the tab switch and the completion list.
class KeyCommands {
public:
    enum class Outcome {
        NotOurs,     // the component's own key
        Done,        // dealt with; the component must not see the key
        PassBareKey, // dealt with; the key goes on to the component without its character
    };

    KeyCommands(Editor& editor, TagCompletion& completion);

    Outcome run(const QKeyEvent& e);

    // Puts the chosen completion item in place of what was typed since the list opened.
    void acceptCompletion();

private:
    void insertIndentedLineEnd();

    Editor& m_editor;
    TagCompletion& m_completion;
};

} // namespace Quillorn
