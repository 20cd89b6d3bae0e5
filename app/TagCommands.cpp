#include "app/TagCommands.h"

#include "app/MainWindow.h"
#include "tags/TagLists.h"
#include "tags/TagToolbar.h"
#include "tags/TagWindow.h"

#include <QAction>
#include <QBoxLayout>
#include <QPushButton>

namespace Quillorn {

TagCommands::TagCommands(MainWindow& main, QBoxLayout* toolbarRow)
    : QObject(&main)
    , m_main(main)
    , m_target(*main.editor())
{
    AppContext& context = m_main.context();
    m_toolbar =
        new TagToolbar(m_target, context.prompter, context.strings, context.appDir, &m_main);
    m_toolbar->setObjectName(QStringLiteral("TagToolbar"));
    toolbarRow->addWidget(m_toolbar, 1);

    const MainMenus& menus = m_main.menus();
    connect(menus.insertTag, &QAction::triggered, this, &TagCommands::insertTag);
    connect(menus.tagPanel, &QAction::toggled, this, &TagCommands::setPanel);
    connect(menus.phpReference, &QAction::triggered, this, &TagCommands::openPhpReference);
    connect(m_main.editor(), &Editor::tagEntryRequested, this, &TagCommands::activateEntry);
}

TagCommands::~TagCommands()
{
    delete m_window;
}

void TagCommands::setLanguage()
{
    const AppContext& context = m_main.context();
    m_toolbar->setLanguage(context.settings.language);
    if (m_window)
        m_window->reload(context.strings, context.languageDir(), context.settings.language);
}

void TagCommands::setDocumentOpen(bool open)
{
    m_documentOpen = open;
    m_main.menus().insertTag->setEnabled(open);
    m_toolbar->setInsertionEnabled(open);
    if (m_window)
        m_window->setInsertionEnabled(open);
}

TagWindow* TagCommands::createWindow(bool panel)
{
    delete m_window;
    const AppContext& context = m_main.context();
    m_window = new TagWindow(m_target, context.strings, context.languageDir(),
                             context.settings.language, &m_main);
    m_window->setObjectName(QStringLiteral("AddTag"));
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->setPanelMode(panel);
    m_window->setInsertionEnabled(m_documentOpen);
    connect(m_window, &TagWindow::closed, this, [this] {
        const QSignalBlocker blocker(m_main.menus().tagPanel);
        m_main.menus().tagPanel->setChecked(false);
    });
    return m_window;
}

void TagCommands::insertTag()
{
    if (m_main.menus().tagPanel->isChecked())
        m_main.menus().tagPanel->setChecked(false);
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
    const AppContext& context = m_main.context();
    TagLists lists;
    lists.load(context.languageDir(), context.settings.language);
    lists.insert(TagLists::Category::Html, entry, m_target);
}

void TagCommands::openPhpReference()
{
    m_toolbar->openReference(QStringLiteral("php.QLT"));
}

} // namespace Quillorn
