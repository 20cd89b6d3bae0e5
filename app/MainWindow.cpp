#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "app/CaptionTable.h"
#include "app/CommandLine.h"
#include "app/EditCommands.h"
#include "app/ExternalChangeWatch.h"
#include "app/FileCommands.h"
#include "app/PathShortener.h"
#include "app/RecoveryKeeper.h"
#include "app/TagCommands.h"
#include "documents/FileKind.h"
#include "documents/SessionFile.h"
#include "editing/LexerChoice.h"
#include "editing/TabCycle.h"
#include "platform/AppPaths.h"
#include "platform/SettingsFile.h"
#include "preview/BrowserDetection.h"
#include "preview/HelpPage.h"
#include "preview/Preview.h"
#include "preview/PreviewPane.h"
#include "settings/PluginHost.h"
#include "side/DiskCompare.h"
#include "side/PrintCommands.h"
#include "tools/CheckWindow.h"
#include "tools/SaveCheck.h"
#include "tools/ToolCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <tuple>

namespace Quillorn {

namespace {

const QColor WindowColour(156, 170, 178);
const QColor ButtonColour(184, 191, 194);

} // namespace

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Quillorn"));
    setWindowIcon(QIcon(m_context.iconPath(QStringLiteral("quillorn.svg"))));
    setAcceptDrops(true);
    buildWindow();
    load();
}

MainWindow::~MainWindow()
{
    // The tag windows point into the editor, the change watch into the file commands: they go
    // first.
    m_tags.reset();
    m_changes.reset();
    m_files.reset();
}

void MainWindow::buildWindow()
{
    m_menus = std::make_unique<MainMenus>(menuBar());

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);

    m_commandRow = new QHBoxLayout;
    const char* commandIcons[] = {"new.svg", "saveas.svg", "open.svg", "tags.svg"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(central);
        button->setObjectName(QStringLiteral("Command%1").arg(i + 1));
        button->setIcon(QIcon(m_context.iconPath(QLatin1String(commandIcons[i]))));
        button->setIconSize(QSize(24, 24));
        button->setFixedSize(34, 34);
        m_commandRow->addWidget(button);
        m_commands[i] = button;
    }
    column->addLayout(m_commandRow);

    auto* tabRow = new QHBoxLayout;
    m_tabs = new QTabBar(central);
    m_tabs->setObjectName(QStringLiteral("MTab"));
    m_tabs->setExpanding(false);
    m_tabs->setDocumentMode(true);
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setIconSize(QSize(16, 16));
    tabRow->addWidget(m_tabs, 1);
    m_closeTab = new QToolButton(central);
    m_closeTab->setObjectName(QStringLiteral("CloseTabButton"));
    m_closeTab->setIcon(QIcon(m_context.iconPath(QStringLiteral("close-tab.svg"))));
    m_closeTab->setAutoRaise(true);
    tabRow->addWidget(m_closeTab);
    column->addLayout(tabRow);

    m_page = new QWidget(central);
    m_page->setObjectName(QStringLiteral("TabPage"));
    m_page->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* pageLayout = new QVBoxLayout(m_page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    m_editor = new Editor(m_page);
    m_editor->viewport()->installEventFilter(this);
    pageLayout->addWidget(m_editor);
    m_pane = new PreviewPane(m_page);
    m_pane->hide();
    pageLayout->addWidget(m_pane);
    column->addWidget(m_page, 1);

    auto* bottom = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        m_previewMode[i] = new QRadioButton(central);
        m_previewMode[i]->setObjectName(QStringLiteral("PreviewMode%1").arg(i));
        bottom->addWidget(m_previewMode[i]);
    }
    m_previewMode[0]->setText(QStringLiteral("HTML Code"));
    m_previewMode[1]->setText(QStringLiteral("View in browser"));
    m_previewMode[0]->setChecked(true);
    m_status = new QLabel(central);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setMinimumWidth(260);
    bottom->addWidget(m_status);
    // A gap the width of a few letters keeps a long status from running into the path.
    bottom->addSpacing(m_status->fontMetrics().horizontalAdvance(QStringLiteral("MM")));
    m_openedPath = new QLabel(central);
    m_openedPath->setObjectName(QStringLiteral("OpenedPath"));
    m_openedPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bottom->addWidget(m_openedPath, 1);
    column->addLayout(bottom);

    setCentralWidget(central);
    resize(1000, 700);

    m_document = std::make_unique<EditorDocument>(*m_editor, m_documents,
                                                  [this](int slot) { activateSlot(slot); });
    m_edit = std::make_unique<EditCommands>(m_context, *m_menus, *m_editor, m_documents, *this,
                                            toolContext());
    m_files = std::make_unique<FileCommands>(m_context, m_documents, *m_document, *this, this);
    m_tags = std::make_unique<TagCommands>(m_context, *m_menus, *m_editor, *m_document,
                                           m_commandRow, this);
    m_tools = std::make_unique<ToolCommands>(
        ToolCommands::Context{m_context.appDir, m_context.settings, m_context.strings,
                              m_context.prompter, *m_document, this});
    m_saveCheck = std::make_unique<SaveCheck>(
        SaveCheck::Context{m_context.appDir, m_context.settings, m_context.strings, *m_document});
    m_preview = std::make_unique<Preview>(Preview::Context{
        m_context.settings, m_context.strings, m_context.prompter, *m_document, m_pane});
    m_help = std::make_unique<HelpPage>(m_context.strings, m_context.prompter);
    m_recovery = std::make_unique<RecoveryKeeper>(m_context, m_documents, *m_document);
    m_changes = std::make_unique<ExternalChangeWatch>(m_context, m_documents, *m_files);
    m_print = std::make_unique<PrintCommands>(toolContext());
    m_compare = std::make_unique<DiskCompare>(toolContext());
    m_plugins = std::make_unique<PluginHost>(
        PluginHost::Context{m_context.appDir, m_context.strings, m_context.prompter, *m_document,
                            m_menus->plugIns, m_menus->mplug});
    // A plug-in that crashes inside the editor takes it down: the last changes are kept first.
    connect(m_plugins.get(), &PluginHost::aboutToRunInProcess, m_recovery.get(),
            &RecoveryKeeper::keepCurrent);
    m_commandRow->addStretch();
    connectCommands();
}

