#pragma once

#include "tags/TagTarget.h"

namespace Quillorn {

class Editor;

// Lets the tag window, the tag tool bar and the reference trees insert into the editor.
class EditorTagTarget : public TagTarget {
public:
    explicit EditorTagTarget(Editor& editor)
        : m_editor(editor)
    {
    }

    QString selectedText() const override;
    void replaceSelection(const QString& text) override;
    void insert2Tag(const QString& tag) override;

private:
    Editor& m_editor;
};

} // namespace Quillorn
