#include "app/Startup.h"

#include "app/FileCommands.h"
#include "app/Intro.h"
#include "app/MainWindow.h"
#include "platform/SignalWatcher.h"
#include "settings/FileAssociations.h"

#include <QApplication>

namespace Quillorn {

Startup::Startup(AppContext& context, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_signals(new SignalWatcher(this))
    , m_requests(new OpenRequests([this](const QStringList& paths) { openRequested(paths); }, this))
{
    connect(m_signals, &SignalWatcher::stopRequested, this, &Startup::stop);
}

Startup::~Startup()
{
    delete m_main;
}

void Startup::start(const QStringList& files, bool splash)
{
    m_files = files;
    m_context.settings.externalPrograms = {ExternalProgram{}};
    if (splash) {
        m_intro = new Intro;
        connect(m_intro, &Intro::finished, this, &Startup::finishSplash);
    }
    m_main = new MainWindow(m_context);
    if (!m_intro) {
        finishSplash();
        return;
    }
    QCoreApplication::processEvents();
    // A stop signal may already have ended the splash.
    if (!m_intro->isFinished())
        m_intro->show();
}

void Startup::takeRequest(const QString& path)
{
    m_requests->add(path);
}

void Startup::finishSplash()
{
    if (m_intro)
        m_intro->deleteLater();
    if (!m_main)
        return;
    // Project files get their own type, opened with this program; a desktop whose files
    // cannot be written changes nothing of the start.
    FileAssociations associations(m_context.appDir);
    associations.registerProjectType(m_context.strings.value(Str::ProjectFileKind));
    associations.refreshDatabases();
    m_main->show();
    Q_EMIT mainWindowShown();
    m_opening = true;
    m_main->init(m_files);
    if (m_stopping)
        finishStop();
    else
        m_requests->start();
}

void Startup::openRequested(const QStringList& paths)
{
    if (!m_main)
        return;
    m_main->files().openDocuments(paths, true);
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
}

void Startup::stop(int)
{
    // The files this start was asked to open belong to what is kept: a stop during the splash
    // ends it at once, and the stop follows when they are open. A stop that comes while they
    // open (a prompt of theirs is up) does not wait for the user.
    m_stopping = true;
    if (m_intro && !m_intro->isFinished())
        m_intro->finish();
    else if (m_opening)
        finishStop();
}

void Startup::finishStop()
{
    // A stop signal cannot ask about unsaved documents; it keeps everything a closed window
    // keeps (settings and the session) and ends the process.
    m_requests->stop();
    if (m_main)
        m_main->shutdown();
    // Every event loop ends, a prompt's too, even before the main loop runs; once more from
    // the main loop for a stop that comes before it starts.
    QCoreApplication::exit(0);
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

} // namespace Quillorn