void MainWindow::connectCommands()
{
    const MainMenus& m = *m_menus;
    connect(m.quit, &QAction::triggered, this, &QWidget::close);
    connect(m.about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m.clsW, &QAction::triggered, this, &MainWindow::closeCurrentTab);
    connect(m.closeAllWnd, &QAction::triggered, this, &MainWindow::closeAllWindows);
    connect(m.saveAll, &QAction::triggered, this, &MainWindow::saveAllFiles);
    connect(m.changeLanguage, &QAction::triggered, this,
            [this] { openSettings(SettingsWindow::Page::Main); });
    connect(m.extensions, &QAction::triggered, this,
            [this] { openSettings(SettingsWindow::Page::Extensions); });
    connect(m.prnt, &QAction::triggered, m_print.get(), &PrintCommands::print);
    connect(m.printPreview, &QAction::triggered, m_print.get(), &PrintCommands::preview);
    connect(m.compareWithDisk, &QAction::triggered, m_compare.get(), &DiskCompare::compareCurrent);
    connect(m_closeTab, &QToolButton::clicked, this, &MainWindow::closeCurrentTab);
    connect(m_commands[0], &QPushButton::clicked, m_files.get(), &FileCommands::newDocument);
    connect(m_commands[1], &QPushButton::clicked, m_files.get(), &FileCommands::saveAs);
    connect(m_commands[2], &QPushButton::clicked, m_files.get(), &FileCommands::openFromDialog);
    connect(m_commands[3], &QPushButton::clicked, m_tags.get(), &TagCommands::insertTag);
    connect(m.insertTag, &QAction::enabledChanged, m_commands[3], &QWidget::setEnabled);

    connect(m_edit.get(), &EditCommands::statusChanged, this, &MainWindow::setStatusText);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_closingTab && m_documents.inUse(index))
            activateSlot(index);
    });
    connect(m_tabs, &QTabBar::tabBarClicked, this, &MainWindow::onTabClicked);

    connect(m_editor, &Editor::contentChanged, this, &MainWindow::onContentChanged);
    connect(&m_documents, &DocumentList::currentChanged, this, &MainWindow::onCurrentChanged);
    connect(&m_documents, &DocumentList::pathChanged, this, &MainWindow::onPathChanged);
    connect(&m_documents, &DocumentList::closed, this, &MainWindow::onClosed);
    connect(&m_documents, &DocumentList::savedChanged, this, [this](int slot, bool saved) {
        // A saved file may be one the desktop now has a picture for.
        if (saved)
            setTabPicture(slot);
        if (slot == currentSlot())
            updateTitle();
    });
    connect(m_editor, &Editor::statusTextChanged, m_status, &QLabel::setText);
    // Said once the action that found the line is over, so that its own status text does
    // not hide the note; the next caret move replaces it.
    connect(m_editor, &Editor::longLineFound, this, [this] {
        QTimer::singleShot(0, this,
                           [this] { setStatusText(m_context.strings.value(Str::LongLineSlow)); });
    });
    connectToolCommands();
    connectPreview();
    connect(m_editor, &Editor::nextTabRequested, this, [this] { cycleTab(true); });
    connect(m_editor, &Editor::previousTabRequested, this, [this] { cycleTab(false); });
}

