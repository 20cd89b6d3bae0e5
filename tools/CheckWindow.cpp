#include "tools/CheckWindow.h"

#include "platform/LangStrings.h"
#include "platform/TempFiles.h"
#include "platform/WorkFile.h"
#include "tools/CheckReport.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <QWebEngineView>

#include <algorithm>

namespace Quillorn {

namespace {

constexpr int kAnimationMs = 250;
constexpr int kTrackHeight = 14;

} // namespace

CheckWindow::CheckWindow(const LangStrings& strings, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_strings(strings)
    , m_track(new QFrame(this))
    , m_fill(new QWidget(m_track))
    , m_animation(new QVariantAnimation(this))
    , m_views(new QStackedWidget(this))
    , m_status(new QTextBrowser(m_views))
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 420);

    m_track->setObjectName(QStringLiteral("Picture1"));
    m_track->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_track->setFixedHeight(kTrackHeight);
    m_track->installEventFilter(this);
    m_fill->setObjectName(QStringLiteral("Label1"));
    m_fill->setAutoFillBackground(true);
    m_fill->setBackgroundRole(QPalette::Highlight);

    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setOpenLinks(false);
    m_status->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(m_status, &QTextBrowser::anchorClicked, this, &CheckWindow::openLink);
    m_views->addWidget(m_status);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(true);
    m_ok = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    m_cancel->hide();
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cancel, &QPushButton::clicked, this, &CheckWindow::cancelRequested);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &CheckWindow::escape);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_track);
    layout->addWidget(m_views, 1);
    layout->addWidget(buttons);

    m_animation->setStartValue(0);
    m_animation->setEndValue(100);
    m_animation->setDuration(kAnimationMs);
    connect(m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setProgress(value.toInt()); });
    connect(m_animation, &QVariantAnimation::finished, this, &CheckWindow::progressDone);
    placeFill();
    applyCaptions();
}

void CheckWindow::applyCaptions()
{
    setWindowTitle(m_strings.value(Str::CheckWindowTitle));
    m_ok->setText(m_strings.value(Str::OkButton));
    m_cancel->setText(m_strings.value(Str::CancelButton));
}

void CheckWindow::setProgress(int percent)
{
    m_percent = std::clamp(percent, 0, 100);
    placeFill();
}

void CheckWindow::animateProgress()
{
    setRunning(true);
    m_animation->stop();
    m_animation->start();
}

void CheckWindow::setRunning(bool running)
{
    m_cancel->setVisible(running);
}

void CheckWindow::setReport(const QString& report)
{
    QStringList html;
    for (const CheckReport::Line& line : CheckReport::lines(report)) {
        const QString text = line.text.toHtmlEscaped();
        html.append(line.reference ? QStringLiteral("<a href=\"#%1:%2\">%3</a>")
                                         .arg(line.reference->line)
                                         .arg(line.reference->column)
                                         .arg(text)
                                   : text);
    }
    m_status->setHtml(u"<div style=\"white-space: pre-wrap\">" + html.join(u'\n') + u"</div>");
}

void CheckWindow::toggleBrowser()
{
    if (isBrowserShown()) {
        m_views->setCurrentWidget(m_status);
        return;
    }
    if (!m_web) {
        m_web = new QWebEngineView(m_views);
        m_web->setObjectName(QStringLiteral("Web"));
        m_views->addWidget(m_web);
        loadPage();
    }
    m_views->setCurrentWidget(m_web);
}

bool CheckWindow::isBrowserShown() const
{
    return m_web && m_views->currentWidget() == m_web;
}

FileFailure CheckWindow::setHtml(const QString& text)
{
    // The engine does not take a ".tmp" file for a page; this suffix makes it one. The mark
    // tells the engine the page is UTF-8 whatever charset the output declares.
    FileFailure failure;
    WorkFile page =
        WorkFile::write(TempFiles::userFolder(), QString(), QStringLiteral(".html"),
                        "\xEF\xBB\xBF" + QString(u"<html>" + text + u"\r\n").toUtf8(), failure);
    if (!page.exists())
        return failure;
    m_page = std::move(page);
    loadPage();
    return {};
}

bool CheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_track && event->type() == QEvent::Resize)
        placeFill();
    return QWidget::eventFilter(watched, event);
}

void CheckWindow::placeFill()
{
    const QRect inside = m_track->contentsRect();
    m_fill->setGeometry(inside.x(), inside.y(), inside.width() * m_percent / 100, inside.height());
}

void CheckWindow::escape()
{
    if (m_cancel->isHidden())
        close();
    else
        m_cancel->click();
}

void CheckWindow::openLink(const QUrl& url)
{
    const QStringList place = url.fragment().split(u':');
    if (place.size() == 2)
        Q_EMIT lineActivated(place[0].toInt(), place[1].toInt());
}

void CheckWindow::loadPage()
{
    if (m_web && m_page.exists())
        m_web->load(QUrl::fromLocalFile(m_page.path()));
}

} // namespace Quillorn
