#include "preview/LocalServer.h"

#include "platform/LangStrings.h"

#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include <csignal>
#include <unistd.h>

namespace Quillorn {

namespace {
constexpr int ProbeTimeoutMs = 1500;
constexpr int PollIntervalMs = 100;
constexpr int StartTimeoutMs = 5000;
constexpr int StopTimeoutMs = 2000;
const QString LocalHost = QStringLiteral("127.0.0.1");
} // namespace

LocalServer::LocalServer(QObject* parent)
    : QObject(parent)
{
    m_poll.setSingleShot(true);
    m_poll.setInterval(PollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &LocalServer::poll);
}

LocalServer::~LocalServer()
{
    stop();
}

void LocalServer::isAnswering(const QUrl& address)
{
    probe(address.host(), static_cast<quint16>(address.port(80)), [this, address](bool answering) {
        // Our own server answering is not another one to use.
        if (answering && m_state != State::Starting && m_state != State::Started) {
            m_state = State::Used;
            m_address = address;
        }
        Q_EMIT answered(address, answering);
    });
}

void LocalServer::start(const QString& folder, const QString& phpPath, quint16 preferredPort)
{
    stop();
    m_folder = folder;
    m_program = phpPath.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("php")) : phpPath;
    m_retried = false;
    m_state = State::Starting;
    m_address.clear();
    m_failure.clear();
    launch(freePort(preferredPort));
}

void LocalServer::stop()
{
    ++m_run;
    m_poll.stop();
    if (m_process) {
        QProcess* process = m_process;
        process->disconnect(this);
        const pid_t group = static_cast<pid_t>(process->processId());
        if (group > 0) {
            ::kill(-group, SIGTERM);
            if (!process->waitForFinished(StopTimeoutMs)) {
                ::kill(-group, SIGKILL);
                process->waitForFinished(StopTimeoutMs);
            }
        }
        // Not deleted here: stop() may run from one of its own signals.
        process->deleteLater();
    }
    m_state = State::None;
    m_address.clear();
}

QString LocalServer::statusText(const LangStrings& strings) const
{
    switch (m_state) {
    case State::Used:
        return strings.message(Str::PreviewServerUsed, m_address.toString());
    case State::Started:
        return strings.message(Str::PreviewServerStarted, m_address.toString());
    case State::Failed:
        return strings.message(Str::PreviewServerFailed, m_failure);
    case State::None:
    case State::Starting:
        break;
    }
    return {};
}

void LocalServer::probe(const QString& host, quint16 port, std::function<void(bool)> done)
{
    auto* socket = new QTcpSocket(this);
    auto* timeout = new QTimer(socket);
    timeout->setSingleShot(true);
    auto finish = [socket, timeout, done](bool answering) {
        socket->disconnect();
        timeout->stop();
        socket->abort();
        socket->deleteLater();
        done(answering);
    };
    connect(socket, &QTcpSocket::connected, this, [finish] { finish(true); });
    connect(socket, &QTcpSocket::errorOccurred, this, [finish] { finish(false); });
    connect(timeout, &QTimer::timeout, this, [finish] { finish(false); });
    timeout->start(ProbeTimeoutMs);
    socket->connectToHost(host, port);
}

void LocalServer::launch(quint16 port)
{
    m_port = port;
    auto* process = new QProcess(this);
    m_process = process;
    process->setProgram(m_program);
    process->setArguments({QStringLiteral("-S"),
                           LocalHost + QLatin1Char(':') + QString::number(port),
                           QStringLiteral("-t"), m_folder});
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    // Its own process group, so that stopping it also ends whatever it started.
    process->setChildProcessModifier([] { ::setsid(); });
    connect(process, &QProcess::finished, this, &LocalServer::exited);
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            fail(m_program.isEmpty() ? QStringLiteral("php") : process->errorString());
    });
    m_deadline.setRemainingTime(StartTimeoutMs);
    process->start();
    if (m_state == State::Starting)
        m_poll.start();
}

void LocalServer::poll()
{
    const quint64 run = m_run;
    probe(LocalHost, m_port, [this, run](bool answering) {
        if (run != m_run || m_state != State::Starting)
            return;
        if (answering) {
            m_state = State::Started;
            m_address = QUrl(addressFor(m_port));
            Q_EMIT started(m_address);
        } else if (m_deadline.hasExpired()) {
            const QString output =
                QString::fromLocal8Bit(m_process ? m_process->readAll() : QByteArray()).trimmed();
            fail(output.isEmpty() ? addressFor(m_port) : output);
        } else {
            m_poll.start();
        }
    });
}

void LocalServer::exited()
{
    const QString output = QString::fromLocal8Bit(m_process->readAll()).trimmed();
    m_process->deleteLater();
    m_process.clear();
    if (m_state == State::Starting && !m_retried) {
        // The port may have been taken between the check and the start.
        m_retried = true;
        ++m_run;
        launch(freePort(0));
        return;
    }
    fail(output.isEmpty() ? m_program : output);
}

void LocalServer::fail(const QString& reason)
{
    stop();
    m_state = State::Failed;
    m_address.clear();
    m_failure = reason;
    Q_EMIT failed(reason);
}

QString LocalServer::addressFor(quint16 port)
{
    const QString portPart = port == 80 ? QString() : QLatin1Char(':') + QString::number(port);
    return QStringLiteral("http://") + LocalHost + portPart + QLatin1Char('/');
}

quint16 LocalServer::freePort(quint16 preferred)
{
    QTcpServer server;
    if (preferred != 0 && server.listen(QHostAddress::LocalHost, preferred))
        return preferred;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return preferred;
    return server.serverPort();
}

} // namespace Quillorn