void MainWindow::connectToolCommands()
{
    const MainMenus& m = *m_menus;
    ToolCommands* tools = m_tools.get();
    connect(m.chk, &QAction::triggered, tools, &ToolCommands::checkDocument);
    connect(m.chkByTidy, &QAction::triggered, tools, &ToolCommands::checkDocument);
    using Tidy = ToolCommands::TidyCommand;
    const std::pair<QAction*, Tidy> conversions[] = {{m.repByTidy, Tidy::Correct},
                                                     {m.tagsToUpperCase, Tidy::UpperCase},
                                                     {m.convToXml, Tidy::ToXml},
                                                     {m.convToXhtml, Tidy::ToXhtml},
                                                     {m.convToHtml, Tidy::ToHtml}};
    for (const auto& [action, command] : conversions)
        connect(action, &QAction::triggered, tools, [tools, command] { tools->convert(command); });
    using Php = ToolCommands::PhpCommand;
    const std::pair<QAction*, Php> phpCommands[] = {{m.phpExe, Php::Execute},
                                                    {m.phpCheck, Php::Check},
                                                    {m.phpHighlight, Php::Highlight},
                                                    {m.phpCompact, Php::Compact}};
    for (const auto& [action, command] : phpCommands)
        connect(action, &QAction::triggered, tools, [tools, command] { tools->runPhp(command); });
    connect(tools, &ToolCommands::statusChanged, this, &MainWindow::setStatusText);
    connect(m.checkAfterSaving, &QAction::toggled, this,
            [this](bool on) { m_context.settings.checkAfterSaving = on; });
    connect(m_files.get(), &FileCommands::saved, m_saveCheck.get(), &SaveCheck::documentSaved);
    connect(m_saveCheck.get(), &SaveCheck::statusChanged, this, &MainWindow::setStatusText);
    connect(m_plugins.get(), &PluginHost::statusChanged, this, &MainWindow::setStatusText);
}

void MainWindow::connectPreview()
{
    connect(m_previewMode[1], &QRadioButton::toggled, this, [this](bool browser) {
        showChosenView();
        m_preview->setBrowserShown(browser);
    });
    connect(m_menus->viewBrowse, &QAction::triggered, this,
            [this] { m_previewMode[m_previewMode[0]->isChecked() ? 1 : 0]->setChecked(true); });
    connect(&m_documents, &DocumentList::currentChanged, this, [this](int slot) {
        // Closing the current tab returns to the code view without showing anything.
        if (slot < 0)
            m_previewMode[0]->setChecked(true);
        else
            m_preview->currentDocumentChanged();
    });
    connect(&m_documents, &DocumentList::savedChanged, this, [this](int slot, bool saved) {
        if (saved && slot == currentSlot())
            m_preview->documentSaved();
    });
    connect(m_preview.get(), &Preview::statusTextChanged, this, &MainWindow::setStatusText);
    connect(m_preview.get(), &Preview::codeViewWanted, this,
            [this] { m_previewMode[0]->setChecked(true); });
    connect(m_menus->showInPreview, &QAction::triggered, this, [this] {
        if (currentSlot() < 0)
            return;
        m_preview->revealCaret();
        m_previewMode[1]->setChecked(true);
    });
    connect(m_pane, &PreviewPane::statusTextChanged, this, &MainWindow::setStatusText);
    connect(m_menus->help, &QAction::triggered, this,
            [this] { m_help->show(m_context.appDir, m_context.settings.language); });
}

