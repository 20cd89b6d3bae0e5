#include "documents/ProjectsWindow.h"

#include "documents/FileFilters.h"
#include "documents/SessionFile.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/WindowPlacement.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Quillorn {

namespace {

const QString EntrySeparator = QStringLiteral("\t\t\t\t");

// Moves the current entry of `from` to the end of `to`.
void moveCurrent(QListWidget* from, QListWidget* to)
{
    QListWidgetItem* item = from->takeItem(from->currentRow());
    if (!item)
        return;
    to->addItem(item);
    from->setCurrentRow(-1);
    from->clearSelection();
}

} // namespace

ProjectsWindow::ProjectsWindow(const QList<OpenDocument>& documents, const LangStrings& strings,
                               Prompter& prompter, const QString& language, QWidget* parent)
    : QDialog(parent)
    , m_documents(documents)
    , m_strings(strings)
    , m_prompter(prompter)
    , m_language(language)
    , m_opened(new QListWidget)
    , m_project(new QListWidget)
    , m_path(new QLabel)
    , m_target(new QLineEdit)
{
    setObjectName(QStringLiteral("Projects"));
    WindowPlacement::keepOverParent(this);
    setWindowTitle(strings.value(Str::SaveProject, QStringLiteral("Save project...")));
    setModal(true);

    m_opened->setObjectName(QStringLiteral("OpenedFiles"));
    m_project->setObjectName(QStringLiteral("ProjectFiles"));
    m_path->setObjectName(QStringLiteral("PathLabel"));
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_target->setObjectName(QStringLiteral("Target"));

    const QStringList captions = {QStringLiteral(">>"), QStringLiteral("<<"), QStringLiteral("..."),
                                  strings.value(Str::Save, QStringLiteral("Save"))};
    for (int i = 0; i < captions.size(); ++i) {
        auto button = new QPushButton(captions.at(i));
        button->setObjectName(QStringLiteral("Command%1").arg(i));
        m_buttons.append(button);
    }

    auto lists = new QGridLayout;
    lists->addWidget(new QLabel(strings.value(Str::OpenedFiles, QStringLiteral("Opened files"))), 0,
                     0);
    lists->addWidget(new QLabel(strings.value(Str::ProjectFiles, QStringLiteral("Project files"))),
                     0, 2);
    lists->addWidget(m_opened, 1, 0);
    auto moveButtons = new QVBoxLayout;
    moveButtons->addStretch();
    moveButtons->addWidget(m_buttons.at(0));
    moveButtons->addWidget(m_buttons.at(1));
    moveButtons->addStretch();
    lists->addLayout(moveButtons, 1, 1);
    lists->addWidget(m_project, 1, 2);

    auto targetRow = new QHBoxLayout;
    targetRow->addWidget(m_target, 1);
    targetRow->addWidget(m_buttons.at(2));
    targetRow->addWidget(m_buttons.at(3));

    auto layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(m_path);
    layout->addWidget(new QLabel(strings.value(Str::SaveIn, QStringLiteral("Save in"))));
    layout->addLayout(targetRow);
    resize(560, 360);

    for (const OpenDocument& document : m_documents)
        m_opened->addItem(entryText(document));

    connect(m_opened, &QListWidget::itemClicked, this, &ProjectsWindow::showPath);
    connect(m_project, &QListWidget::itemClicked, this, &ProjectsWindow::showPath);
    connect(m_buttons.at(0), &QPushButton::clicked, this, &ProjectsWindow::addToProject);
    connect(m_buttons.at(1), &QPushButton::clicked, this, &ProjectsWindow::removeFromProject);
    connect(m_buttons.at(2), &QPushButton::clicked, this, &ProjectsWindow::chooseTarget);
    connect(m_buttons.at(3), &QPushButton::clicked, this, &ProjectsWindow::saveProject);
}

QString ProjectsWindow::entryText(const OpenDocument& document)
{
    return document.caption + EntrySeparator + QString::number(document.slot);
}

int ProjectsWindow::slotOfEntry(const QString& text)
{
    const qsizetype at = text.lastIndexOf(EntrySeparator);
    if (at < 0)
        return -1;
    bool ok = false;
    const int slot = text.mid(at + EntrySeparator.size()).toInt(&ok);
    return ok ? slot : -1;
}

const ProjectsWindow::OpenDocument* ProjectsWindow::documentOf(const QListWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const int slot = slotOfEntry(item->text());
    for (const OpenDocument& document : m_documents) {
        if (document.slot == slot)
            return &document;
    }
    return nullptr;
}

void ProjectsWindow::showPath(const QListWidgetItem* item)
{
    if (const OpenDocument* document = documentOf(item))
        m_path->setText(document->path);
}

void ProjectsWindow::addToProject()
{
    const OpenDocument* document = documentOf(m_opened->currentItem());
    if (!document || m_opened->selectedItems().isEmpty())
        return;
    // A document without a file, or with changes, has no path that holds what it shows.
    if (!document->saved || document->path.isEmpty()) {
        m_prompter.message(m_strings.message(Str::FileNotSavedForProject),
                           Prompter::Icon::Exclamation);
        return;
    }
    moveCurrent(m_opened, m_project);
}

void ProjectsWindow::removeFromProject()
{
    if (m_project->selectedItems().isEmpty())
        return;
    moveCurrent(m_project, m_opened);
}

void ProjectsWindow::chooseTarget()
{
    const QString name = m_prompter.saveFileName(m_strings.value(Str::SaveIn), m_target->text(),
                                                 FileFilters::projectFilter(m_strings));
    if (!name.isEmpty())
        m_target->setText(name);
}

void ProjectsWindow::saveProject()
{
    if (m_project->count() == 0) {
        m_prompter.message(m_strings.message(Str::ProjectHasNoFiles), Prompter::Icon::Exclamation);
        return;
    }
    const QString target = m_target->text().trimmed();
    if (target.isEmpty()) {
        m_prompter.message(m_strings.message(Str::SelectFileToSaveIn), Prompter::Icon::Exclamation);
        return;
    }
    QStringList paths;
    for (int i = 0; i < m_project->count(); ++i) {
        if (const OpenDocument* document = documentOf(m_project->item(i)))
            paths.append(document->path);
    }
    const FileIO::WriteResult written = SessionFile::write(target, paths, m_language);
    if (!written.ok()) {
        m_prompter.message(written.describe(m_strings), Prompter::Icon::Critical);
        return;
    }
    m_prompter.message(m_strings.message(Str::ProjectSaved, target));
}

} // namespace Quillorn
