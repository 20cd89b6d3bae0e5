#include "documents/FindInFilesWindow.h"

#include "documents/CurrentDocument.h"
#include "documents/DocumentSet.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/Settings.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace Quillorn {

namespace {

const QString DefaultNameFilter = QStringLiteral("*.html;*.htm;*.php;*.js;*.css");

enum Role { PathRole = Qt::UserRole, IdRole, LineRole, ColumnRole };

} // namespace

FindInFilesWindow::FindInFilesWindow(const LangStrings& strings, const Settings& settings,
                                     Prompter& prompter, CurrentDocument& document,
                                     DocumentSet& documents, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_strings(strings)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_document(document)
    , m_documents(documents)
    , m_findLabel(new QLabel(this))
    , m_find(new QLineEdit(this))
    , m_replaceLabel(new QLabel(this))
    , m_replacement(new QLineEdit(this))
    , m_searchInLabel(new QLabel(this))
    , m_inOpen(new QRadioButton(this))
    , m_inFolder(new QRadioButton(this))
    , m_folder(new QLineEdit(QDir::homePath(), this))
    , m_browse(new QPushButton(QStringLiteral("..."), this))
    , m_filterLabel(new QLabel(this))
    , m_filter(new QLineEdit(DefaultNameFilter, this))
    , m_matchCase(new QCheckBox(this))
    , m_wholeWords(new QCheckBox(this))
    , m_regularExpression(new QCheckBox(this))
    , m_findButton(new QPushButton(this))
    , m_replaceButton(new QPushButton(this))
    , m_cancelButton(new QPushButton(this))
    , m_results(new QTreeWidget(this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("FindInFilesWindow"));
    m_find->setObjectName(QStringLiteral("FindWhat"));
    m_replacement->setObjectName(QStringLiteral("ReplaceWith"));
    m_inOpen->setObjectName(QStringLiteral("InOpen"));
    m_inFolder->setObjectName(QStringLiteral("InFolder"));
    m_folder->setObjectName(QStringLiteral("Folder"));
    m_browse->setObjectName(QStringLiteral("Browse"));
    m_filter->setObjectName(QStringLiteral("NameFilter"));
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_wholeWords->setObjectName(QStringLiteral("WholeWords"));
    m_regularExpression->setObjectName(QStringLiteral("RegularExpression"));
    m_findButton->setObjectName(QStringLiteral("FindButton"));
    m_replaceButton->setObjectName(QStringLiteral("ReplaceInOpen"));
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_results->setObjectName(QStringLiteral("Results"));
    m_inOpen->setChecked(true);
    m_findLabel->setBuddy(m_find);
    m_replaceLabel->setBuddy(m_replacement);
    m_filterLabel->setBuddy(m_filter);
    m_results->setRootIsDecorated(false);
    // Thousands of rows of one line each are laid out without measuring every one.
    m_results->setUniformRowHeights(true);
    m_results->setColumnCount(3);
    m_results->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_findButton->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_findLabel, 0, 0);
    layout->addWidget(m_find, 0, 1, 1, 3);
    layout->addWidget(m_replaceLabel, 1, 0);
    layout->addWidget(m_replacement, 1, 1, 1, 3);
    layout->addWidget(m_searchInLabel, 2, 0);
    layout->addWidget(m_inOpen, 2, 1, 1, 3);
    layout->addWidget(m_inFolder, 3, 1);
    layout->addWidget(m_folder, 3, 2);
    layout->addWidget(m_browse, 3, 3);
    layout->addWidget(m_filterLabel, 4, 0);
    layout->addWidget(m_filter, 4, 1, 1, 3);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_matchCase);
    checks->addWidget(m_wholeWords);
    checks->addWidget(m_regularExpression);
    checks->addStretch();
    layout->addLayout(checks, 5, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_findButton);
    buttons->addWidget(m_replaceButton);
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons, 6, 0, 1, 4);
    layout->addWidget(m_results, 7, 0, 1, 4);
    layout->addWidget(m_status, 8, 0, 1, 4);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(7, 1);
    resize(640, 480);

    connect(m_findButton, &QPushButton::clicked, this, &FindInFilesWindow::find);
    connect(m_find, &QLineEdit::returnPressed, this, &FindInFilesWindow::find);
    connect(m_replaceButton, &QPushButton::clicked, this, &FindInFilesWindow::replaceInOpen);
    connect(m_cancelButton, &QPushButton::clicked, this, &FindInFilesWindow::cancel);
    connect(m_results, &QTreeWidget::itemActivated, this, &FindInFilesWindow::goToResult);
    connect(m_browse, &QPushButton::clicked, this, [this] {
        const QString folder =
            m_prompter.folderName(m_strings.value(Str::FindInFilesTitle), m_folder->text());
        if (!folder.isEmpty()) {
            m_folder->setText(folder);
            m_inFolder->setChecked(true);
        }
    });
    connect(m_folder, &QLineEdit::textEdited, this, [this] { m_inFolder->setChecked(true); });
    connect(&m_search, &FolderSearch::progress, this,
            [this](int filesRead, const QList<FolderSearch::FileMatches>& files) {
                QList<QTreeWidgetItem*> rows;
                for (const FolderSearch::FileMatches& file : files)
                    addRows(rows, file.path, 0, file.matches);
                listRows(rows);
                m_status->setText(
                    m_strings.message(Str::SearchProgress, QString::number(filesRead)));
            });
    connect(&m_search, &FolderSearch::finished, this, [this](bool, int) {
        setSearching(false);
        showResult();
    });
    applyCaptions();
}