void MainWindow::showChosenView()
{
    const bool browser = m_previewMode[1]->isChecked();
    m_editor->setVisible(!browser);
    m_pane->setVisible(browser);
}

void MainWindow::load()
{
    // Window colours: the window, the preview-mode buttons and the tab strip share the
    // background; the command buttons are a lighter grey.
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, WindowColour);
    centralWidget()->setPalette(windowPalette);
    centralWidget()->setAutoFillBackground(true);
    for (QPushButton* button : m_commands) {
        QPalette pal = button->palette();
        pal.setColor(QPalette::Button, ButtonColour);
        button->setPalette(pal);
    }

    // Ten tabs, every one hidden until a document takes its slot.
    for (int i = 0; i < DocumentList::Count; ++i) {
        m_tabs->addTab(QString());
        m_tabs->setTabVisible(i, false);
    }

    // What shows only while a document is open starts hidden.
    hideDocumentControls();

    SettingsFile(m_context.settingsPath()).read(m_context.settings);
    BrowserDetection::detect(m_context.settings);
    m_editor->loadLanguageFiles(m_context.languagesDir());
    applySettings();
}

void MainWindow::applySettings()
{
    Settings& s = m_context.settings;
    // Without a word on Tidy in the settings, Tidy is there when it can be found.
    if (!s.tidyAvailable)
        s.tidyAvailable = !ToolCommands::tidyProgram(m_context.appDir).isEmpty();
    m_menus->htmlTidy->setEnabled(*s.tidyAvailable);
    m_menus->chk->setEnabled(*s.tidyAvailable);
    m_menus->phpMenu->setEnabled(!s.phpPath.isEmpty());
    m_menus->checkAfterSaving->setChecked(s.checkAfterSaving);
    m_files->rebuildRecentMenu();
    m_files->rebuildExternalMenu();
    m_edit->applySwitches();

    // The interface language: the strings, Qt's own dialogs and every caption.
    if (s.language.isEmpty())
        s.language = QStringLiteral("english");
    m_context.strings.load(m_context.languageDir() + QLatin1String("main.lng"), s.language);
    m_qtTranslation.apply(s.language);
    CaptionTable::apply(this, m_context.strings);
    m_editor->setLangStrings(&m_context.strings);
    m_tags->setLanguage();
    m_pane->setCaptions(m_context.strings);
    m_plugins->apply(s.plugIns, s.language);
    if (CheckWindow* check = m_tools->checkWindow())
        check->applyCaptions();
    m_edit->applyCaptions();
    if (currentSlot() >= 0)
        m_editor->refreshStatus();
}

void MainWindow::openSettings(SettingsWindow::Page page)
{
    if (!m_settingsWindow) {
        m_settingsWindow =
            new SettingsWindow(SettingsWindow::Context{m_context.appDir, m_context.settings,
                                                       m_context.strings, m_context.prompter},
                               this);
        connect(m_settingsWindow, &SettingsWindow::settingsChosen, this, &MainWindow::takeSettings);
    }
    m_settingsWindow->showPage(page);
}

void MainWindow::takeSettings(const Settings& edited)
{
    const Settings before = m_context.settings;
    SettingsDraft::takeOver(edited, m_context.settings);
    applySettings();
    const auto previewSettings = [](const Settings& s) {
        return std::tie(s.isHttpServer, s.pathToHttpd, s.serverAddress, s.phpPath);
    };
    if (previewSettings(before) != previewSettings(m_context.settings))
        m_preview->settingsChanged();
}

