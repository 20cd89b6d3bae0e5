#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace Quillorn {

class LangStrings;

// The web server the preview reads pages through in server mode: tells whether one answers
// at an address, or runs PHP's built-in server on a folder in a process group of its own and
// ends it again.
class LocalServer : public QObject {
    Q_OBJECT
public:
    // What the preview goes through, for the status line.
    enum class State { None, Used, Starting, Started, Failed };

    explicit LocalServer(QObject* parent = nullptr);
    ~LocalServer() override;

    // Connects to the host and port of `address` and reports through `answered`. A server
    // that answers is the one the preview uses.
    void isAnswering(const QUrl& address);

    // Starts "php -S 127.0.0.1:PORT -t folder" with `phpPath` (empty: php on the PATH), on
    // `preferredPort` when it is free, else on a free port; `started` follows once it answers,
    // `failed` when it does not within a few seconds. A server already running is stopped.
    void start(const QString& folder, const QString& phpPath, quint16 preferredPort = 80);
    // Ends the started server's whole process group and forgets a server that was used.
    void stop();

    State state() const { return m_state; }
    // Where the preview's pages are read from; empty unless Used or Started.
    const QUrl& address() const { return m_address; }

    // The status line for the state: the server used or started, or why none could be started;
    // empty otherwise.
    QString statusText(const LangStrings& strings) const;

Q_SIGNALS:
    void answered(const QUrl& address, bool answering);
    void started(const QUrl& address);
    void failed(const QString& reason);

private:
    // Connects to `host`:`port` and calls `done` once with whether the connection was made.
    void probe(const QString& host, quint16 port, std::function<void(bool)> done);
    void launch(quint16 port);
    void poll();
    void exited();
    void fail(const QString& reason);
    // `preferred` when it can be listened on, else a port the system gives.
    static quint16 freePort(quint16 preferred);
    static QString addressFor(quint16 port);

    State m_state = State::None;
    QUrl m_address;
    QString m_failure;
    QString m_folder;
    QString m_program;
    quint16 m_port = 0;
    bool m_retried = false;
    QPointer<QProcess> m_process;
    QTimer m_poll;
    QDeadlineTimer m_deadline;
    // Counts the servers started, so that an answer for an earlier one is ignored.
    quint64 m_run = 0;
};

} // namespace Quillorn
