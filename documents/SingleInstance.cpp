#include "documents/SingleInstance.h"

#include "documents/LocalChannel.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

namespace Quillorn {

SingleInstance::SingleInstance(QObject* parent)
    : SingleInstance(QStringLiteral("Quillorn"), QStringLiteral("SYSTEM"), parent)
{
}

SingleInstance::SingleInstance(const QString& application, const QString& topic, QObject* parent)
    : QObject(parent)
    , m_name(LocalChannel::serverName(application, topic))
    , m_lock(std::make_unique<QLockFile>(m_name + QLatin1String(".lock")))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

bool SingleInstance::lockHeldElsewhere()
{
    if (m_lock->isLocked())
        return false;
    if (m_lock->tryLock(0))
        return false; // nobody else runs: this start becomes the server
    return m_lock->error() == QLockFile::LockFailedError;
}

bool SingleInstance::handOff(const QString& path, int timeoutMs)
{
    if (path.trimmed().isEmpty())
        return false;
    // The running editor has a current folder of its own: a name typed relative to this
    // start's folder must reach it whole.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const auto outcome = LocalChannel::send(m_name, absolute,
                                                int(std::max<qint64>(1, deadline.remainingTime())));
        if (outcome == LocalChannel::Outcome::Delivered)
            return true;
        if (outcome == LocalChannel::Outcome::NoAnswer)
            return false;
        if (!lockHeldElsewhere() || deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

bool SingleInstance::listen()
{
    if (isListening())
        return true;
    if (!m_lock->isLocked() && !m_lock->tryLock(0))
        return false;
    // An editor that lost its lock file (a cleaned runtime folder) may still answer: its
    // socket is left alone.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(200)) {
        probe.abort();
        m_lock->unlock();
        return false;
    }
    // Only now is a socket left on the name known to be a crashed editor's.
    QLocalServer::removeServer(m_name);
    auto server = std::make_unique<QLocalServer>();
    if (!server->listen(m_name)) {
        m_lock->unlock();
        return false;
    }
    m_server = server.release();
    m_server->setParent(this);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        // A client that never finishes its request is dropped.
        QTimer::singleShot(TimeoutMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket* socket)
{
    const QByteArray pending = socket->peek(socket->bytesAvailable());
    const qsizetype end = pending.indexOf(LocalChannel::Terminator);
    if (end < 0) {
        if (pending.size() > LocalChannel::MaxRequestBytes) {
            socket->abort();
            socket->deleteLater();
        }
        return;
    }
    socket->readAll();
    const QString path = QString::fromUtf8(pending.left(end));
    socket->write(LocalChannel::acknowledgement());
    socket->flush();
    socket->disconnectFromServer();
    if (!path.isEmpty())
        Q_EMIT openRequested(path);
}

} // namespace Quillorn
