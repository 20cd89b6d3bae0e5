#include "app/Intro.h"

#include <QFont>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace Quillorn {

Intro::Intro(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Intro"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(420, 220);

    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("Quillorn"), this);
    name->setObjectName(QStringLiteral("Label1"));
    QFont nameFont = name->font();
    nameFont.setPointSize(40);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    name->setStyleSheet(QStringLiteral("color: rgb(60, 84, 110);"));

    m_loading = new QLabel(loadingState(3), this);
    m_loading->setObjectName(QStringLiteral("Label2"));
    // Comic Sans MS where it is installed; otherwise the nearest informal face.
    QFont loadingFont(QStringLiteral("Comic Sans MS"), 14);
    loadingFont.setStyleHint(QFont::Cursive);
    m_loading->setFont(loadingFont);
    m_loading->setAlignment(Qt::AlignCenter);

    layout->addStretch();
    layout->addWidget(name);
    layout->addWidget(m_loading);
    layout->addStretch();

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    setWindowOpacity(m_opacity / 255.0);
    m_fade.setInterval(FadeInterval);
    m_loadingTimer.setInterval(LoadingInterval);
    m_finish.setInterval(FinishDelay);
    m_finish.setSingleShot(true);
    connect(&m_fade, &QTimer::timeout, this, &Intro::fadeStep);
    connect(&m_loadingTimer, &QTimer::timeout, this, &Intro::loadingStep);
    connect(&m_finish, &QTimer::timeout, this, &Intro::finish);
}

QString Intro::loadingText() const
{
    return m_loading->text();
}

QString Intro::loadingState(int tick)
{
    static const char* const states[] = {"Loading", "Loading.", "Loading..", "Loading..."};
    const int phase = tick % 5;
    return QLatin1String(states[phase == 4 ? 3 : phase]);
}

void Intro::fadeStep()
{
    m_opacity += OpacityStep;
    if (m_opacity > WaitThreshold && !m_finish.isActive() && !m_loadingTimer.isActive() &&
        !m_finished) {
        m_loadingTimer.start();
        m_finish.start();
    }
    if (m_opacity < 255)
        setWindowOpacity(m_opacity / 255.0);
    else
        m_fade.stop();
}

void Intro::loadingStep()
{
    m_loading->setText(loadingState(m_tick));
    ++m_tick;
}

void Intro::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_fade.stop();
    m_loadingTimer.stop();
    m_finish.stop();
    Q_EMIT finished();
    close();
}

void Intro::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The fade starts with the window on the screen, not while the main window loads.
    if (!m_finished && !m_fade.isActive() && m_opacity == StartOpacity)
        m_fade.start();
}

void Intro::mousePressEvent(QMouseEvent*)
{
    finish();
}

void Intro::keyPressEvent(QKeyEvent*)
{
    finish();
}

} // namespace Quillorn
