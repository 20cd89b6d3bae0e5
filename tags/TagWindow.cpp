#include "tags/TagWindow.h"

#include "platform/LangStrings.h"
#include "platform/WindowPlacement.h"
#include "tags/TagWindowLayout.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>

#include <iterator>

namespace Quillorn {

namespace {
// The captions of the categories, in the order of the tag lists.
constexpr Str kCategoryCaptions[] = {Str::CategoryHtmlTags, Str::CategoryJavaScriptTags,
                                     Str::CategoryCssTags, Str::CategoryPhpTags};
static_assert(std::size(kCategoryCaptions) == TagLists::categoryCount);
} // namespace

TagWindow::TagWindow(TagTarget& target, const LangStrings& strings, const QString& languageFolder,
                     const QString& language, QWidget* parent)
    : QWidget(parent)
    , m_target(target)
    , m_categories(new QListWidget(this))
    , m_tags(new QListWidget(this))
{
    m_categories->setObjectName(QStringLiteral("categories"));
    m_tags->setObjectName(QStringLiteral("tags"));
    WindowPlacement::keepOverParent(this);
    m_tags->installEventFilter(this);
    connect(m_categories, &QListWidget::currentRowChanged, this, &TagWindow::showCategory);
    connect(m_tags, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { activateTagRow(m_tags->row(item)); });
    resize(240, 360);
    reload(strings, languageFolder, language);
    applyWindowKind();
}

void TagWindow::reload(const LangStrings& strings, const QString& languageFolder,
                       const QString& language)
{
    m_insertTitle = strings.value(Str::InsertTag, QStringLiteral("Insert tag"));
    m_panelTitle = strings.value(Str::TagsPanel, QStringLiteral("Tags panel"));
    setWindowTitle(m_panel ? m_panelTitle : m_insertTitle);
    m_lists.load(languageFolder, language);

    const QSignalBlocker blocker(m_categories);
    m_categories->clear();
    for (int i = 0; i < TagLists::categoryCount; ++i)
        m_categories->addItem(strings.value(kCategoryCaptions[i]));
    m_tags->clear();
    // Opening on the HTML list spares the user a click before the first insertion.
    m_categories->setCurrentRow(0);
    showCategory(0);
}

void TagWindow::setPanelMode(bool panel)
{
    m_panel = panel;
    applyWindowKind();
}

void TagWindow::applyWindowKind()
{
    const bool wasVisible = isVisible();
    if (m_panel) {
        // A tool window of its parent stays above the main window and does not block it.
        setWindowFlags(Qt::Tool);
        setWindowModality(Qt::NonModal);
    } else {
        // The main window takes no input until this window closes; a window-modal child
        // blocks it without disabling the child itself, as disabling the parent would.
        setWindowFlags(Qt::Dialog);
        setWindowModality(parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    }
    setWindowTitle(m_panel ? m_panelTitle : m_insertTitle);
    if (wasVisible)
        show();
}

void TagWindow::showCategory(int row)
{
    m_tags->clear();
    if (row < 0 || row >= TagLists::categoryCount)
        return;
    m_tags->addItems(m_lists.captions(static_cast<TagLists::Category>(row)));
}

void TagWindow::activateTagRow(int row)
{
    const int category = m_categories->currentRow();
    if (category < 0 || category >= TagLists::categoryCount)
        return;
    activateEntry(static_cast<TagLists::Category>(category), row);
}

void TagWindow::setInsertionEnabled(bool enabled)
{
    m_insertionEnabled = enabled;
    m_tags->setEnabled(enabled);
}

bool TagWindow::activateEntry(TagLists::Category category, int row)
{
    if (!m_insertionEnabled || !m_lists.insert(category, row, m_target))
        return false;
    if (!m_panel)
        close();
    return true;
}

void TagWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const TagWindowLayout layout(contentsRect().size());
    m_categories->setGeometry(layout.categories().translated(contentsRect().topLeft()));
    m_tags->setGeometry(layout.tags().translated(contentsRect().topLeft()));
}

void TagWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

bool TagWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tags && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            m_tags->currentRow() >= 0) {
            activateTagRow(m_tags->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Quillorn
