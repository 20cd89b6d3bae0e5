#pragma once

#include "app/AppContext.h"
#include "app/DocumentList.h"
#include "app/DocumentView.h"
#include "app/EditorDocument.h"
#include "app/MainMenus.h"
#include "documents/DocumentSet.h"
#include "documents/DocumentToolContext.h"
#include "editing/Editor.h"
#include "platform/FileFailure.h"
#include "platform/QtTranslation.h"
#include "settings/SettingsWindow.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QLabel;
class QMimeData;
class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;

namespace Quillorn {

class ExternalChangeWatch;
class FileCommands;
class HelpPage;
class PluginHost;
class Preview;
class PreviewPane;
class PrintCommands;
class DiskCompare;
class EditCommands;
class RecoveryKeeper;
class SaveCheck;
class TagCommands;
class ToolCommands;

// The main window (Main): menus, the ten document tabs over the one editor, the command
// buttons and the status and path labels. It is prepared behind the splash, shown when the
// splash finishes, and runs the orderly stop when it closes.
class MainWindow : public QMainWindow, public DocumentView, public DocumentSet {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Rebuilds everything the settings decide: the interface language and every caption, the
    // recent-files, external-program and plug-in menus, and which tools can be used. Runs at
    // start and whenever the settings change.
    void applySettings();

    // Opens the settings window at `page` (one window at a time); its OK applies the settings.
    void openSettings(SettingsWindow::Page page);
    // The settings window while it is open.
    SettingsWindow* settingsWindow() const { return m_settingsWindow; }

    // Opens the files named on the command line, or the last session when that is on.
    void init(const QStringList& files);

    // The orderly stop: settings and the session file are written. Runs once; closing the
    // window and a stop signal both end here. Gives the writes that failed (their old files
    // were kept); closing the window tells the user, a stop signal cannot wait for that.
    QList<FileFailure> shutdown();

    int newTab(const QString& fileName, const QIcon& fallback) override;
    // Asks about unsaved changes (Yes saves first) and closes the current tab.
    void closeCurrentTab();
    // Closes every open tab in tab order, each asking for itself.
    void closeAllWindows();
    // Saves every open document in tab order, then returns to the current one.
    void saveAllFiles();
    // Makes `slot` the current tab and shows its document in the editor.
    void activateSlot(int slot);
    // The slot whose document the editor shows; -1 while no document is shown.
    int currentSlot() const { return m_documents.current(); }

    QString tabCaption(int slot) const;
    void setStatusText(const QString& text) override;
    void showDocumentControls() override;

    Editor* editor() const { return m_editor; }
    void loadDocument(const QByteArray& utf8) override;
    // The current document as the subsystems beside the editor see it.
    CurrentDocument& currentDocument() const { return *m_document; }
    AppContext& context() const { return m_context; }
    const DocumentList& documents() const { return m_documents; }
    const MainMenus& menus() const override { return *m_menus; }
    FileCommands& files() const { return *m_files; }
    TagCommands& tags() const { return *m_tags; }
    EditCommands& editCommands() const { return *m_edit; }
    ToolCommands& tools() const { return *m_tools; }
    SaveCheck& saveCheck() const { return *m_saveCheck; }
    Preview& preview() const { return *m_preview; }
    PluginHost& plugins() const { return *m_plugins; }
    RecoveryKeeper& recovery() const { return *m_recovery; }
    PreviewPane* previewPane() const { return m_pane; }
    QTabBar* tabStrip() const { return m_tabs; }
    QString statusText() const;
    QString openedPathText() const;

    // The open documents for find in files; reading them visits each tab in turn.
    QList<Text> openTexts() override;
    bool replaceIn(quint64 id, const QList<CurrentDocument::Replacement>& replacements) override;
    quint64 open(const QString& path) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void connectCommands();
    void connectToolCommands();
    void connectPreview();
    // Shows the editor or the browser view, whichever the preview-mode buttons choose.
    void showChosenView();
    void load();
    void showAbout();
    // The settings window's OK: `edited` becomes the settings and is applied.
    void takeSettings(const Settings& edited);
    void layOutPathLabel();
    void onContentChanged();
    void onCurrentChanged(int slot);
    void onPathChanged(int slot);
    void onClosed(int slot);
    // Sets the tab picture from the document's kind; a document of another kind gets the
    // desktop's icon for its file, or `fallback`.
    void setTabPicture(int slot, const QIcon& fallback = {});
    // Shows `path` in the path label, shortened to fit.
    void showOpenedPath(const QString& path);
    // Refreshes the window title from the current document.
    void updateTitle();
    void onTabClicked(int index);
    void cycleTab(bool forward);
    // What the commands and tool windows beside the editor work with.
    DocumentToolContext toolContext();
    void hideDocumentControls();
    // Opens the local files a drag carries; false when it carries none.
    bool openDroppedFiles(const QMimeData* data);
    // Asks about every unsaved document before the window closes; false when the user
    // cancelled.
    bool confirmClose();

    AppContext& m_context;
    std::unique_ptr<MainMenus> m_menus;
    DocumentList m_documents;
    QTabBar* m_tabs = nullptr;
    QToolButton* m_closeTab = nullptr;
    QWidget* m_page = nullptr;
    Editor* m_editor = nullptr;
    PreviewPane* m_pane = nullptr;
    std::unique_ptr<EditorDocument> m_document;
    QHBoxLayout* m_commandRow = nullptr;
    QRadioButton* m_previewMode[2] = {nullptr, nullptr};
    QLabel* m_status = nullptr;
    QLabel* m_openedPath = nullptr;
    QPushButton* m_commands[4] = {nullptr, nullptr, nullptr, nullptr};
    std::unique_ptr<EditCommands> m_edit;
    QPointer<SettingsWindow> m_settingsWindow;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<TagCommands> m_tags;
    std::unique_ptr<ToolCommands> m_tools;
    std::unique_ptr<SaveCheck> m_saveCheck;
    std::unique_ptr<Preview> m_preview;
    std::unique_ptr<HelpPage> m_help;
    std::unique_ptr<PluginHost> m_plugins;
    std::unique_ptr<RecoveryKeeper> m_recovery;
    std::unique_ptr<ExternalChangeWatch> m_changes;
    std::unique_ptr<PrintCommands> m_print;
    std::unique_ptr<DiskCompare> m_compare;
    QtTranslation m_qtTranslation;
    QString m_fullOpenedPath;
    bool m_switching = false;
    bool m_closingTab = false;
    bool m_shutDown = false;
};

} // namespace Quillorn
