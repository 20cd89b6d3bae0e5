#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

namespace Quillorn {

class Editor;

// Keeps the editor's accessibility cheap while no assistive technology runs, and complete as
// soon as one does. The editor component's own accessible object counts characters from the
// start of the text on every edit and caret move, which makes typing at the end of a large
// document slow; until a screen reader is seen, editors get a stand-in and a modification event
// mask that skips that work. Once one is seen, every editor gets both back for good.
class EditorAccessibility {
public:
    // Installs the accessibility factory; the program calls it once before windows are shown.
    // Calling it again does nothing.
    static void install();

    // True once an assistive technology was seen: editors then run with full accessibility.
    static bool isFull();

    // Switches every editor to full accessibility when an assistive technology is active now.
    // Cheap; called on focus, key and mouse events and when the stand-in is asked anything.
    static void checkActivation();

    static void registerEditor(Editor* editor);
    static void unregisterEditor(Editor* editor);

private:
    static QAccessibleInterface* factory(const QString& className, QObject* object);
    static void becomeFull();
};

} // namespace Quillorn
