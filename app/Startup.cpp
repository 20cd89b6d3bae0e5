#include "app/Startup.h"

#include "app/Intro.h"
#include "app/MainWindow.h"
#include "platform/SignalWatcher.h"

#include <QApplication>

namespace Quillorn {

Startup::Startup(AppContext& context, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_signals(new SignalWatcher(this))
{
    connect(m_signals, &SignalWatcher::stopRequested, this, &Startup::stop);
}

Startup::~Startup()
{
    delete m_main;
}

void Startup::start(const QString& commandLine)
{
    m_commandLine = commandLine;
    m_intro = new Intro;
    m_context.settings.externalPrograms = {ExternalProgram{}};
    m_main = new MainWindow(m_context);
    QCoreApplication::processEvents();
    connect(m_intro, &Intro::finished, this, &Startup::finishSplash);
    m_intro->show();
}

QString Startup::initialOpen(const QString& commandLine, bool openLastSession,
                             const QString& lastSessionPath)
{
    const QString path = commandLine.trimmed();
    if (!path.isEmpty())
        return path;
    return openLastSession ? lastSessionPath : QString();
}

void Startup::finishSplash()
{
    if (m_intro)
        m_intro->deleteLater();
    if (!m_main)
        return;
    m_main->show();
    m_main->init(m_commandLine);
    Q_EMIT mainWindowShown();
}

void Startup::stop(int)
{
    // A stop signal cannot ask about unsaved documents; it keeps everything a closed window
    // keeps (settings and the session) and ends the process.
    if (m_main)
        m_main->shutdown();
    if (m_intro)
        m_intro->close();
    QCoreApplication::quit();
}

} // namespace Quillorn
