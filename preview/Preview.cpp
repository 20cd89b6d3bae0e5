#include "preview/Preview.h"

#include "documents/CurrentDocument.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "platform/Settings.h"
#include "platform/TempFiles.h"
#include "preview/PreviewPage.h"
#include "preview/PreviewPane.h"
#include "preview/SourceMap.h"

#include <QFileInfo>
#include <QPointer>

#include <utility>

namespace Quillorn {

Preview::Preview(const Context& context, QObject* parent)
    : QObject(parent)
    , m_settings(context.settings)
    , m_strings(context.strings)
    , m_prompter(context.prompter)
    , m_document(context.document)
    , m_pane(context.pane)
{
    Q_ASSERT(m_pane);
    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, [this] { refresh(); });
    connect(&m_server, &LocalServer::answered, this, &Preview::serverAnswered);
    connect(&m_server, &LocalServer::started, this, &Preview::serverReady);
    connect(&m_server, &LocalServer::failed, this, &Preview::serverReady);
    connect(m_pane, &PreviewPane::loadFinished, this, &Preview::pageLoaded);
    connect(m_pane, &PreviewPane::elementClicked, this, &Preview::showInCode);
}

void Preview::setBrowserShown(bool shown)
{
    m_refresh.stop();
    m_copy.discard();
    m_shown = shown;
    m_failureTold = false;
    m_retryServer = true;
    if (shown) {
        Q_EMIT statusTextChanged(m_strings.value(Str::PreviewCtrlClickHint));
        refresh();
    } else {
        m_reveal.reset();
        m_loading = false;
        m_pane->clear();
    }
}

void Preview::revealCaret()
{
    if (!m_document.isOpen())
        return;
    m_reveal =
        SourceMap::enclosing(SourceMap::scan(m_document.bytes()), m_document.caretPosition());
    // A page still to come is shown first: the element is looked for in it.
    if (m_shown && !m_loading && !m_refresh.isActive())
        revealNow();
}

void Preview::pageLoaded()
{
    m_loading = false;
    if (m_reveal)
        revealNow();
}

void Preview::revealNow()
{
    const QList<qint64> starts = m_reveal.value_or(QList<qint64>());
    m_reveal.reset();
    const QPointer<Preview> self(this);
    const auto cannotMap = [self] {
        if (self)
            Q_EMIT self->statusTextChanged(self->m_strings.value(Str::PreviewCannotMap));
    };
    if (starts.isEmpty()) {
        cannotMap();
        return;
    }
    m_pane->reveal(starts, [cannotMap](bool found) {
        if (!found)
            cannotMap();
    });
}

void Preview::showInCode(qint64 start)
{
    const std::optional<qint64> end =
        start < 0 ? std::nullopt : SourceMap::startTagEnd(m_document.bytes(), start);
    if (!end) {
        Q_EMIT statusTextChanged(m_strings.value(Str::PreviewCannotMap));
        return;
    }
    Q_EMIT codeViewWanted();
    m_document.select({start, *end});
}

void Preview::documentEdited()
{
    if (m_shown)
        m_refresh.start(RefreshDelayMs);
}

void Preview::documentSaved()
{
    if (!m_shown)
        return;
    m_refresh.stop();
    refresh();
}

void Preview::currentDocumentChanged()
{
    if (!m_shown)
        return;
    m_failureTold = false;
    m_retryServer = true;
    // A document being opened gets its path and text after it became the current one.
    m_refresh.start(0);
}

void Preview::settingsChanged()
{
    m_server.stop();
    m_startedFolder.clear();
    if (m_shown)
        setBrowserShown(true);
}

void Preview::refresh()
{
    if (!m_shown)
        return;
    if (!m_document.isOpen()) {
        m_copy.discard();
        m_pane->clear();
        return;
    }
    if (m_settings.isHttpServer == 0)
        showPage(PreviewPage::fromSettings(m_settings));
    else
        findServer();
}

void Preview::showPage(const PreviewPage& page)
{
    const PreviewCopy::Page shown = m_copy.show(page, m_document);
    if (!shown.failure.ok() && !m_failureTold) {
        m_failureTold = true;
        m_prompter.message(shown.failure.describe(m_strings), Prompter::Icon::Exclamation);
    } else if (shown.failure.ok()) {
        m_failureTold = false;
    }
    m_loading = !shown.url.isEmpty();
    if (shown.url.isEmpty())
        m_pane->clear();
    else
        m_pane->load(shown.url, m_document.id());
}

QString Preview::serverFolder() const
{
    if (!m_settings.pathToHttpd.isEmpty())
        return m_settings.pathToHttpd;
    const QString path = m_document.path();
    return path.isEmpty() ? TempFiles::userFolder() : QFileInfo(path).absolutePath();
}

void Preview::findServer()
{
    const bool retry = std::exchange(m_retryServer, false);
    const QString folder = serverFolder();
    switch (m_server.state()) {
    case LocalServer::State::Used:
        showPage(PreviewPage(PreviewPage::Mode::Server, folder, m_server.address().toString()));
        return;
    case LocalServer::State::Started:
        if (m_startedFolder == folder) {
            showPage(PreviewPage(PreviewPage::Mode::Server, folder, m_server.address().toString()));
            return;
        }
        break;
    case LocalServer::State::Failed:
        if (!retry)
            return;
        break;
    case LocalServer::State::Starting:
    case LocalServer::State::None:
        break;
    }
    // The answer shows whatever document is current by then.
    if (m_lookingForServer)
        return;
    m_lookingForServer = true;
    // A server already running can only be taken for the folder the settings name; a
    // document's own folder needs a server of its own.
    if (m_settings.pathToHttpd.isEmpty())
        serverAnswered(QUrl(), false);
    else
        m_server.isAnswering(QUrl(m_settings.serverAddress));
}

void Preview::serverAnswered(const QUrl& /*address*/, bool answering)
{
    if (answering) {
        serverReady();
        return;
    }
    m_startedFolder = serverFolder();
    m_server.start(m_startedFolder, m_settings.phpPath);
}

void Preview::serverReady()
{
    m_lookingForServer = false;
    Q_EMIT statusTextChanged(m_server.statusText(m_strings));
    const LocalServer::State state = m_server.state();
    if (state == LocalServer::State::Used || state == LocalServer::State::Started)
        refresh();
    else
        m_pane->clear();
}

} // namespace Quillorn
