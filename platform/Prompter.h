#pragma once

#include <QString>

#include <optional>

namespace Quillorn {

// Every message box, question, input box, file dialog and folder picker of the program goes
// through this interface: the real one shows Qt dialogs, tests answer from a script.
class Prompter {
public:
    enum class Icon { Information, Exclamation, Critical };
    enum class SaveChoice { Save, Discard, Cancel };

    virtual ~Prompter();

    // A message with an OK button.
    virtual void message(const QString& text, Icon icon = Icon::Information,
                         const QString& title = {}) = 0;

    // A Yes/No question with the exclamation icon; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title = {}) = 0;

    // Save, Don't save or Cancel, asked before unsaved work would be dropped.
    virtual SaveChoice askSave(const QString& text, const QString& title = {}) = 0;

    // A line of text, or nothing when the user cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& initial = {}) = 0;

    // A file to open or save, or an empty text when cancelled. `filter` is in Qt's form
    // ("HTML page (*.html *.htm);;All files (*)").
    virtual QString openFileName(const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& title, const QString& proposedPath,
                                 const QString& filter) = 0;

    // A folder, or an empty text when cancelled.
    virtual QString folderName(const QString& title, const QString& startFolder) = 0;
};

} // namespace Quillorn
