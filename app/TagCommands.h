#pragma once

#include "app/AppContext.h"
#include "tags/TagWindow.h"

#include <QObject>
#include <QPointer>

class QBoxLayout;

namespace Quillorn {

class Editor;
class TagTarget;
class TagToolbar;
struct MainMenus;

// The main window's tag commands: the tag tool bar, "Insert tag" and "Tags panel" with the
// tag list window, Ctrl+B and the reference trees.
class TagCommands : public QObject {
    Q_OBJECT
public:
    // The windows insert into `target`, the document `editor` shows; the tool bar is added to
    // `toolbarRow`, the windows open over `window`.
    TagCommands(AppContext& context, const MainMenus& menus, Editor& editor, TagTarget& target,
                QBoxLayout* toolbarRow, QWidget* window);
    ~TagCommands() override;

    // Follows a language change: the tool bar and an open tag window take the new strings.
    void setLanguage();

    // Whether a document is shown: without one every command that inserts is disabled.
    void setDocumentOpen(bool open);

    // "Insert tag": the tag window for one insertion, the main window blocked meanwhile.
    void insertTag();
    // "Tags panel": the tag window as a panel that stays open, or closed.
    void setPanel(bool on);
    // Ctrl+B: entry `entry` of the HTML list, as if double-clicked.
    void activateEntry(int entry);
    void openPhpReference();

    TagToolbar* toolbar() const { return m_toolbar; }
    TagWindow* window() const { return m_window; }

private:
    TagWindow* createWindow(bool panel);

    AppContext& m_context;
    const MainMenus& m_menus;
    TagTarget& m_target;
    QWidget* m_mainWindow;
    TagToolbar* m_toolbar = nullptr;
    QPointer<TagWindow> m_window;
    bool m_documentOpen = false;
};

} // namespace Quillorn
