#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace Quillorn {

// One editor per user takes the files the desktop opens: a second start hands its file to the
// editor that runs and ends. The running editor listens on the user's local socket of
// application "Quillorn", topic "SYSTEM", guarded by a lock file so that a crashed editor's
// socket never blocks the next start and a live editor's socket is never taken away.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // No step waits longer than this, so a hung editor never holds up a start.
    static constexpr int TimeoutMs = 1000;

    explicit SingleInstance(QObject* parent = nullptr);
    SingleInstance(const QString& application, const QString& topic, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands `path` (made absolute from the current folder) to a running editor; true when it
    // acknowledged it. An editor that is just starting (it holds the lock but does not listen
    // yet) is waited for up to `timeoutMs`.
    bool handOff(const QString& path, int timeoutMs = TimeoutMs);

    // Starts taking requests; false when another editor already does (or the socket cannot be
    // made), and this one then runs on its own.
    bool listen();
    bool isListening() const;

    QString serverName() const { return m_name; }

Q_SIGNALS:
    // A path another start handed over, to be opened and the window raised.
    void openRequested(const QString& path);

private:
    bool lockHeldElsewhere();
    void acceptConnections();
    void readRequest(QLocalSocket* socket);

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace Quillorn
