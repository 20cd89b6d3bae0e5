#include "app/TagCommands.h"

#include "app/MainMenus.h"
#include "editing/Editor.h"
#include "tags/TagLists.h"
#include "tags/TagToolbar.h"
#include "tags/TagWindow.h"

#include <QAction>
#include <QBoxLayout>
#include <QPushButton>

namespace Quillorn {

TagCommands::TagCommands(AppContext& context, const MainMenus& menus, Editor& editor,
                         TagTarget& target, QBoxLayout* toolbarRow, QWidget* window)
    : QObject(window)
    , m_context(context)
    , m_menus(menus)
    , m_target(target)
    , m_mainWindow(window)
{
    m_toolbar =
        new TagToolbar(m_target, m_context.prompter, m_context.strings, m_context.appDir, window);
    m_toolbar->setObjectName(QStringLiteral("TagToolbar"));
    toolbarRow->addWidget(m_toolbar, 1);

    connect(menus.insertTag, &QAction::triggered, this, &TagCommands::insertTag);
    connect(menus.tagPanel, &QAction::toggled, this, &TagCommands::setPanel);
    connect(menus.phpReference, &QAction::triggered, this, &TagCommands::openPhpReference);
    connect(&editor, &Editor::tagEntryRequested, this, &TagCommands::activateEntry);
}

TagCommands::~TagCommands()
{
    delete m_window;
}

void TagCommands::setLanguage()
{
    m_toolbar->setLanguage(m_context.settings.language);
    if (m_window)
        m_window->reload(m_context.strings, m_context.languageDir(), m_context.settings.language);
}

void TagCommands::setDocumentOpen(bool open)
{
    m_documentOpen = open;
    m_menus.insertTag->setEnabled(open);
    m_toolbar->setInsertionEnabled(open);
    if (m_window)
        m_window->setInsertionEnabled(open);
}

TagWindow* TagCommands::createWindow(bool panel)
{
    delete m_window;
    m_window = new TagWindow(m_target, m_context.strings, m_context.languageDir(),
                             m_context.settings.language, m_mainWindow);
    m_window->setObjectName(QStringLiteral("AddTag"));
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->setPanelMode(panel);
    m_window->setInsertionEnabled(m_documentOpen);
    connect(m_window, &TagWindow::closed, this, [this] {
        const QSignalBlocker blocker(m_menus.tagPanel);
        m_menus.tagPanel->setChecked(false);
    });
    return m_window;
}

void TagCommands::insertTag()
{
    if (m_menus.tagPanel->isChecked())
        m_menus.tagPanel->setChecked(false);
    createWindow(false)->show();
}

void TagCommands::setPanel(bool on)
{
    if (on) {
        createWindow(true)->show();
    } else if (m_window) {
        m_window->close();
    }
}

void TagCommands::activateEntry(int entry)
{
    if (!m_documentOpen)
        return;
    if (m_window) {
        m_window->activateEntry(TagLists::Category::Html, entry);
        return;
    }
    TagLists lists;
    lists.load(m_context.languageDir(), m_context.settings.language);
    lists.insert(TagLists::Category::Html, entry, m_target);
}

void TagCommands::openPhpReference()
{
    m_toolbar->openReference(QStringLiteral("php.QLT"));
}

} // namespace Quillorn