void FindInFilesWindow::open()
{
    const QString selected = m_document.selectedText();
    if (!selected.isEmpty() && selected.size() < 100 && !selected.contains(u'\n') &&
        !selected.contains(u'\r'))
        m_find->setText(selected);
    show();
    raise();
    activateWindow();
    m_find->setFocus();
    m_find->selectAll();
}

void FindInFilesWindow::applyCaptions()
{
    setWindowTitle(m_strings.value(Str::FindInFilesTitle));
    m_findLabel->setText(m_strings.value(Str::FindWhat));
    m_replaceLabel->setText(m_strings.value(Str::ReplaceWith));
    m_searchInLabel->setText(m_strings.value(Str::SearchIn));
    m_inOpen->setText(m_strings.value(Str::OpenDocuments));
    m_inFolder->setText(m_strings.value(Str::FolderLabel));
    m_filterLabel->setText(m_strings.value(Str::FileNameFilter));
    m_matchCase->setText(m_strings.value(Str::MatchCase));
    m_wholeWords->setText(m_strings.value(Str::WholeWords));
    m_regularExpression->setText(m_strings.value(Str::RegularExpression));
    m_findButton->setText(m_strings.value(Str::FindButton));
    m_replaceButton->setText(m_strings.value(Str::ReplaceInOpen));
    m_cancelButton->setText(m_strings.value(Str::CancelButton));
    m_results->setHeaderLabels({m_strings.value(Str::ColumnFile), m_strings.value(Str::ColumnLine),
                                m_strings.value(Str::ColumnText)});
}

bool FindInFilesWindow::readOptions(TextFinder::Options* options)
{
    options->pattern = m_find->text();
    options->matchCase = m_matchCase->isChecked();
    options->wholeWords = m_wholeWords->isChecked();
    options->regularExpression = m_regularExpression->isChecked();
    if (options->pattern.isEmpty())
        return false;
    const TextFinder finder(*options);
    if (!finder.isValid()) {
        m_prompter.message(m_strings.message(Str::BadRegularExpression, finder.errorText()),
                           Prompter::Icon::Exclamation, windowTitle());
        return false;
    }
    return true;
}

void FindInFilesWindow::find()
{
    TextFinder::Options options;
    if (isSearching() || !readOptions(&options))
        return;
    m_results->clear();
    m_matchCount = 0;
    m_fileCount = 0;
    if (m_inFolder->isChecked()) {
        // No folder (an empty box would walk the working folder) finds nothing.
        if (!QFileInfo(m_folder->text()).isDir()) {
            showResult();
            return;
        }
        setSearching(true);
        m_status->setText(m_strings.message(Str::SearchProgress, QString::number(0)));
        m_search.start(m_folder->text(), m_filter->text(), options, m_settings.language);
        return;
    }
    const TextFinder finder(options);
    QList<QTreeWidgetItem*> rows;
    for (const DocumentSet::Text& text : m_documents.openTexts())
        addRows(rows, text.path.isEmpty() ? text.name : text.path, text.id, finder.find(text.utf8));
    listRows(rows);
    showResult();
}

void FindInFilesWindow::replaceInOpen()
{
    TextFinder::Options options;
    if (isSearching() || !readOptions(&options))
        return;
    const TextFinder finder(options);
    const QByteArray replacement = m_replacement->text().toUtf8();
    for (const DocumentSet::Text& text : m_documents.openTexts()) {
        QList<CurrentDocument::Replacement> replacements;
        for (const TextFinder::Match& match : finder.find(text.utf8))
            replacements.append({match.position, match.length, replacement});
        if (!replacements.isEmpty())
            m_documents.replaceIn(text.id, replacements);
    }
    // What is left to find after the replacements.
    m_inOpen->setChecked(true);
    find();
}

void FindInFilesWindow::cancel()
{
    if (isSearching())
        m_search.cancel();
    else
        close();
}

void FindInFilesWindow::goToResult(QTreeWidgetItem* item)
{
    if (!item)
        return;
    quint64 id = item->data(0, IdRole).toULongLong();
    if (id == 0)
        id = m_documents.open(item->data(0, PathRole).toString());
    if (id != 0)
        m_document.goTo(id, item->data(0, LineRole).toInt(), item->data(0, ColumnRole).toInt());
}

QString FindInFilesWindow::statusText() const
{
    return m_status->text();
}

void FindInFilesWindow::addRows(QList<QTreeWidgetItem*>& rows, const QString& path, quint64 id,
                                const QList<TextFinder::Match>& matches)
{
    if (matches.isEmpty())
        return;
    ++m_fileCount;
    m_matchCount += static_cast<int>(matches.size());
    const QString shownPath = QDir::toNativeSeparators(path);
    rows.reserve(rows.size() + matches.size());
    for (const TextFinder::Match& match : matches) {
        auto* item = new QTreeWidgetItem({shownPath, QString::number(match.line), match.lineText});
        item->setData(0, PathRole, path);
        item->setData(0, IdRole, id);
        item->setData(0, LineRole, match.line);
        item->setData(0, ColumnRole, match.column);
        rows.append(item);
    }
}

void FindInFilesWindow::listRows(const QList<QTreeWidgetItem*>& rows)
{
    if (rows.isEmpty())
        return;
    // The rows of a report, whatever number of files they come from, go in with one
    // insertion and one repaint.
    m_results->setUpdatesEnabled(false);
    m_results->addTopLevelItems(rows);
    m_results->setUpdatesEnabled(true);
}

void FindInFilesWindow::showResult()
{
    m_status->setText(m_strings.message(Str::SearchResult, QString::number(m_matchCount),
                                        QString::number(m_fileCount)));
    Q_EMIT searchFinished();
}

void FindInFilesWindow::setSearching(bool searching)
{
    m_findButton->setEnabled(!searching);
    m_replaceButton->setEnabled(!searching);
}

} // namespace Quillorn
