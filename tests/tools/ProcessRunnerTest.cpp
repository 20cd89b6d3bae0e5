#include "tools/ProcessRunner.h"
#include "tools/CommandLineSplit.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace Quillorn;

namespace {

// Runs `commandLine` to its end, cancelling it at once when asked. When no single result
// comes, the result says so in its program name and fails every comparison.
RunResult run(const QString& commandLine, const RunOptions& options = {}, bool cancel = false,
              qint64* processId = nullptr)
{
    ProcessRunner runner;
    QSignalSpy finished(&runner, &ProcessRunner::finished);
    runner.start(commandLine, options);
    if (processId)
        *processId = runner.processId();
    if (cancel)
        runner.cancel();
    RunResult result;
    result.status = RunStatus::Failed;
    result.program = QStringLiteral("(no single result)");
    if (finished.wait(20000) && finished.size() == 1 && !runner.isRunning())
        result = finished.first().first().value<RunResult>();
    return result;
}

// Whether a live process is left in `session`; zombies waiting to be reaped do not count.
bool sessionAlive(qint64 session)
{
    QProcess ps;
    ps.start(QStringLiteral("ps"), {"-o", "stat=", "-s", QString::number(session)});
    ps.waitForFinished();
    const QList<QByteArray> states = ps.readAllStandardOutput().split('\n');
    return std::any_of(states.begin(), states.end(),
                       [](const QByteArray& state) { return !state.isEmpty() && state[0] != 'Z'; });
}

} // namespace

class ProcessRunnerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // First: nothing has been run in this process yet.
    void emptyCommandLineRepeatsTheLastOne();
    void splitFollowsTheRuntimeQuoting_data();
    void splitFollowsTheRuntimeQuoting();
    void runReportsHowItEndedAndWhatWasWritten_data();
    void runReportsHowItEndedAndWhatWasWritten();
    void theWholeProcessGroupEndsWithTheRun_data();
    void theWholeProcessGroupEndsWithTheRun();
};

void ProcessRunnerTest::emptyCommandLineRepeatsTheLastOne()
{
    QCOMPARE(run(QString()).status, RunStatus::NotStarted);
    QCOMPARE(run(QStringLiteral("printf first")).text(), QStringLiteral("first"));
    QCOMPARE(run(QStringLiteral("printf second")).text(), QStringLiteral("second"));
    QCOMPARE(run(QString()).text(), QStringLiteral("second"));
    QCOMPARE(ProcessRunner::lastCommandLine(), QStringLiteral("printf second"));
    QCOMPARE(ProcessRunner::lastOutput(), QStringLiteral("second"));
}

void ProcessRunnerTest::splitFollowsTheRuntimeQuoting_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("quoted program and file with blanks")
        << R"("/opt/my php/php" -q -l "/home/u/a b.php")"
        << QStringList{"/opt/my php/php", "-q", "-l", "/home/u/a b.php"};
    QTest::newRow("blanks and tabs") << " \t a\t b   c  " << QStringList{"a", "b", "c"};
    QTest::newRow("blank") << " \t  " << QStringList{};
    QTest::newRow("empty argument") << R"(p "" x)" << QStringList{"p", "", "x"};
    QTest::newRow("unclosed quote runs to the end") << R"(p "a b )" << QStringList{"p", "a b "};
    QTest::newRow("backslashes not before a quote")
        << R"(p a\\b\ c\)" << QStringList{"p", R"(a\\b\)", R"(c\)"};
    QTest::newRow("odd backslashes escape the quote")
        << R"(p a\"b a\\\"b)" << QStringList{"p", R"(a"b)", R"(a\"b)"};
    QTest::newRow("even backslashes and the quote groups")
        << R"(p a\\"b c" "d\\" e)" << QStringList{"p", R"(a\b c)", R"(d\)", "e"};
    QTest::newRow("doubled quote inside a quoted run")
        << R"(p "a""b c" d)" << QStringList{"p", R"(a"b c)", "d"};
    QTest::newRow("program name escapes nothing")
        << R"("C:\dir\x y.exe"z a\"b)" << QStringList{R"(C:\dir\x y.exez)", R"(a"b)"};
}

void ProcessRunnerTest::splitFollowsTheRuntimeQuoting()
{
    QFETCH(QString, commandLine);
    QTEST(CommandLineSplit::split(commandLine), "words");
}

