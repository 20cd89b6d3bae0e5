#include "settings/SettingsWindow.h"

#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "settings/PluginsPage.h"
#include "tools/PhpProbe.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace Quillorn {

namespace {

// The program fields in their order: name, DDE message, program, path to program, division.
constexpr int ProgramPathField = 3;

// A "..." button beside a path field.
QToolButton* browseButton(const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(QStringLiteral("..."));
    return button;
}

} // namespace

SettingsWindow::SettingsWindow(const Context& context, QWidget* parent)
    : QDialog(parent)
    , m_draft(context.settings)
    , m_appDir(context.appDir)
    , m_strings(context.strings)
    , m_prompter(context.prompter)
    , m_associations(context.appDir)
    , m_probe(new PhpProbe(context.strings, this))
{
    setObjectName(QStringLiteral("SettingsF"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(Str::SettingsCommand));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("Tabs"));
    m_tabs->addTab(buildMainPage(), text(Str::SettingsMain));
    m_tabs->addTab(buildBrowserPage(), text(Str::BrowserSettings));
    m_tabs->addTab(buildExtensionsPage(), text(Str::Extensions));
    m_plugIns = new PluginsPage(context.strings, context.appDir, m_tabs);
    m_plugIns->load(m_draft.settings());
    m_tabs->addTab(m_plugIns, text(Str::PlugIns));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(text(Str::OkButton), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    buttons->addButton(text(Str::CancelButton), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsWindow::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
}

QString SettingsWindow::text(Str id) const
{
    return m_strings.value(id);
}

QWidget* SettingsWindow::buildMainPage()
{
    const Settings& s = m_draft.settings();
    auto* page = new QWidget(this);

    auto* languageBox = new QGroupBox(text(Str::SelectLanguage), page);
    m_languages = new QListWidget(languageBox);
    m_languages->setObjectName(QStringLiteral("Languages"));
    m_languages->addItems(SettingsDraft::languages(m_appDir));
    const QString language = s.language.isEmpty() ? QStringLiteral("english") : s.language;
    const QList<QListWidgetItem*> current = m_languages->findItems(language, Qt::MatchExactly);
    if (!current.isEmpty())
        m_languages->setCurrentItem(current.first());
    auto* languageLayout = new QVBoxLayout(languageBox);
    languageLayout->addWidget(m_languages);

    m_openLastSession = new QCheckBox(text(Str::OpenLastSession), page);
    m_openLastSession->setObjectName(QStringLiteral("OpenLastSession"));
    m_openLastSession->setChecked(s.openLastSession);
    m_useTidy = new QCheckBox(text(Str::UseTidy), page);
    m_useTidy->setObjectName(QStringLiteral("UseTidy"));
    m_useTidy->setChecked(s.tidyAvailable.value_or(false));

    auto* phpLabel = new QLabel(text(Str::PathToPhp), page);
    m_phpPath = new QLineEdit(page);
    m_phpPath->setObjectName(QStringLiteral("PhpPath"));
    phpLabel->setBuddy(m_phpPath);
    QToolButton* browse = browseButton(QStringLiteral("BrowsePhp"), page);
    m_phpVersion = new QLabel(page);
    m_phpVersion->setObjectName(QStringLiteral("PhpVersion"));
    // Without a PHP in the settings, the one on the PATH is proposed.
    m_phpPath->setText(s.phpPath.isEmpty() ? PhpProbe::proposedPath() : s.phpPath);
    connect(m_phpPath, &QLineEdit::textChanged, m_probe, &PhpProbe::probe);
    connect(m_probe, &PhpProbe::labelReady, m_phpVersion, &QLabel::setText);
    connect(browse, &QToolButton::clicked, this, &SettingsWindow::browsePhp);
    m_probe->probe(m_phpPath->text());

    auto* phpRow = new QHBoxLayout;
    phpRow->addWidget(phpLabel);
    phpRow->addWidget(m_phpPath, 1);
    phpRow->addWidget(browse);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(languageBox, 1);
    layout->addWidget(m_openLastSession);
    layout->addWidget(m_useTidy);
    layout->addLayout(phpRow);
    layout->addWidget(m_phpVersion);
    return page;
}

QWidget* SettingsWindow::buildBrowserPage()
{
    const Settings& s = m_draft.settings();
    auto* page = new QWidget(this);
    m_diskMode = new QRadioButton(text(Str::WorkWithFileOnDisk), page);
    m_diskMode->setObjectName(QStringLiteral("DiskMode"));
    m_serverMode = new QRadioButton(text(Str::WorkThroughServer), page);
    m_serverMode->setObjectName(QStringLiteral("ServerMode"));
    (s.isHttpServer != 0 ? m_serverMode : m_diskMode)->setChecked(true);

    auto* folderLabel = new QLabel(text(Str::PathToFolder), page);
    m_pathToHttpd = new QLineEdit(s.pathToHttpd, page);
    m_pathToHttpd->setObjectName(QStringLiteral("PathToHTTPD"));
    folderLabel->setBuddy(m_pathToHttpd);
    QToolButton* browse = browseButton(QStringLiteral("BrowseFolder"), page);
    connect(browse, &QToolButton::clicked, this, &SettingsWindow::browseFolder);
    auto* addressLabel = new QLabel(text(Str::ServerAddress), page);
    m_serverAddress = new QLineEdit(s.serverAddress, page);
    m_serverAddress->setObjectName(QStringLiteral("ServerAddress"));
    addressLabel->setBuddy(m_serverAddress);

    auto* grid = new QGridLayout;
    grid->addWidget(folderLabel, 0, 0);
    grid->addWidget(m_pathToHttpd, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(addressLabel, 1, 0);
    grid->addWidget(m_serverAddress, 1, 1, 1, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_diskMode);
    layout->addWidget(m_serverMode);
    layout->addLayout(grid);
    layout->addStretch();
    return page;
}

QWidget* SettingsWindow::buildExtensionsPage()
{
    auto* page = new QWidget(this);
    auto* listLabel = new QLabel(text(Str::ExtensionsLabel), page);
    m_programs = new QListWidget(page);
    m_programs->setObjectName(QStringLiteral("ExternalPrograms"));
    listLabel->setBuddy(m_programs);
    fillProgramList();
    connect(m_programs, &QListWidget::currentRowChanged, this, &SettingsWindow::showProgram);

    const std::pair<Str, const char*> fields[] = {{Str::ExtensionName, "Name"},
                                                  {Str::DdeMessage, "DdeMessage"},
                                                  {Str::ExtensionProgram, "Program"},
                                                  {Str::ProgramPath, "ProgramPath"},
                                                  {Str::Division, "Division"}};
    auto* grid = new QGridLayout;
    for (const auto& [caption, name] : fields) {
        const int row = static_cast<int>(m_programFields.size());
        auto* label = new QLabel(text(caption), page);
        auto* field = new QLineEdit(page);
        field->setObjectName(QLatin1String(name));
        label->setBuddy(field);
        m_programFields.append(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    }
    QToolButton* browse = browseButton(QStringLiteral("BrowseProgram"), page);
    connect(browse, &QToolButton::clicked, this, &SettingsWindow::browseProgram);
    grid->addWidget(browse, ProgramPathField, 2);

    auto* add = new QPushButton(text(Str::AddButton), page);
    add->setObjectName(QStringLiteral("Add"));
    auto* remove = new QPushButton(text(Str::DeleteButton), page);
    remove->setObjectName(QStringLiteral("Delete"));
    connect(add, &QPushButton::clicked, this, &SettingsWindow::addProgram);
    connect(remove, &QPushButton::clicked, this, &SettingsWindow::deleteProgram);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(add);
    buttonRow->addWidget(remove);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(listLabel);
    layout->addWidget(m_programs, 1);
    layout->addLayout(grid);
    layout->addLayout(buttonRow);
    layout->addWidget(buildAssociations(page));
    return page;
}

QWidget* SettingsWindow::buildAssociations(QWidget* parent)
{
    auto* box = new QGroupBox(text(Str::AssociateWithFiles), parent);
    auto* extensions = new QHBoxLayout;
    const QStringList& offered = FileAssociations::offeredExtensions();
    for (int i = 0; i < offered.size(); ++i) {
        auto* check = new QCheckBox(offered.at(i), box);
        check->setObjectName(QStringLiteral("Exst%1").arg(i));
        // Toggled rather than clicked, so that a screen reader's toggle works too.
        connect(check, &QCheckBox::toggled, this, [this, i](bool on) { extensionToggled(i, on); });
        extensions->addWidget(check);
        m_extensionBoxes.append(check);
    }
    extensions->addStretch();

    m_asDefault = new QRadioButton(text(Str::OpenAsDefault), box);
    m_asDefault->setObjectName(QStringLiteral("AsDefault"));
    m_separateMenu = new QRadioButton(text(Str::SeparateMenu), box);
    m_separateMenu->setObjectName(QStringLiteral("SeparateMenu"));
    m_asDefault->setChecked(true);
    connect(m_asDefault, &QRadioButton::toggled, this, &SettingsWindow::readAssociations);
    readAssociations();

    auto* modes = new QHBoxLayout;
    modes->addWidget(m_asDefault);
    modes->addWidget(m_separateMenu);
    modes->addStretch();
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(extensions);
    layout->addLayout(modes);
    return box;
}

void SettingsWindow::showPage(Page page)
{
    m_tabs->setCurrentIndex(static_cast<int>(page));
    show();
    raise();
    activateWindow();
}

void SettingsWindow::browsePhp()
{
    const QString filter = text(Str::PhpInterpreters) + QLatin1String(" (php php-cgi php8*);;") +
                           text(Str::KindAllFiles) + QLatin1String(" (*)");
    const QString path = m_prompter.openFileName(
        text(Str::PathToPhp), QFileInfo(m_phpPath->text()).absolutePath(), filter);
    if (!path.isEmpty())
        m_phpPath->setText(path);
}

void SettingsWindow::browseFolder()
{
    const QString folder = m_prompter.folderName(text(Str::ChooseFolder), m_pathToHttpd->text());
    if (!folder.isEmpty())
        m_pathToHttpd->setText(SettingsDraft::folderPath(folder));
}

void SettingsWindow::browseProgram()
{
    QLineEdit* field = m_programFields.at(ProgramPathField);
    const QString path =
        m_prompter.openFileName(text(Str::ProgramPath), QFileInfo(field->text()).absolutePath(),
                                text(Str::ProgramFiles) + QLatin1String(" (*)"));
    if (!path.isEmpty())
        field->setText(path);
}

void SettingsWindow::fillProgramList()
{
    m_programs->clear();
    const QList<ExternalProgram>& programs = m_draft.settings().externalPrograms;
    for (qsizetype i = 1; i < programs.size(); ++i)
        m_programs->addItem(programs.at(i).name);
}

void SettingsWindow::showProgram(int row)
{
    const QList<ExternalProgram>& programs = m_draft.settings().externalPrograms;
    if (row < 0 || row + 1 >= programs.size())
        return;
    const ExternalProgram& p = programs.at(row + 1);
    const QString values[] = {p.name, p.ddeMessage, p.program, p.programPath, p.division};
    for (int i = 0; i < m_programFields.size(); ++i)
        m_programFields.at(i)->setText(values[i]);
}

void SettingsWindow::addProgram()
{
    const auto field = [this](int i) {
        return m_programFields.at(i)->text();
    };
    if (!m_draft.addExternalProgram(
            ExternalProgram{field(0), field(1), field(2), field(3), field(4)})) {
        m_prompter.message(m_strings.message(Str::SomeFieldsEmpty), Prompter::Icon::Exclamation);
        return;
    }
    fillProgramList();
    m_programs->setCurrentRow(m_programs->count() - 1);
}

void SettingsWindow::deleteProgram()
{
    const int row = m_programs->currentRow();
    if (row < 0)
        return;
    m_draft.removeExternalProgram(row + 1);
    fillProgramList();
}

void SettingsWindow::readAssociations()
{
    const bool asDefault = m_asDefault->isChecked();
    const QStringList& offered = FileAssociations::offeredExtensions();
    for (int i = 0; i < m_extensionBoxes.size(); ++i) {
        const QSignalBlocker blocker(m_extensionBoxes.at(i));
        m_extensionBoxes.at(i)->setChecked(m_associations.isAssociated(offered.at(i), asDefault));
    }
}

void SettingsWindow::extensionToggled(int index, bool on)
{
    const FileFailure failure = m_associations.setAssociation(
        FileAssociations::offeredExtensions().at(index), on, m_asDefault->isChecked());
    m_associations.refreshDatabases();
    // The boxes show what the desktop's files say now. Extensions of one MIME type go
    // together: .html and .htm stay in step, and so do the three PHP extensions.
    readAssociations();
    if (!failure.ok())
        m_prompter.message(failure.describe(m_strings), Prompter::Icon::Exclamation);
}

void SettingsWindow::accept()
{
    Settings& s = m_draft.settings();
    if (const QListWidgetItem* language = m_languages->currentItem())
        s.language = language->text();
    s.isHttpServer = m_serverMode->isChecked() ? -1 : 0;
    s.pathToHttpd = SettingsDraft::folderPath(m_pathToHttpd->text());
    s.serverAddress = SettingsDraft::serverAddress(m_serverAddress->text());
    s.phpPath = m_phpPath->text().trimmed();
    s.openLastSession = m_openLastSession->isChecked();
    s.tidyAvailable = m_useTidy->isChecked();
    m_plugIns->store(s);
    Q_EMIT settingsChosen(s);
    QDialog::accept();
}

} // namespace Quillorn
