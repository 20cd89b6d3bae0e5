#include "tools/ProcessRunner.h"

#include "tools/CommandLineSplit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace Quillorn {

namespace {

QString& storedCommandLine()
{
    static QString text;
    return text;
}

// The last run that started; its text is decoded only when asked for, since most callers take
// the result from `finished` and the output may be large.
RunResult& lastStarted()
{
    static RunResult result;
    return result;
}

// A pipe this large lets a fast writer wake the reader less often (1 MB is what an ordinary
// user may ask for).
constexpr int PipeSize = 1024 * 1024;
// Reads per wake-up: enough to keep up with a fast writer, few enough that the event loop
// still paints in between.
constexpr int ReadsPerWake = 16;

// Both ends are closed on exec; the child gets the write end through dup2, which clears that.
// Only the reading end, ours, is non-blocking.
bool makePipe(int ends[2])
{
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    ::fcntl(ends[0], F_SETFL, O_NONBLOCK);
    ::fcntl(ends[0], F_SETPIPE_SZ, PipeSize);
    return true;
}

// Fresh memory is otherwise mapped a page at a time while the kernel copies into it, which
// costs more than the copy itself; one call maps the whole stretch.
void prefault(char* from, qsizetype length)
{
    const auto begin = reinterpret_cast<std::uintptr_t>(from) & ~std::uintptr_t(4095);
    ::madvise(reinterpret_cast<void*>(begin),
              reinterpret_cast<std::uintptr_t>(from) + length - begin, MADV_POPULATE_WRITE);
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

ProcessRunner::ProcessRunner(QObject* parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { stop(RunStatus::TimedOut); });
}

ProcessRunner::~ProcessRunner()
{
    if (m_pid > 0) {
        ::kill(-m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    for (Channel& channel : m_channels)
        closeChannel(channel);
    closeFd(m_pidFd);
}

QString ProcessRunner::lastCommandLine()
{
    return storedCommandLine();
}

QString ProcessRunner::lastOutput()
{
    return lastStarted().text();
}

void ProcessRunner::start(const QString& commandLine, const RunOptions& options)
{
    Q_ASSERT(!m_running);
    if (m_running)
        return;
    m_running = true;
    m_options = options;
    m_received = 0;
    m_stopStatus = RunStatus::Finished;
    if (!commandLine.isEmpty())
        storedCommandLine() = commandLine;
    const QStringList words = CommandLineSplit::split(storedCommandLine());
    if (words.isEmpty())
        return finishLater(RunStatus::NotStarted);
    m_result.program = words.first();

    const bool merged = options.channels == RunChannels::Merged;
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    if (!makePipe(out) || (!merged && !makePipe(err)))
        m_result.startError = errno;
    else
        m_result.startError = spawn(words, out[1], merged ? out[1] : err[1]);
    closeFd(out[1]);
    closeFd(err[1]);
    if (m_result.startError == 0) {
        m_pidFd = int(::syscall(SYS_pidfd_open, m_pid, 0));
        if (m_pidFd < 0) {
            ::kill(-m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = 0;
        }
    }
    if (m_pidFd < 0) {
        closeFd(out[0]);
        closeFd(err[0]);
        return finishLater(m_result.startError == 0 ? RunStatus::Failed : RunStatus::NotStarted);
    }

    watch(m_channels[0], out[0], &m_result.output);
    if (!merged)
        watch(m_channels[1], err[0], &m_result.error);
    m_exitNotifier = new QSocketNotifier(m_pidFd, QSocketNotifier::Read, this);
    connect(m_exitNotifier, &QSocketNotifier::activated, this, &ProcessRunner::exited);
    m_timer.start(options.timeoutMs);
}

void ProcessRunner::cancel()
{
    stop(RunStatus::Cancelled);
}

int ProcessRunner::spawn(const QStringList& words, int outWrite, int errWrite)
{
    std::vector<QByteArray> encoded;
    for (const QString& word : words)
        encoded.push_back(QFile::encodeName(word));
    std::vector<char*> argv;
    for (QByteArray& word : encoded)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    const QByteArray input = m_options.inputFile.isEmpty() ? QByteArrayLiteral("/dev/null")
                                                           : QFile::encodeName(m_options.inputFile);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.constData(), O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, outWrite, STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, errWrite, STDERR_FILENO);
    const QByteArray folder = QFile::encodeName(m_options.workingFolder);
    if (!folder.isEmpty())
        ::posix_spawn_file_actions_addchdir_np(&actions, folder.constData());

    // A session of its own makes the program the leader of a new process group, so the group
    // can be ended as one. Signals this process blocks or ignores are not handed down.
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    ::posix_spawnattr_setsigmask(&attributes, &signals);
    for (int number : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGTERM, SIGHUP})
        sigaddset(&signals, number);
    ::posix_spawnattr_setsigdefault(&attributes, &signals);
    ::posix_spawnattr_setflags(&attributes,
                               POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    int error = ::posix_spawnp(&m_pid, argv[0], &actions, &attributes, argv.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        m_pid = 0;
    // The system says "Permission denied" for a folder; say what it is.
    const QString& program = words.first();
    if (error == EACCES && program.contains(u'/') &&
        QFileInfo(QDir(m_options.workingFolder).filePath(program)).isDir())
        error = EISDIR;
    return error;
}

void ProcessRunner::watch(Channel& channel, int fd, QByteArray* sink)
{
    channel.fd = fd;
    channel.sink = sink;
    channel.notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(channel.notifier, &QSocketNotifier::activated, this,
            [this, &channel] { read(channel, ReadsPerWake); });
}

void ProcessRunner::read(Channel& channel, int maxReads)
{
    for (int count = 0; count < maxReads && channel.fd >= 0; ++count) {
        // Straight into the buffer's end: it grows geometrically, and the allocator moves
        // large blocks without copying them.
        QByteArray& sink = *channel.sink;
        const qsizetype size = sink.size();
        sink.resize(size + PipeSize);
        prefault(sink.data() + size, PipeSize);
        const ssize_t got = ::read(channel.fd, sink.data() + size, PipeSize);
        sink.resize(size + std::max<ssize_t>(got, 0));
        if (got > 0) {
            m_received += got;
            if (m_received > m_options.outputCap) {
                sink.chop(m_received - m_options.outputCap);
                stop(RunStatus::OutputCapped);
            }
        } else if (got == 0) {
            closeChannel(channel);
        } else if (errno == EAGAIN) {
            return;
        } else if (errno != EINTR) {
            stop(RunStatus::Failed);
        }
    }
}

void ProcessRunner::closeChannel(Channel& channel)
{
    if (channel.notifier) {
        channel.notifier->setEnabled(false);
        channel.notifier->deleteLater();
        channel.notifier = nullptr;
    }
    closeFd(channel.fd);
}

void ProcessRunner::exited()
{
    // The program has exited but is not reaped yet, so its id still names its group: end what
    // is left of the group (a grandchild holding the pipe open would otherwise keep it), then
    // take what is still in the pipes without waiting for them to close.
    ::kill(-m_pid, SIGKILL);
    for (Channel& channel : m_channels)
        read(channel, INT_MAX);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        m_result.exitCode = WEXITSTATUS(status);
    m_pid = 0;
    finish(m_stopStatus);
}

void ProcessRunner::stop(RunStatus status)
{
    if (m_pid <= 0 || m_stopStatus != RunStatus::Finished)
        return;
    // Reported once the program is gone (`exited`); output after this point is not wanted.
    m_stopStatus = status;
    ::kill(-m_pid, SIGKILL);
    m_timer.stop();
    for (Channel& channel : m_channels)
        closeChannel(channel);
}

void ProcessRunner::finish(RunStatus status)
{
    m_timer.stop();
    for (Channel& channel : m_channels)
        closeChannel(channel);
    if (m_exitNotifier) {
        m_exitNotifier->setEnabled(false);
        m_exitNotifier->deleteLater();
        m_exitNotifier = nullptr;
    }
    closeFd(m_pidFd);
    m_result.status = status;
    m_result.output.squeeze();
    m_result.error.squeeze();
    if (status != RunStatus::NotStarted)
        lastStarted() = m_result;
    m_running = false;
    // Taken out first: a receiver may start the next run.
    Q_EMIT finished(std::exchange(m_result, RunResult()));
}

void ProcessRunner::finishLater(RunStatus status)
{
    QMetaObject::invokeMethod(
        this, [this, status] { finish(status); }, Qt::QueuedConnection);
}

} // namespace Quillorn
