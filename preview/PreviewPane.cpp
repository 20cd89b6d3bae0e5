#include "preview/PreviewPane.h"

#include "platform/LangStrings.h"
#include "preview/PreviewWebPage.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>

namespace Quillorn {

namespace {

QToolButton* toolButton(QWidget* parent, const char* name, const QIcon& icon)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon);
    button->setAutoRaise(true);
    return button;
}

// Enter in the address box navigates and goes no further (a dialog's default button would
// take it otherwise).
class EnterFilter : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> enter)
        : QObject(parent)
        , m_enter(std::move(enter))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_enter();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_enter;
};

} // namespace

PreviewPane::PreviewPane(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewPane"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    auto* tools = new QWidget(this);
    tools->setObjectName(QStringLiteral("WebTool"));
    auto* row = new QHBoxLayout(tools);
    row->setContentsMargins(0, 0, 0, 0);
    QStyle* s = style();
    m_back = toolButton(tools, "Back", s->standardIcon(QStyle::SP_ArrowBack));
    m_forward = toolButton(tools, "Forward", s->standardIcon(QStyle::SP_ArrowForward));
    m_refresh = toolButton(tools, "Refresh", s->standardIcon(QStyle::SP_BrowserReload));
    m_nav = new QLineEdit(tools);
    m_nav->setObjectName(QStringLiteral("Nav"));
    m_nav->installEventFilter(new EnterFilter(m_nav, [this] { navigateToAddress(); }));
    m_go = toolButton(
        tools, "Go",
        QIcon::fromTheme(QStringLiteral("go-jump"), s->standardIcon(QStyle::SP_CommandLink)));
    for (QWidget* widget : {static_cast<QWidget*>(m_back), static_cast<QWidget*>(m_forward),
                            static_cast<QWidget*>(m_refresh)})
        row->addWidget(widget);
    row->addWidget(m_nav, 1);
    row->addWidget(m_go);
    tools->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    column->addWidget(tools);

    connect(m_back, &QToolButton::clicked, this, [this] {
        if (m_view)
            m_view->back();
    });
    connect(m_forward, &QToolButton::clicked, this, [this] {
        if (m_view)
            m_view->forward();
    });
    connect(m_refresh, &QToolButton::clicked, this, [this] {
        if (m_view)
            m_view->reload();
    });
    connect(m_go, &QToolButton::clicked, this, &PreviewPane::navigateToAddress);
}

void PreviewPane::setCaptions(const LangStrings& strings)
{
    m_back->setToolTip(strings.value(Str::BrowserBack));
    m_forward->setToolTip(strings.value(Str::BrowserForward));
    m_refresh->setToolTip(strings.value(Str::BrowserRefresh));
    m_go->setToolTip(strings.value(Str::BrowserGo));
}

PreviewPane::~PreviewPane()
{
    *m_alive = false;
}

void PreviewPane::showEvent(QShowEvent* event)
{
    ensureView();
    QWidget::showEvent(event);
}

void PreviewPane::ensureView()
{
    if (m_view)
        return;
    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("Web"));
    m_page = new PreviewWebPage(m_view);
    m_view->setPage(m_page);
    connect(m_page, &PreviewWebPage::elementClicked, this, &PreviewPane::elementClicked);
    // The page takes every bit of height the tool bar leaves.
    static_cast<QVBoxLayout*>(layout())->addWidget(m_view, 1);
    connect(m_view, &QWebEngineView::loadFinished, this, &PreviewPane::finished);
    connect(m_view->page(), &QWebEnginePage::linkHovered, this, [this](const QString& url) {
        // The engine also says "no link" when a page loads; that must not wipe the status line.
        if (url == m_hovered)
            return;
        m_hovered = url;
        Q_EMIT statusTextChanged(url);
    });
}

void PreviewPane::load(const QUrl& url, quint64 pageKey)
{
    ensureView();
    const bool samePage = pageKey != 0 && pageKey == m_pageKey;
    m_pageKey = pageKey;
    const quint64 request = ++m_request;
    m_scrollToRestore.reset();
    if (!samePage) {
        m_view->load(url);
        return;
    }
    // The position is read before the reload replaces the page, and set back once it is in.
    std::shared_ptr<bool> alive = m_alive;
    m_view->page()->runJavaScript(QStringLiteral("[window.scrollX, window.scrollY]"),
                                  [this, alive, url, request](const QVariant& result) {
                                      if (!*alive || request != m_request)
                                          return;
                                      const QVariantList xy = result.toList();
                                      if (xy.size() == 2)
                                          m_scrollToRestore = QPoint(xy[0].toInt(), xy[1].toInt());
                                      m_view->load(url);
                                  });
}

void PreviewPane::clear()
{
    m_pageKey = 0;
    ++m_request;
    m_scrollToRestore.reset();
    if (m_view)
        m_view->load(QUrl(QStringLiteral("about:blank")));
}

QString PreviewPane::address() const
{
    return m_nav->text();
}

void PreviewPane::reveal(const QList<qint64>& starts, const std::function<void(bool)>& done)
{
    ensureView();
    std::shared_ptr<bool> alive = m_alive;
    m_page->reveal(starts, [alive, done](bool found) {
        if (*alive)
            done(found);
    });
}

void PreviewPane::navigateToAddress()
{
    const QUrl url = QUrl::fromUserInput(m_nav->text());
    if (url.isValid())
        load(url);
}

void PreviewPane::finished(bool ok)
{
    m_nav->setText(m_view->url().toString());
    if (m_scrollToRestore) {
        m_view->page()->runJavaScript(QStringLiteral("window.scrollTo(%1, %2)")
                                          .arg(m_scrollToRestore->x())
                                          .arg(m_scrollToRestore->y()));
        m_scrollToRestore.reset();
    }
    Q_EMIT loadFinished(ok);
}

} // namespace Quillorn
