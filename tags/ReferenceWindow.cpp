#include "tags/ReferenceWindow.h"

#include "platform/AppPaths.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/WindowPlacement.h"
#include "tags/ReferenceTreeFile.h"
#include "tags/TagTarget.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Quillorn {

namespace {

enum Role { IsItemRole = Qt::UserRole, CodeRole, DescriptionRole };

QString displayName(const ReferenceTree::Item& item)
{
    if (!item.name.isEmpty())
        return item.name;
    // A damaged entry without a name still shows something the user can pick.
    const QString fromCode = item.code.section(QLatin1Char('\n'), 0, 0).trimmed();
    return fromCode.isEmpty() ? item.description : fromCode;
}

} // namespace

ReferenceWindow::ReferenceWindow(TagTarget& target, const LangStrings& strings, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_target(target)
    , m_strings(strings)
    , m_filter(new QLineEdit(this))
    , m_tree(new QTreeWidget(this))
    , m_description(new QLabel(this))
    , m_code(new QPlainTextEdit(this))
{
    m_filter->setObjectName(QStringLiteral("filter"));
    m_filter->setClearButtonEnabled(true);
    m_tree->setObjectName(QStringLiteral("tree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->installEventFilter(this);
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setWordWrap(true);
    m_description->setTextFormat(Qt::PlainText);
    m_description->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_code->setObjectName(QStringLiteral("code"));
    m_code->setReadOnly(true);
    m_code->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    m_code->setMaximumHeight(90);

    auto* details = new QWidget(this);
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->setContentsMargins(0, 0, 0, 0);
    detailsLayout->addWidget(m_description);
    detailsLayout->addWidget(m_code);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_tree);
    splitter->addWidget(details);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(splitter);

    connect(m_filter, &QLineEdit::textChanged, this, &ReferenceWindow::setFilter);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &ReferenceWindow::showCurrent);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { insertItem(item); });
    resize(360, 480);
    WindowPlacement::keepOverParent(this);
    applyCaptions();
}

void ReferenceWindow::applyCaptions()
{
    m_filter->setPlaceholderText(m_strings.value(Str::ReferenceFilter));
    m_filter->setAccessibleName(m_filter->placeholderText());
}

ReferenceWindow* ReferenceWindow::openReference(const QString& path, const QString& language,
                                                TagTarget& target, const LangStrings& strings,
                                                Prompter& prompter, QWidget* parent)
{
    const ReferenceTreeFile::ReadResult result = ReferenceTreeFile::read(path, language);
    if (!result.ok()) {
        const FileFailure::Kind kind = result.failure.kind();
        const QString why =
            kind == FileFailure::Kind::Missing    ? strings.value(Str::ReferenceMissing)
            : kind == FileFailure::Kind::TooLarge ? strings.value(Str::ReferenceTooLarge)
                                                  : result.failure.describe(strings);
        prompter.message(strings.message(Str::ReferenceCannotOpen, path, why),
                         Prompter::Icon::Exclamation);
        return nullptr;
    }
    auto* window = new ReferenceWindow(target, strings, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->m_sourcePath = path;
    window->setTree(result.tree, AppPaths::fileName(path));
    window->show();
    return window;
}

void ReferenceWindow::setTree(const ReferenceTree& tree, const QString& fallbackTitle)
{
    setWindowTitle(tree.title.isEmpty() ? fallbackTitle : tree.title);
    m_tree->clear();
    for (const ReferenceTree::Folder& folder : tree.folders) {
        auto* folderItem = new QTreeWidgetItem(m_tree, {folder.name});
        folderItem->setData(0, IsItemRole, false);
        for (const ReferenceTree::Item& item : folder.items) {
            auto* entry = new QTreeWidgetItem(folderItem, {displayName(item)});
            entry->setData(0, IsItemRole, true);
            entry->setData(0, CodeRole, item.code);
            entry->setData(0, DescriptionRole, item.description);
            entry->setToolTip(0, item.description);
        }
    }
    // One folder is opened already; several stay closed so the tree reads as a table of
    // contents.
    if (m_tree->topLevelItemCount() == 1)
        m_tree->topLevelItem(0)->setExpanded(true);
    setFilter(m_filter->text());
    showCurrent();
}

void ReferenceWindow::showCurrent()
{
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (!item || !item->data(0, IsItemRole).toBool()) {
        m_description->clear();
        m_code->clear();
        return;
    }
    m_description->setText(item->data(0, DescriptionRole).toString());
    m_code->setPlainText(item->data(0, CodeRole).toString());
}

bool ReferenceWindow::insertItem(QTreeWidgetItem* item)
{
    if (!m_insertionEnabled || !item || !item->data(0, IsItemRole).toBool())
        return false;
    const QString code = item->data(0, CodeRole).toString();
    if (code.isEmpty())
        return false;
    m_target.replaceSelection(code);
    return true;
}

bool ReferenceWindow::insertCurrent()
{
    return insertItem(m_tree->currentItem());
}

void ReferenceWindow::setFilter(const QString& text)
{
    const QString needle = text.trimmed();
    for (int f = 0; f < m_tree->topLevelItemCount(); ++f) {
        QTreeWidgetItem* folder = m_tree->topLevelItem(f);
        bool anyShown = false;
        for (int i = 0; i < folder->childCount(); ++i) {
            QTreeWidgetItem* item = folder->child(i);
            const bool shown =
                needle.isEmpty() || item->text(0).contains(needle, Qt::CaseInsensitive) ||
                item->data(0, DescriptionRole).toString().contains(needle, Qt::CaseInsensitive);
            item->setHidden(!shown);
            anyShown = anyShown || shown;
        }
        const bool folderMatches =
            !needle.isEmpty() && folder->text(0).contains(needle, Qt::CaseInsensitive);
        if (folderMatches) {
            for (int i = 0; i < folder->childCount(); ++i)
                folder->child(i)->setHidden(false);
        }
        folder->setHidden(!needle.isEmpty() && !anyShown && !folderMatches);
        if (!needle.isEmpty())
            folder->setExpanded(true);
    }
}

bool ReferenceWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && insertCurrent())
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Quillorn
