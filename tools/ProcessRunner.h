#pragma once

#include "tools/RunResult.h"

#include <QObject>
#include <QTimer>

#include <sys/types.h>

class QSocketNotifier;

namespace Quillorn {

// Where the two output streams of a run go.
enum class RunChannels {
    Merged,   // standard output and error through one pipe, in the order they were written
    Separate, // each through its own pipe (a converter wants its output without messages)
};

struct RunOptions {
    int timeoutMs = 30000;
    qint64 outputCap = 64 * 1024 * 1024; // bytes, both streams together
    RunChannels channels = RunChannels::Merged;
    QString workingFolder; // empty: this process's current folder
    QString inputFile;     // read as standard input; empty: /dev/null
};

// Runs an outside program from a command line, without a shell and without blocking the event
// loop: standard input from a file (or /dev/null), its output collected, its whole process
// group ended at the time-out, at the output cap, on cancel, or once the program itself has
// exited.
class ProcessRunner : public QObject {
    Q_OBJECT
public:
    explicit ProcessRunner(QObject* parent = nullptr);
    ~ProcessRunner() override;

    // Starts a run; `finished` follows exactly once, always from the event loop. An empty
    // command line runs the last one again. One run at a time.
    void start(const QString& commandLine, const RunOptions& options = {});
    // Ends the running program and its group; `finished` then reports Cancelled.
    void cancel();
    bool isRunning() const { return m_running; }
    // The running program's process id, which is also its process group's; 0 when none.
    qint64 processId() const { return m_pid; }

    // Shared by every runner of this process: the last non-empty command line given to
    // `start`, and the text result of the last run that started.
    static QString lastCommandLine();
    static QString lastOutput();

Q_SIGNALS:
    void finished(const Quillorn::RunResult& result);

private:
    struct Channel {
        int fd = -1;
        QSocketNotifier* notifier = nullptr;
        QByteArray* sink = nullptr;
    };

    int spawn(const QStringList& words, int outWrite, int errWrite);
    void watch(Channel& channel, int fd, QByteArray* sink);
    void read(Channel& channel, int maxReads);
    void closeChannel(Channel& channel);
    void exited();
    void stop(RunStatus status);
    void finish(RunStatus status);
    void finishLater(RunStatus status);

    bool m_running = false;
    pid_t m_pid = 0;
    int m_pidFd = -1;
    QSocketNotifier* m_exitNotifier = nullptr;
    Channel m_channels[2];
    QTimer m_timer;
    RunOptions m_options;
    RunResult m_result;
    qint64 m_received = 0;
    // How the run is to be reported once the stopped program is gone.
    RunStatus m_stopStatus = RunStatus::Finished;
};

} // namespace Quillorn
