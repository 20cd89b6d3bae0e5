#include "app/EditCommands.h"

#include "app/AppContext.h"
#include "app/DocumentList.h"
#include "app/MainMenus.h"
#include "documents/FindInFilesWindow.h"
#include "editing/CheckMarkers.h"
#include "editing/Editor.h"
#include "editing/FindWindow.h"
#include "side/ComposerWindow.h"
#include "visual/VisualEditorWindow.h"

#include <QAction>

namespace Quillorn {

EditCommands::EditCommands(AppContext& context, const MainMenus& menus, Editor& editor,
                           const DocumentList& documents, DocumentSet& openDocuments,
                           const DocumentToolContext& tools)
    : m_context(context)
    , m_menus(menus)
    , m_editor(editor)
    , m_documents(documents)
    , m_openDocuments(openDocuments)
    , m_tools(tools)
    , m_lines(editor)
{
    onDocumentCommand(menus.undo, [this] { m_editor.undo(); });
    onDocumentCommand(menus.redo, [this] { m_editor.redo(); });
    connect(menus.fnd, &QAction::triggered, this, [this] { openFind(false); });
    connect(menus.repl, &QAction::triggered, this, [this] { openFind(true); });
    connect(menus.wrap, &QAction::toggled, &editor, &Editor::setWrapByWords);
    onDocumentCommand(menus.goToLine,
                      [this] { m_lines.askGoToLine(m_context.prompter, m_context.strings); });
    onDocumentCommand(menus.toggleComment, [this] { m_lines.toggleComment(); });
    onDocumentCommand(menus.expandAbbreviation, [this] { m_editor.expandAbbreviation(); });
    connect(menus.findInFiles, &QAction::triggered, this, &EditCommands::openFindInFiles);
    connect(menus.visEd, &QAction::triggered, this, &EditCommands::openVisualEditor);
    connect(menus.redit, &QAction::triggered, this, &EditCommands::openComposer);
    connect(menus.setNum, &QAction::toggled, &editor, &Editor::setLineNumbersVisible);
    onDocumentCommand(menus.foldAll, [this] { m_editor.foldAll(); });
    onDocumentCommand(menus.unfoldAll, [this] { m_editor.unfoldAll(); });
    onDocumentCommand(menus.matchingTag, [this] { m_editor.jumpToMatch(); });
    for (const EditorSwitch& item : editorSwitches()) {
        connect(item.action, &QAction::toggled, this, [this, item](bool on) {
            m_context.settings.*item.setting = on;
            (m_editor.*item.apply)(on);
        });
    }
    connect(menus.nextCheckResult, &QAction::triggered, this, [this] { goToCheckResult(true); });
    connect(menus.previousCheckResult, &QAction::triggered, this,
            [this] { goToCheckResult(false); });
    editor.setLineNumbersVisible(menus.setNum->isChecked());
}

void EditCommands::onDocumentCommand(QAction* action, const std::function<void()>& command)
{
    connect(action, &QAction::triggered, this, [this, command] {
        if (documentShown())
            command();
    });
}

bool EditCommands::documentShown() const
{
    return m_documents.current() >= 0;
}

QList<EditCommands::EditorSwitch> EditCommands::editorSwitches() const
{
    return {
        {m_menus.codeFolding, &Settings::codeFolding, &Editor::setFoldingEnabled},
        {m_menus.highlightMatching, &Settings::highlightMatching, &Editor::setMatchHighlighting},
        {m_menus.completeClosingTags, &Settings::completeClosingTags,
         &Editor::setCompleteClosingTags},
        {m_menus.addClosingTags, &Settings::addClosingTags, &Editor::setAddClosingTags}};
}

void EditCommands::applySwitches()
{
    const Settings& s = m_context.settings;
    for (const EditorSwitch& item : editorSwitches()) {
        item.action->setChecked(s.*item.setting);
        (m_editor.*item.apply)(s.*item.setting);
    }
}

void EditCommands::applyCaptions()
{
    if (m_find)
        m_find->applyCaptions();
    if (m_findInFiles)
        m_findInFiles->applyCaptions();
    if (m_visualEditor)
        m_visualEditor->applyCaptions();
    if (m_composer)
        m_composer->applyCaptions();
}

void EditCommands::goToCheckResult(bool forward)
{
    if (!documentShown())
        return;
    const std::optional<qint64> line =
        m_editor.checkMarkers().nextLine(m_tools.document.caretLine(), forward);
    if (!line) {
        Q_EMIT statusChanged(m_context.strings.value(Str::CheckFoundNothing));
        return;
    }
    LineCommands::goTo(m_editor, {static_cast<int>(*line) + 1, 1});
}

void EditCommands::openFind(bool replace)
{
    if (!documentShown())
        return;
    if (!m_find)
        m_find = new FindWindow(&m_editor, m_context.strings, m_context.prompter, m_tools.window);
    m_find->open(replace ? FindWindow::Mode::Replace : FindWindow::Mode::Find);
}

void EditCommands::openFindInFiles()
{
    if (!m_findInFiles)
        m_findInFiles =
            new FindInFilesWindow(m_context.strings, m_context.settings, m_context.prompter,
                                  m_tools.document, m_openDocuments, m_tools.window);
    m_findInFiles->open();
}

void EditCommands::openVisualEditor()
{
    if (!m_visualEditor)
        m_visualEditor = new VisualEditorWindow(m_tools);
    m_visualEditor->open();
}

void EditCommands::openComposer()
{
    if (!m_composer)
        m_composer = new ComposerWindow(m_tools);
    m_composer->open();
}

} // namespace Quillorn
