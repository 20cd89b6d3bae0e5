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
    m_editor.replaceSelectedText(EditRules::withLineEnds(text, m_editor.lineEnd()));
    m_editor.setFocus();
}

void EditorTagTarget::insert2Tag(const QString& tag)
{
    m_editor.insert2Tag(tag);
}

} // namespace Quillorn
