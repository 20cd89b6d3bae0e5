#include "setup/SetupWizard.h"

#include "platform/AppPaths.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace Quillorn {

namespace {

QLabel* wrappedLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

SetupWizard::SetupWizard(Prompter& prompter, const Installation::Choice& initial,
                         SetupPlaces places, QString installerPath, QWidget* parent)
    : QWidget(parent)
    , m_prompter(prompter)
    , m_places(std::move(places))
    , m_installerPath(std::move(installerPath))
{
    setWindowTitle(QStringLiteral("Setup of Quillorn 2"));
    m_pages = new QStackedWidget(this);
    for (int i = 1; i <= 6; ++i) {
        auto* frame = new QGroupBox(m_pages);
        frame->setObjectName(QStringLiteral("Frame%1").arg(i));
        frame->setLayout(new QVBoxLayout);
        m_pages->addWidget(frame);
        m_frames.append(frame);
    }

    m_selectLanguage = wrappedLabel(m_frames[0]);
    m_lang = new QListWidget(m_frames[0]);
    m_lang->setObjectName(QStringLiteral("Lang"));
    for (const SetupLanguage language : {SetupLanguage::English, SetupLanguage::Russian})
        m_lang->addItem(QString::fromStdString(SetupStrings::listName(language)));
    m_frames[0]->layout()->addWidget(m_selectLanguage);
    m_frames[0]->layout()->addWidget(m_lang);

    m_welcome = wrappedLabel(m_frames[1]);
    m_description = new QPlainTextEdit(m_frames[1]);
    m_description->setObjectName(QStringLiteral("Description"));
    m_description->setReadOnly(true);
    m_frames[1]->layout()->addWidget(m_welcome);
    m_frames[1]->layout()->addWidget(m_description);

    m_selectFolder = wrappedLabel(m_frames[2]);
    m_text1 =
        new QLineEdit(QFile::decodeName(QByteArray::fromStdString(initial.folder)), m_frames[2]);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_browse = new QPushButton(QStringLiteral("..."), m_frames[2]);
    m_browse->setObjectName(QStringLiteral("Browse"));
    m_check1 = new QCheckBox(m_frames[2]);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setChecked(initial.desktopIcon);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_text1);
    folderRow->addWidget(m_browse);
    auto* folderLayout = static_cast<QVBoxLayout*>(m_frames[2]->layout());
    folderLayout->addWidget(m_selectFolder);
    folderLayout->addLayout(folderRow);
    folderLayout->addWidget(m_check1);
    folderLayout->addStretch();

    m_ready = wrappedLabel(m_frames[3]);
    m_frames[3]->layout()->addWidget(m_ready);
    static_cast<QVBoxLayout*>(m_frames[3]->layout())->addStretch();

    m_progress = wrappedLabel(m_frames[4]);
    m_bar = new QProgressBar(m_frames[4]);
    m_bar->setObjectName(QStringLiteral("Bar"));
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_prg = new QLabel(m_frames[4]);
    m_prg->setObjectName(QStringLiteral("PRG"));
    m_action = wrappedLabel(m_frames[4]);
    m_action->setObjectName(QStringLiteral("Action"));
    for (QWidget* widget : {static_cast<QWidget*>(m_progress), static_cast<QWidget*>(m_bar),
                            static_cast<QWidget*>(m_prg), static_cast<QWidget*>(m_action)})
        m_frames[4]->layout()->addWidget(widget);
    static_cast<QVBoxLayout*>(m_frames[4]->layout())->addStretch();

    m_completed = wrappedLabel(m_frames[5]);
    m_frames[5]->layout()->addWidget(m_completed);
    static_cast<QVBoxLayout*>(m_frames[5]->layout())->addStretch();

