#pragma once

#include "app/AppContext.h"
#include "app/MainMenus.h"
#include "app/SlotTable.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;

namespace Quillorn {

// The main window (Main): menus, the ten document tabs, the command buttons and the status
// and path labels. It is prepared behind the splash, shown when the splash finishes, and runs
// the orderly stop when it closes.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads the language strings and sets every caption of the window from them.
    void setLanguage();

    // Opens the file named on the command line, or the last session when that is on.
    void init(const QString& commandLine);

    // The orderly stop: settings and the session file are written. Runs once; closing the
    // window and a stop signal both end here.
    void shutdown();

    const MainMenus& menus() const { return *m_menus; }
    const SlotTable& slotTable() const { return m_slots; }
    QTabBar* tabStrip() const { return m_tabs; }
    QString statusText() const;
    QString openedPathText() const;

    // The session file's text: the paths of the open documents in slot order.
    QString sessionText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWindow();
    void load();
    void applySettings();
    void rebuildRecentMenu();
    void parseExt();
    void showAbout();
    void layOutPathLabel();

    AppContext& m_context;
    std::unique_ptr<MainMenus> m_menus;
    SlotTable m_slots;
    QTabBar* m_tabs = nullptr;
    QToolButton* m_closeTab = nullptr;
    QWidget* m_page = nullptr;
    QRadioButton* m_previewMode[2] = {nullptr, nullptr};
    QLabel* m_status = nullptr;
    QLabel* m_openedPath = nullptr;
    QPushButton* m_commands[4] = {nullptr, nullptr, nullptr, nullptr};
    QList<QAction*> m_externalEntries;
    QString m_fullOpenedPath;
    bool m_shutDown = false;
};

} // namespace Quillorn
