#pragma once

#include <QIcon>
#include <QString>

namespace Quillorn {

struct MainMenus;

// The window that shows the documents, as the file commands see it: they open new tabs, load
// text into the editor and report in the status line without knowing the main window.
class DocumentView {
public:
    virtual ~DocumentView();

    // Takes a free slot for a document named `name`, shows its tab with the kind's picture (or
    // `fallback` for a kind without one) and makes it current. -1 when all ten slots are in use.
    virtual int newTab(const QString& name, const QIcon& fallback) = 0;
    virtual void setStatusText(const QString& text) = 0;
    // Shows the editor and the controls that belong to an open document.
    virtual void showDocumentControls() = 0;
    // Puts a new document's text into the editor, byte for byte, with no undo history.
    virtual void loadDocument(const QByteArray& utf8) = 0;
    virtual const MainMenus& menus() const = 0;
};

} // namespace Quillorn
