#pragma once

class QWidget;

namespace Quillorn {

class CurrentDocument;
class LangStrings;
class Prompter;

// What a command or tool window beside the editor works with: the interface strings, the one
// way of asking the user, the current document, and the main window that its windows and
// dialogs stay over.
struct DocumentToolContext {
    const LangStrings& strings;
    Prompter& prompter;
    CurrentDocument& document;
    QWidget* window;
};

} // namespace Quillorn