    m_back = new QPushButton(this);
    m_back->setObjectName(QStringLiteral("Back"));
    m_next = new QPushButton(this);
    m_next->setObjectName(QStringLiteral("Next"));
    m_next->setDefault(true);
    m_exit = new QPushButton(this);
    m_exit->setObjectName(QStringLiteral("Exit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    buttons->addWidget(m_exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    resize(560, 400);

    connect(m_next, &QPushButton::clicked, this, &SetupWizard::next);
    connect(m_back, &QPushButton::clicked, this, &SetupWizard::back);
    connect(m_exit, &QPushButton::clicked, this, &SetupWizard::exit);
    connect(m_browse, &QPushButton::clicked, this, &SetupWizard::browse);
    connect(m_lang, &QListWidget::currentRowChanged, this, &SetupWizard::applyLanguage);
    connect(m_text1, &QLineEdit::textChanged, this, [this] { setStage(m_stage); });

    // Choosing the first language applies it to every caption.
    m_lang->setCurrentRow(initial.language == SetupLanguage::Russian ? 1 : 0);
}

SetupWizard::~SetupWizard() = default;

SetupLanguage SetupWizard::language() const
{
    return m_lang->currentRow() == 1 ? SetupLanguage::Russian : SetupLanguage::English;
}

void SetupWizard::applyLanguage()
{
    m_strings = SetupStrings(language());
    m_qtTranslation.apply(QString::fromStdString(SetupStrings::folderName(language())));
    for (int i = 0; i < 4; ++i)
        m_frames[i]->setTitle(caption(SetupStr::Stage) + QStringLiteral(" %1 ").arg(i + 1) +
                              caption(SetupStr::Of) + QStringLiteral(" 4"));
    m_frames[4]->setTitle(caption(SetupStr::Installation));
    m_frames[5]->setTitle(caption(SetupStr::Setup));
    m_selectLanguage->setText(caption(SetupStr::SelectLanguage));
    m_welcome->setText(caption(SetupStr::Welcome));
    m_description->setPlainText(QString::fromStdString(m_strings.description())
                                    .replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_selectFolder->setText(caption(SetupStr::SelectFolder));
    m_check1->setText(caption(SetupStr::DesktopIcon));
    m_ready->setText(caption(SetupStr::Ready));
    m_progress->setText(caption(SetupStr::Progress));
    m_completed->setText(caption(SetupStr::Completed));
    m_back->setText(caption(SetupStr::Back));
    m_exit->setText(caption(SetupStr::Exit));
    setStage(m_stage);
}

void SetupWizard::setStage(Stage stage)
{
    m_stage = stage;
    m_pages->setCurrentIndex(int(stage));
    m_next->setText(caption(stage == Stage::Finished ? SetupStr::Finish : SetupStr::Next));
    m_back->setEnabled(stage > Stage::LanguagePage && stage < Stage::Installing);
    m_exit->setEnabled(stage < Stage::Installing);
    // An empty folder box names no folder to install into.
    m_next->setEnabled(stage != Stage::Installing &&
                       (stage != Stage::FolderPage || !m_text1->text().trimmed().isEmpty()));
}

void SetupWizard::next()
{
    switch (m_stage) {
    case Stage::LanguagePage:
    case Stage::WelcomePage:
    case Stage::FolderPage:
        setStage(Stage(int(m_stage) + 1));
        break;
    case Stage::ReadyPage:
        setStage(Stage::Installing);
        startInstallation();
        break;
    case Stage::Installing:
        break;
    case Stage::Finished:
        Q_EMIT finished(0);
        break;
    }
}

void SetupWizard::back()
{
    if (m_stage > Stage::LanguagePage && m_stage < Stage::Installing)
        setStage(Stage(int(m_stage) - 1));
}

void SetupWizard::exit()
{
    if (m_prompter.askYesNo(caption(SetupStr::ExitQuestion), caption(SetupStr::Exit)))
        Q_EMIT finished(0);
}

void SetupWizard::browse()
{
    const QString folder = m_prompter.folderName(caption(SetupStr::SelectFolder), m_text1->text());
    // A cancelled dialog leaves the folder as it was.
    if (!folder.isEmpty())
        m_text1->setText(AppPaths::withTrailingSeparator(folder) + QStringLiteral("Quillorn/"));
}

QString SetupWizard::caption(SetupStr str) const
{
    return QString::fromStdString(m_strings.text(str));
}

void SetupWizard::startInstallation()
{
    m_bar->setValue(0);
    m_prg->setText(QStringLiteral("0%"));
    m_action->clear();
    m_installation = std::make_unique<Installation>(
        Installation::Choice{QFile::encodeName(m_text1->text().trimmed()).toStdString(), language(),
                             m_check1->isChecked()},
        m_places, [this](int bar, const std::string& action) {
            m_bar->setValue(bar);
            m_prg->setText(QString::number(bar) + QLatin1Char('%'));
            m_action->setText(QString::fromStdString(action));
        });
    const std::string error =
        m_installation->prepare(QFile::encodeName(m_installerPath).toStdString());
    if (!error.empty())
        return fail(error);
    runStep();
}

void SetupWizard::runStep()
{
    const Installation::Step step = m_installation->next();
    if (!step.error.empty())
        return fail(step.error);
    if (step.done)
        QTimer::singleShot(step.pauseMs, this, [this] { setStage(Stage::Finished); });
    else
        QTimer::singleShot(step.pauseMs, this, &SetupWizard::runStep);
}

void SetupWizard::fail(const std::string& message)
{
    m_prompter.message(QString::fromStdString(message), Prompter::Icon::Critical,
                       caption(SetupStr::Setup));
    Q_EMIT finished(1);
}

void SetupWizard::closeEvent(QCloseEvent* event)
{
    // An installation under way runs to its end.
    if (m_stage == Stage::Installing)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace Quillorn
