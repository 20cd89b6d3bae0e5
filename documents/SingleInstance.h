#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace Quillorn {

// One editor per user takes the files the desktop opens: a second start hands its files to the
// editor that runs and ends. The running editor listens on the user's local socket of
// application "Quillorn", topic "SYSTEM". A lock file beside the socket decides which start
// that is: taken before anything is sent and kept while listening, so that two starts at once
// never both become editors, a crashed editor's socket never blocks the next start and a live
// editor's socket is never taken away.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // No request waits longer than this for its answer, so a hung editor never holds up a start.
    static constexpr int TimeoutMs = 1000;
    // How long a start waits for an editor that holds the lock but does not listen yet.
    static constexpr int StartingEditorMs = 10000;

    explicit SingleInstance(QObject* parent = nullptr);
    SingleInstance(const QString& application, const QString& topic, QObject* parent = nullptr);
    ~SingleInstance() override;

    struct HandOff {
        bool done = false; // a running editor took every file: this start ends
        QStringList left;  // the files this start opens itself, made absolute
    };

    // Hands `paths` to a running editor, one request each, in order; without paths the editor
    // is only asked to come to the front. Each path is made absolute from the current folder
    // first: the running editor has a folder of its own. When no editor runs, this object
    // keeps the lock, so that no other start can become the editor before this one listens.
    HandOff handOff(const QStringList& paths, int timeoutMs = TimeoutMs);

    // Starts taking requests; false when another editor already does (or no socket can be
    // trusted or made), and this one then runs on its own.
    bool listen();
    bool isListening() const;

    // Empty when there is no private folder for the socket: this start then runs on its own.
    QString serverName() const { return m_name; }

Q_SIGNALS:
    // A path another start handed over, to be opened and the window raised.
    void openRequested(const QString& path);
    // Another start without files: the window comes to the front.
    void activationRequested();

private:
    void acceptConnections();
    void readRequest(QLocalSocket* socket);

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace Quillorn
