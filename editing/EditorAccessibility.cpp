#include "editing/EditorAccessibility.h"

#include "editing/Editor.h"
#include "editing/EditorStandInAccessible.h"

#include <QAccessible>
#include <QList>
#include <QMetaObject>
#include <QPointer>

namespace Quillorn {

namespace {
bool s_installed = false;
bool s_full = false;

QList<Editor*>& editors()
{
    static QList<Editor*> list;
    return list;
}
} // namespace

void EditorAccessibility::install()
{
    if (s_installed)
        return;
    s_installed = true;
    QAccessible::installFactory(&EditorAccessibility::factory);
}

bool EditorAccessibility::isFull()
{
    return s_full;
}

void EditorAccessibility::checkActivation()
{
    if (!s_full && QAccessible::isActive())
        becomeFull();
}

void EditorAccessibility::registerEditor(Editor* editor)
{
    if (!editors().contains(editor))
        editors().append(editor);
}

void EditorAccessibility::unregisterEditor(Editor* editor)
{
    editors().removeAll(editor);
}

void EditorAccessibility::becomeFull()
{
    s_full = true;
    // The switch replaces accessible objects that the caller may be using right now, so it
    // happens once control is back in the event loop.
    for (Editor* editor : std::as_const(editors())) {
        QMetaObject::invokeMethod(editor, &Editor::useFullAccessibility, Qt::QueuedConnection);
    }
}

QAccessibleInterface* EditorAccessibility::factory(const QString& className, QObject* object)
{
    if (s_full || !object || !object->isWidgetType() ||
        className != QLatin1String(Editor::staticMetaObject.className()))
        return nullptr;
    if (QAccessible::isActive()) {
        becomeFull();
        // The component's own factory, asked for the base class next, makes the real object.
        return nullptr;
    }
    return new EditorStandInAccessible(static_cast<QWidget*>(object));
}

} // namespace Quillorn
