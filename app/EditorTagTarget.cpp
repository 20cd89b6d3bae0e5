#include "app/EditorTagTarget.h"

#include "editing/EditRules.h"
#include "editing/Editor.h"

namespace Quillorn {

QString EditorTagTarget::selectedText() const
{
    return m_editor.selectedText();
}

void EditorTagTarget::replaceSelection(const QString& text)
{
    // Nothing is inserted into a hidden editor: no document is shown then.
    if (!m_editor.isVisible())
        return;
    m_editor.replaceSelectedText(EditRules::withLineEnds(text, m_editor.lineEnd()));
    m_editor.setFocus();
}

void EditorTagTarget::insert2Tag(const QString& tag)
{
    if (!m_editor.isVisible())
        return;
    m_editor.insert2Tag(tag);
}

} // namespace Quillorn
