#pragma once

#include "documents/RecoveryStore.h"

#include <QList>
#include <QObject>

class QAction;

namespace Quillorn {

class CurrentDocument;
class DocumentList;
class DocumentView;
class OpenReport;
struct AppContext;

// Bringing files into document slots and writing them back: open (dialog, recent files,
// command line, drops, hand-off, sessions and projects), save, save as, the recent-files and
// external-program menus, sessions, projects and templates.
class FileCommands : public QObject {
    Q_OBJECT
public:
    // The documents open in `documents` and show in `view`; the current one is read and
    // changed through `document`. Dialogs open over `window`.
    FileCommands(AppContext& context, DocumentList& documents, CurrentDocument& document,
                 DocumentView& view, QWidget* window);

    // Opens `path` into a new slot, or every document a ".qlp" file lists.
    void openDocument(const QString& path, bool addToRecent);
    // Opens each of `paths` in turn as one batch: what could not be opened is told in one
    // message at the end.
    void openDocuments(const QStringList& paths, bool addToRecent);
    void openFromDialog();
    void openRecent(int index);

    // Saves the current document; a document without a file asks for a name. True when the
    // document was written.
    bool save();
    bool saveAs();

    void addToRecent(const QString& path);
    void rebuildRecentMenu();

    // Rebuilds the external-program entries of the Settings menu.
    void rebuildExternalMenu();
    // Hands the current document to external program entry `index`.
    void openInExternal(int index);

    void saveSession();
    void addFileToProject();
    void saveProject();
    // "New": a document from the template chooser.
    void newDocument();
    void addToTemplates();
    // Opens a document kept from an editor that did not close properly, unsaved, with its
    // file, encoding and caret line; false when no tab is free.
    bool reopen(const RecoveryStore::Document& document);

    // Reads the current document's file again into the document, as one step the user can
    // undo, and marks it saved; false (and said) when the file cannot be read.
    bool reloadCurrent();

    const QString& currentProject() const { return m_currentProject; }

Q_SIGNALS:
    // The document in `slot` was written to its file.
    void documentWritten(int slot);
    // Save or Save as of the current document succeeded; its path and kind are the saved ones.
    void saved();

private:
    void openPath(const QString& path, bool addToRecent, OpenReport& report);
    void openOneDocument(const QString& path, bool addToRecent, OpenReport& report);
    // Writes the editor's document to `path` in the slot's encoding, and keeps the encoding
    // written; tells the user and returns false when it could not.
    bool writeDocument(int slot, const QString& path);

    AppContext& m_context;
    DocumentList& m_documents;
    CurrentDocument& m_document;
    DocumentView& m_view;
    QWidget* m_window;
    QString m_currentProject;
    QList<QAction*> m_externalEntries;
};

} // namespace Quillorn
