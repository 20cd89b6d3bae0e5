#include "editing/EditorStandInAccessible.h"

#include "editing/EditorAccessibility.h"

namespace Quillorn {

EditorStandInAccessible::EditorStandInAccessible(QWidget* editor)
    : QAccessibleWidget(editor, QAccessible::EditableText)
{
}

QString EditorStandInAccessible::text(QAccessible::Text t) const
{
    EditorAccessibility::checkActivation();
    return QAccessibleWidget::text(t);
}

QAccessible::State EditorStandInAccessible::state() const
{
    EditorAccessibility::checkActivation();
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.multiLine = true;
    return s;
}

} // namespace Quillorn