void MainWindow::showAbout()
{
    AboutWindow about(m_context.languageDir(), m_context.settings.language, this);
    about.exec();
}

void MainWindow::init(const QStringList& files)
{
    // The command line's files go into the recent list; the last session does not.
    m_files->openDocuments(CommandLine::initialOpen(files, m_context.settings.openLastSession,
                                                    m_context.lastSessionPath()),
                           !files.isEmpty());
    m_recovery->offerLeftBehind(
        [this](const RecoveryStore::Document& document) { return m_files->reopen(document); });
}

QList<FileFailure> MainWindow::shutdown()
{
    if (m_shutDown)
        return {};
    m_shutDown = true;
    // A stop signal ends the program without asking: the last changes are kept for the next
    // start.
    m_recovery->keepCurrent();
    // Each step is independent: one that fails does not keep the next from running.
    QList<FileFailure> failures{SettingsFile(m_context.settingsPath()).write(m_context.settings),
                                SessionFile::write(m_context.lastSessionPath(), m_documents.paths(),
                                                   m_context.settings.language)};
    failures.removeIf([](const FileFailure& failure) { return failure.ok(); });
    return failures;
}

int MainWindow::newTab(const QString& fileName, const QIcon& fallback)
{
    const int slot =
        m_documents.take(fileName, m_editor->createDocument(LexerChoice::forFileName(fileName)));
    if (slot < 0)
        return -1;
    m_tabs->setTabVisible(slot, true);
    m_tabs->setTabText(slot, fileName);
    m_tabs->setTabToolTip(slot, fileName);
    setTabPicture(slot, fallback);
    activateSlot(slot);
    return slot;
}

void MainWindow::activateSlot(int slot)
{
    if (!m_documents.inUse(slot))
        return;
    if (m_tabs->currentIndex() != slot) {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(slot);
    }
    const int shown = currentSlot();
    if (shown == slot && m_editor->isVisible())
        return;

    m_recovery->keepCurrent();
    m_switching = true;
    if (shown >= 0)
        m_documents.setView(shown, m_editor->viewState());
    m_editor->setDocument(m_documents[slot].document);
    m_editor->restoreViewState(m_documents[slot].view);
    m_document->documentShown(slot);
    m_switching = false;
    if (shown == slot)
        onCurrentChanged(slot);
    else
        m_documents.setCurrent(slot);
}

void MainWindow::onCurrentChanged(int slot)
{
    if (slot < 0) {
        hideDocumentControls();
        setStatusText(QString());
        showOpenedPath(QString());
        updateTitle();
        return;
    }
    showDocumentControls();
    m_editor->setFocus();
    showOpenedPath(m_documents[slot].path);
    m_editor->refreshStatus();
    updateTitle();
}

void MainWindow::onPathChanged(int slot)
{
    const QString& name = m_documents[slot].name;
    m_tabs->setTabText(slot, name);
    m_tabs->setTabToolTip(slot, name);
    setTabPicture(slot);
    if (slot == currentSlot()) {
        showOpenedPath(m_documents[slot].path);
        updateTitle();
    }
}

void MainWindow::onClosed(int slot)
{
    m_closingTab = true;
    m_tabs->setTabVisible(slot, false);
    m_tabs->setTabText(slot, QString());
    m_tabs->setTabIcon(slot, QIcon());
    m_closingTab = false;
}

void MainWindow::onTabClicked(int index)
{
    // After a close the strip may already point at a tab whose document is not shown;
    // clicking it shows it.
    if (m_documents.inUse(index) && index != currentSlot())
        activateSlot(index);
}

void MainWindow::cycleTab(bool forward)
{
    const int cur = currentSlot();
    if (cur < 0)
        return;
    TabCycle::Visibility visible{};
    for (int i = 0; i < DocumentList::Count; ++i)
        visible[static_cast<size_t>(i)] = m_documents.inUse(i);
    activateSlot(forward ? TabCycle::next(visible, cur) : TabCycle::previous(visible, cur));
}

