#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "app/CaptionTable.h"
#include "app/PathShortener.h"
#include "platform/AppPaths.h"
#include "platform/ProgramText.h"
#include "platform/SettingsFile.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

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
    buildWindow();
    load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWindow()
{
    m_menus = std::make_unique<MainMenus>(menuBar());

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);

    auto* commandRow = new QHBoxLayout;
    const char* commandIcons[] = {"new.svg", "saveas.svg", "open.svg", "tags.svg"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(central);
        button->setObjectName(QStringLiteral("Command%1").arg(i + 1));
        button->setIcon(QIcon(m_context.iconPath(QLatin1String(commandIcons[i]))));
        button->setIconSize(QSize(24, 24));
        button->setFixedSize(34, 34);
        commandRow->addWidget(button);
        m_commands[i] = button;
    }
    commandRow->addStretch();
    column->addLayout(commandRow);

    auto* tabRow = new QHBoxLayout;
    m_tabs = new QTabBar(central);
    m_tabs->setObjectName(QStringLiteral("MTab"));
    m_tabs->setExpanding(false);
    m_tabs->setDocumentMode(true);
    m_tabs->setUsesScrollButtons(true);
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
    m_status->setMinimumWidth(220);
    bottom->addWidget(m_status);
    m_openedPath = new QLabel(central);
    m_openedPath->setObjectName(QStringLiteral("OpenedPath"));
    m_openedPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bottom->addWidget(m_openedPath, 1);
    column->addLayout(bottom);

    setCentralWidget(central);
    resize(900, 640);

    connect(m_menus->quit, &QAction::triggered, this, &QWidget::close);
    connect(m_menus->about, &QAction::triggered, this, &MainWindow::showAbout);
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
    for (int i = 0; i < SlotTable::Count; ++i) {
        m_tabs->addTab(QString());
        m_tabs->setTabVisible(i, false);
    }

    // What shows only while a document is open starts hidden.
    m_page->hide();
    m_previewMode[0]->hide();
    m_previewMode[1]->hide();
    m_closeTab->hide();

    SettingsFile(m_context.settingsPath()).read(m_context.settings);
    applySettings();
    setLanguage();
    parseExt();
}

void MainWindow::applySettings()
{
    const Settings& s = m_context.settings;
    m_menus->htmlTidy->setEnabled(s.tidyAvailable);
    m_menus->phpMenu->setEnabled(!s.phpPath.isEmpty());
    rebuildRecentMenu();

    // Commands whose owners are not part of the program yet stay visible but disabled.
    const QList<QAction*> pending{m_menus->opnNew,
                                  m_menus->openOld,
                                  m_menus->saveHtml,
                                  m_menus->saveHtmlAs,
                                  m_menus->saveAll,
                                  m_menus->saveSession,
                                  m_menus->saveProjAs,
                                  m_menus->prnt,
                                  m_menus->clsW,
                                  m_menus->closeAllWnd,
                                  m_menus->undo,
                                  m_menus->redo,
                                  m_menus->fnd,
                                  m_menus->repl,
                                  m_menus->wrap,
                                  m_menus->visEd,
                                  m_menus->chk,
                                  m_menus->insertTag,
                                  m_menus->setNum,
                                  m_menus->tagPanel,
                                  m_menus->redit,
                                  m_menus->addTemplate,
                                  m_menus->add2Proj,
                                  m_menus->viewBrowse,
                                  m_menus->repByTidy,
                                  m_menus->chkByTidy,
                                  m_menus->convToXml,
                                  m_menus->convToHtml,
                                  m_menus->convToXhtml,
                                  m_menus->tagsToUpperCase,
                                  m_menus->changeLanguage,
                                  m_menus->extensions,
                                  m_menus->phpExe,
                                  m_menus->phpCheck,
                                  m_menus->phpHighlight,
                                  m_menus->phpCompact,
                                  m_menus->help};
    for (QAction* action : pending)
        action->setEnabled(false);
    for (QAction* entry : m_menus->lstOpn)
        entry->setEnabled(false);
    for (QPushButton* button : m_commands)
        button->setEnabled(false);
}

void MainWindow::setLanguage()
{
    Settings& s = m_context.settings;
    if (s.language.isEmpty())
        s.language = QStringLiteral("english");
    m_context.strings.load(m_context.languageDir() + QLatin1String("main.lng"), s.language);
    CaptionTable::apply(this, m_context.strings);
}

void MainWindow::rebuildRecentMenu()
{
    const auto& recent = m_context.settings.recentFiles;
    for (int i = 0; i < Settings::RecentCount; ++i) {
        QAction* entry = m_menus->lstOpn.at(i);
        entry->setVisible(false);
    }
    for (int i = 0; i < Settings::RecentCount && !recent[i].isEmpty(); ++i) {
        QAction* entry = m_menus->lstOpn.at(i);
        entry->setText(AppPaths::fileName(recent[i]));
        entry->setToolTip(recent[i]);
        entry->setVisible(true);
    }
}

void MainWindow::parseExt()
{
    for (QAction* entry : m_externalEntries)
        m_menus->settings->removeAction(entry);
    qDeleteAll(m_externalEntries);
    m_externalEntries.clear();
    const auto& programs = m_context.settings.externalPrograms;
    for (qsizetype i = 1; i < programs.size(); ++i) {
        auto* entry = new QAction(programs.at(i).name, m_menus->settings);
        entry->setObjectName(QStringLiteral("ext(%1)").arg(i - 1));
        entry->setVisible(!programs.at(i).name.isEmpty());
        entry->setEnabled(false);
        m_menus->settings->addAction(entry);
        m_externalEntries.append(entry);
    }
}

void MainWindow::showAbout()
{
    AboutWindow about(m_context.languageDir(), m_context.settings.language, this);
    about.exec();
}

void MainWindow::init(const QString& commandLine)
{
    Q_UNUSED(commandLine);
}

QString MainWindow::sessionText() const
{
    QString text;
    for (int i = 0; i < SlotTable::Count; ++i) {
        if (!m_slots.inUse(i))
            continue;
        if (!text.isEmpty())
            text += QLatin1String("\r\n");
        text += m_slots[i].path;
    }
    return text;
}

void MainWindow::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    // Each step is independent: one that fails does not keep the next from running.
    SettingsFile(m_context.settingsPath()).write(m_context.settings);
    QSaveFile session(m_context.lastSessionPath());
    if (session.open(QIODevice::WriteOnly)) {
        session.write(ProgramText::encode(sessionText(), m_context.settings.language));
        session.commit();
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    shutdown();
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
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
