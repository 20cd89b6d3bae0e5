#pragma once

#include "documents/DocumentToolContext.h"
#include "editing/LineCommands.h"

#include <QList>
#include <QObject>

#include <functional>

class QAction;

namespace Quillorn {

class ComposerWindow;
class DocumentList;
class DocumentSet;
class Editor;
class FindInFilesWindow;
class FindWindow;
class VisualEditorWindow;
struct AppContext;
struct MainMenus;
struct Settings;

// The main window's Edit commands on the editor (undo, find and replace, lines, folding, the
// editor switches, check results) and the tool windows that work on the current document: find
// in files, the visual editor and the composer, each made when first opened.
class EditCommands : public QObject {
    Q_OBJECT
public:
    // The commands act on `editor` while `documents` has a current document; the tool windows
    // open over `tools.window`, and find in files searches `openDocuments`.
    EditCommands(AppContext& context, const MainMenus& menus, Editor& editor,
                 const DocumentList& documents, DocumentSet& openDocuments,
                 const DocumentToolContext& tools);

    // Checks the editor switches' entries as the settings say and sets the editor so.
    void applySwitches();
    // Follows a language change: the tool windows made so far take the new captions.
    void applyCaptions();

    // The find in files window, made when first opened.
    FindInFilesWindow* findInFilesWindow() const { return m_findInFiles; }
    // The composer (Tools → Text editor), made when first opened.
    ComposerWindow* composerWindow() const { return m_composer; }

Q_SIGNALS:
    // A note for the status line.
    void statusChanged(const QString& text);

private:
    // An editor switch of the Edit menu: its entry, its setting and the editor's setter.
    struct EditorSwitch {
        QAction* action;
        bool Settings::*setting;
        void (Editor::*apply)(bool);
    };
    QList<EditorSwitch> editorSwitches() const;

    // Runs `command` when `action` is triggered while a document is shown.
    void onDocumentCommand(QAction* action, const std::function<void()>& command);
    bool documentShown() const;
    // Moves the caret to the next (or previous) line a check marked, round the ends of the
    // text; says so in the status line when no line is marked.
    void goToCheckResult(bool forward);
    void openFind(bool replace);
    void openFindInFiles();
    void openVisualEditor();
    void openComposer();

    AppContext& m_context;
    const MainMenus& m_menus;
    Editor& m_editor;
    const DocumentList& m_documents;
    DocumentSet& m_openDocuments;
    DocumentToolContext m_tools;
    LineCommands m_lines;
    FindWindow* m_find = nullptr;
    FindInFilesWindow* m_findInFiles = nullptr;
    VisualEditorWindow* m_visualEditor = nullptr;
    ComposerWindow* m_composer = nullptr;
};

} // namespace Quillorn