void MainWindow::closeCurrentTab()
{
    const int cur = currentSlot();
    if (!m_documents.inUse(cur))
        return;
    if (!m_documents[cur].saved &&
        m_context.prompter.askYesNo(m_context.strings.message(Str::SaveBeforeClosing), QString())) {
        // A save that was asked for but did not happen (the name was not given, the write
        // failed) keeps the tab open: closing it would drop the text the user meant to keep.
        if (!m_files->save())
            return;
    }
    m_editor->setDocument(m_editor->createDocument(LexerKind::PlainText));
    m_documents.release(cur);
}

void MainWindow::closeAllWindows()
{
    for (int i = 0; i < DocumentList::Count; ++i) {
        if (!m_documents.inUse(i))
            continue;
        activateSlot(i);
        closeCurrentTab();
    }
}

void MainWindow::saveAllFiles()
{
    const int remembered = currentSlot();
    for (int i = 0; i < DocumentList::Count; ++i) {
        if (!m_documents.inUse(i))
            continue;
        activateSlot(i);
        m_files->save();
    }
    if (m_documents.inUse(remembered))
        activateSlot(remembered);
}

void MainWindow::onContentChanged()
{
    if (m_switching)
        return;
    m_documents.setSaved(currentSlot(), false);
    m_recovery->changed();
    m_preview->documentEdited();
}

QString MainWindow::tabCaption(int slot) const
{
    return m_tabs->tabText(slot);
}

void MainWindow::setTabPicture(int slot, const QIcon& fallback)
{
    const DocumentList::Document& document = m_documents[slot];
    const QString kindIcon = FileKind::iconPath(document.kind, m_context.appDir);
    if (!kindIcon.isEmpty()) {
        m_tabs->setTabIcon(slot, QIcon(kindIcon));
        return;
    }
    if (!fallback.isNull()) {
        m_tabs->setTabIcon(slot, fallback);
        return;
    }
    // Other kinds show the desktop's icon for the file, when it is a file.
    QIcon icon;
    if (!document.path.isEmpty() && QFileInfo::exists(document.path))
        icon = QFileIconProvider().icon(QFileInfo(document.path));
    m_tabs->setTabIcon(slot, icon);
}

void MainWindow::updateTitle()
{
    const int cur = currentSlot();
    if (cur < 0) {
        setWindowTitle(QStringLiteral("Quillorn"));
        return;
    }
    QString title = QLatin1String("Quillorn - ") + m_documents[cur].name;
    if (!m_documents[cur].saved)
        title += QLatin1String(" *");
    setWindowTitle(title);
}

void MainWindow::loadDocument(const QByteArray& utf8)
{
    m_editor->loadBytes(utf8);
}

void MainWindow::showDocumentControls()
{
    m_page->show();
    showChosenView();
    m_closeTab->show();
    m_previewMode[0]->show();
    m_previewMode[1]->show();
    m_previewMode[1]->setEnabled(true);
    m_menus->viewBrowse->setEnabled(true);
    m_menus->showInPreview->setEnabled(true);
    m_tags->setDocumentOpen(true);
}

void MainWindow::hideDocumentControls()
{
    // Qt moves the keyboard focus off a widget it hides only while its window is active; hidden
    // behind a question box, the editor would keep the window's focus and take the keys typed
    // next into a document nobody sees.
    if (m_page->isAncestorOf(focusWidget()))
        setFocus();
    m_page->hide();
    m_closeTab->hide();
    m_previewMode[0]->hide();
    m_previewMode[1]->hide();
    m_previewMode[1]->setEnabled(false);
    m_menus->viewBrowse->setEnabled(false);
    m_menus->showInPreview->setEnabled(false);
    m_tags->setDocumentOpen(false);
}

DocumentToolContext MainWindow::toolContext()
{
    return {m_context.strings, m_context.prompter, *m_document, this};
}