void ProcessRunnerTest::runReportsHowItEndedAndWhatWasWritten_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<RunOptions>("options");
    QTest::addColumn<RunStatus>("status");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("text");
    const auto finished = [](const char* name, const QString& commandLine, RunOptions options,
                             const QByteArray& output, const QByteArray& error, int exitCode,
                             const QString& text) {
        QTest::newRow(name) << commandLine << options << RunStatus::Finished << output << error
                            << exitCode << QString() << text;
    };
    const auto notStarted = [](const char* name, const char* commandLine, const char* reason) {
        QTest::newRow(name) << QString(commandLine) << RunOptions() << RunStatus::NotStarted
                            << QByteArray() << QByteArray() << -1 << QString(reason) << QString();
    };
    RunOptions separate;
    separate.channels = RunChannels::Separate;
    RunOptions inRoot;
    inRoot.workingFolder = QStringLiteral("/");
    QByteArray numbers; // about 5 MB, many reads
    for (int i = 1; i <= 700000; ++i)
        numbers += QByteArray::number(i) + '\n';
    const QString interleaved = QStringLiteral(R"(sh -c "echo a; echo b >&2; echo c")");

    finished("merged in the order written", interleaved, {}, "a\nb\nc\n", "", 0, "a\nb\nc\n");
    finished("separate streams", interleaved, separate, "a\nc\n", "b\n", 0, "a\nc\n");
    finished("nothing written", "true", {}, "", "", 0, "");
    finished("exit code", R"(sh -c "echo out; exit 3")", {}, "out\n", "", 3, "out\n");
    finished("arguments reach the program without a shell", R"(printf "%s|" "a b" c;d $HOME)", {},
             "a b|c;d|$HOME|", "", 0, "a b|c;d|$HOME|");
    finished("working folder", "pwd", inRoot, "/\n", "", 0, "/\n");
    finished("UTF-8", R"(printf "\303\251t\303\251")", {}, "\xc3\xa9t\xc3\xa9", "", 0,
             QStringLiteral("\u00e9t\u00e9"));
    finished("other bytes as Latin-1", R"(printf "\351t\351")", {}, "\xe9t\xe9", "", 0,
             QStringLiteral("\u00e9t\u00e9"));
    finished("large output", "seq 700000", {}, numbers, "", 0, QString::fromLatin1(numbers));
    finished("large output on standard error", R"(sh -c "seq 700000 >&2")", separate, "", numbers,
             0, "");
    notStarted("missing program", "/nonexistent/quillorn-probe x", "No such file or directory");
    notStarted("not on the search path", "quillorn-probe-absent", "No such file or directory");
    notStarted("a folder", "/tmp", "Is a directory");
    notStarted("not executable", "/etc/passwd", "Permission denied");
}

void ProcessRunnerTest::runReportsHowItEndedAndWhatWasWritten()
{
    QFETCH(QString, commandLine);
    QFETCH(RunOptions, options);
    const RunResult result = run(commandLine, options);
    QTEST(result.status, "status");
    QTEST(result.output, "output");
    QTEST(result.error, "error");
    QTEST(result.exitCode, "exitCode");
    QTEST(result.reason(), "reason");
    QTEST(result.text(), "text");
    QCOMPARE(result.program, CommandLineSplit::split(commandLine).value(0));
}

void ProcessRunnerTest::theWholeProcessGroupEndsWithTheRun_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<RunOptions>("options");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<RunStatus>("status");
    QTest::addColumn<QString>("text");

    const QString forever = QStringLiteral(R"(sh -c "sleep 1000 & exec sleep 1000")");
    RunOptions shortTime;
    shortTime.timeoutMs = 200;
    RunOptions smallCap;
    smallCap.outputCap = 1024 * 1024;
    QTest::newRow("grandchild holding the pipe")
        << R"(sh -c "sleep 1000 & echo done")" << RunOptions() << false << RunStatus::Finished
        << "done\n";
    QTest::newRow("time-out") << forever << shortTime << false << RunStatus::TimedOut << "ERR";
    QTest::newRow("endless output") << R"(sh -c "sleep 1000 & exec cat /dev/zero")" << smallCap
                                    << false << RunStatus::OutputCapped << "ERR";
    QTest::newRow("cancel") << forever << RunOptions() << true << RunStatus::Cancelled << "ERR";
}

void ProcessRunnerTest::theWholeProcessGroupEndsWithTheRun()
{
    QFETCH(QString, commandLine);
    QFETCH(RunOptions, options);
    QFETCH(bool, cancel);
    qint64 group = 0;
    const RunResult result = run(commandLine, options, cancel, &group);
    QTEST(result.status, "status");
    QTEST(result.text(), "text");
    QVERIFY(result.output.size() <= options.outputCap);
    QVERIFY(group > 0);
    QTRY_VERIFY_WITH_TIMEOUT(!sessionAlive(group), 10000);
}

QTEST_GUILESS_MAIN(ProcessRunnerTest)
#include "ProcessRunnerTest.moc"
