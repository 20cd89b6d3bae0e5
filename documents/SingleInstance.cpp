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
{
    if (!m_name.isEmpty())
        m_lock = std::make_unique<QLockFile>(m_name + QLatin1String(".lock"));
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

SingleInstance::HandOff SingleInstance::handOff(const QStringList& paths, int timeoutMs)
{
    HandOff result;
    for (const QString& path : paths)
        result.left.append(QFileInfo(path).absoluteFilePath());
    if (!m_lock)
        return result;
    // An empty request stands for a start without files.
    QStringList requests = result.left.isEmpty() ? QStringList{QString()} : result.left;
    const QDeadlineTimer starting(StartingEditorMs);
    while (!requests.isEmpty()) {
        // With the lock this start is the editor, unless one that lost its lock file (a
        // cleaned runtime folder) still answers; the request below finds out.
        const bool ours = m_lock->isLocked() || m_lock->tryLock(0);
        const bool heldElsewhere = !ours && m_lock->error() == QLockFile::LockFailedError;
        switch (LocalChannel::send(m_name, requests.first(), timeoutMs)) {
        case LocalChannel::Outcome::Delivered:
            requests.removeFirst();
            if (!result.left.isEmpty())
                result.left.removeFirst();
            continue;
        case LocalChannel::Outcome::NoAnswer:
            return result;
        case LocalChannel::Outcome::NoListener:
            // An editor that holds the lock but does not listen yet is just starting.
            if (!heldElsewhere || starting.hasExpired())
                return result;
            QThread::msleep(20);
            continue;
        }
    }
    if (m_lock->isLocked())
        m_lock->unlock();
    result.done = true;
    return result;
}

bool SingleInstance::listen()
{
    if (isListening())
        return true;
    if (!m_lock || (!m_lock->isLocked() && !m_lock->tryLock(0)))
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
    if (path.isEmpty())
        Q_EMIT activationRequested();
    else
        Q_EMIT openRequested(path);
}

} // namespace Quillorn