QList<DocumentSet::Text> MainWindow::openTexts()
{
    QList<Text> texts;
    const int current = currentSlot();
    for (int slot = 0; slot < DocumentList::Count; ++slot) {
        if (!m_documents.inUse(slot))
            continue;
        if (slot != currentSlot())
            activateSlot(slot);
        const DocumentList::Document& document = m_documents[slot];
        texts.append({document.id, document.name, document.path, m_editor->bytes()});
    }
    if (current >= 0 && current != currentSlot())
        activateSlot(current);
    return texts;
}

bool MainWindow::replaceIn(quint64 id, const QList<CurrentDocument::Replacement>& replacements)
{
    const int slot = m_documents.slotOf(id);
    if (slot < 0)
        return false;
    const int current = currentSlot();
    activateSlot(slot);
    m_document->replaceBytes(replacements);
    if (current >= 0 && current != slot)
        activateSlot(current);
    return true;
}

quint64 MainWindow::open(const QString& path)
{
    const auto openId = [this, &path]() -> quint64 {
        const QString wanted = QFileInfo(path).absoluteFilePath();
        for (int slot = 0; slot < DocumentList::Count; ++slot)
            if (m_documents.inUse(slot) &&
                QFileInfo(m_documents[slot].path).absoluteFilePath() == wanted)
                return m_documents[slot].id;
        return 0;
    };
    if (const quint64 id = openId())
        return id;
    m_files->openDocument(path, true);
    return openId();
}

bool MainWindow::confirmClose()
{
    for (int i = 0; i < DocumentList::Count; ++i) {
        if (!m_documents.inUse(i) || m_documents[i].saved)
            continue;
        activateSlot(i);
        switch (m_context.prompter.askSave(m_context.strings.message(Str::SaveBeforeClosing),
                                           tabCaption(i))) {
        case Prompter::SaveChoice::Save:
            if (!m_files->save())
                return false;
            break;
        case Prompter::SaveChoice::Discard:
            break;
        case Prompter::SaveChoice::Cancel:
            return false;
        }
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_shutDown) {
        if (!confirmClose()) {
            event->ignore();
            return;
        }
        // Every unsaved document was asked about: nothing is left to recover.
        m_recovery->clear();
    }
    QStringList notWritten;
    for (const FileFailure& failure : shutdown())
        notWritten.append(failure.describe(m_context.strings, Str::ProgramFileNotWritten));
    if (!notWritten.isEmpty())
        m_context.prompter.message(notWritten.join(QLatin1String("\n\n")),
                                   Prompter::Icon::Critical);
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layOutPathLabel();
}

namespace {

// Files are taken as a copy (or a link), never moved: a move lets the source delete the
// user's file once the drop is done. False when the source offers neither.
bool takeFilesWithoutMove(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls())
        return false;
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (event->possibleActions() & action) {
            event->setDropAction(action);
            event->accept();
            return true;
        }
    }
    event->ignore();
    return false;
}

} // namespace

bool MainWindow::openDroppedFiles(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return false;
    bool any = false;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        m_files->openDocument(url.toLocalFile(), true);
        any = true;
    }
    return any;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    takeFilesWithoutMove(event);
}

void MainWindow::dropEvent(QDropEvent* event)
{
    if (takeFilesWithoutMove(event))
        openDroppedFiles(event->mimeData());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Files dropped on the editor open as documents instead of landing as text.
    if (watched == m_editor->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData()->hasUrls()) {
                takeFilesWithoutMove(drag);
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasUrls()) {
                if (takeFilesWithoutMove(drop))
                    openDroppedFiles(drop->mimeData());
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setStatusText(const QString& text)
{
    m_status->setText(text);
}

void MainWindow::showOpenedPath(const QString& path)
{
    m_fullOpenedPath = path;
    m_openedPath->setToolTip(path);
    layOutPathLabel();
}

void MainWindow::layOutPathLabel()
{
    const int textWidth = m_openedPath->fontMetrics().horizontalAdvance(m_fullOpenedPath);
    m_openedPath->setText(
        PathShortener::shorten(m_fullOpenedPath, m_openedPath->width(), textWidth));
}

QString MainWindow::statusText() const
{
    return m_status->text();
}

QString MainWindow::openedPathText() const
{
    return m_openedPath->text();
}

} // namespace Quillorn
