#include "documents/SingleInstance.h"
#include "documents/LocalChannel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace Quillorn;

namespace {

// Besides the tests, this program plays the editor in a process of its own:
//   --start APP [PATH...]    start as the program does: hand the paths over and exit 0, or
//                            become the running editor, which prints "LISTENING", then
//                            "OPEN <path>" per file handed over and "ACTIVATE" per start
//                            without files
//   --handoff APP [PATH...]  only hand the paths over: exit 0 when a running editor took them
int runAsHelper(int argc, char** argv)
{
    QStringList paths;
    for (int i = 3; i < argc; ++i)
        paths.append(QString::fromLocal8Bit(argv[i]));
    SingleInstance instance(QString::fromLocal8Bit(argv[2]), QStringLiteral("SYSTEM"));
    {
        // The program decides before it reaches the window system, then makes its real
        // application object: the lock has to bridge that gap.
        QCoreApplication probe(argc, argv);
        if (instance.handOff(paths).done)
            return 0;
        if (qstrcmp(argv[1], "--handoff") == 0)
            return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!instance.listen())
        return 3;
    const auto print = [](const QByteArray& line) {
        std::printf("%s\n", line.constData());
        std::fflush(stdout);
    };
    QObject::connect(&instance, &SingleInstance::openRequested, &app, [print](const QString& path) {
        print("OPEN " + path.toUtf8().toPercentEncoding("/"));
    });
    QObject::connect(&instance, &SingleInstance::activationRequested, &app,
                     [print] { print("ACTIVATE"); });
    print("LISTENING");
    return app.exec();
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void pathIsHandedToTheRunningEditor_data();
    void pathIsHandedToTheRunningEditor();
    void relativePathIsMadeAbsolute();
    void secondEditorLeavesTheLiveSocketAlone();
    void crashedEditorDoesNotBlockTheNextStart();
    void nothingRunningMeansStartNormally();
    void hungEditorDoesNotHoldUpTheStart();
    void simultaneousStartsMakeOneEditor();
    void untrustedSocketFolderMeansNoHandOff_data();
    void untrustedSocketFolderMeansNoHandOff();

private:
    bool startServer();
    QString readLine(int timeoutMs = 5000);

    QString m_application;
    std::unique_ptr<QProcess> m_server;
    QByteArray m_runtimeFolder;
    QByteArray m_tempFolder;
};

void SingleInstanceTest::initTestCase()
{
    m_runtimeFolder = qgetenv("XDG_RUNTIME_DIR");
    m_tempFolder = qgetenv("TMPDIR");
}

void SingleInstanceTest::init()
{
    static int round = 0;
    m_application =
        QStringLiteral("QuillornTest%1-%2").arg(QCoreApplication::applicationPid()).arg(++round);
}

void SingleInstanceTest::cleanup()
{
    qputenv("XDG_RUNTIME_DIR", m_runtimeFolder);
    qputenv("TMPDIR", m_tempFolder);
    if (m_server) {
        m_server->kill();
        m_server->waitForFinished();
        m_server.reset();
    }
}

bool SingleInstanceTest::startServer()
{
    m_server = std::make_unique<QProcess>();
    m_server->start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--start"), m_application});
    return m_server->waitForStarted() && readLine() == QLatin1String("LISTENING");
}

QString SingleInstanceTest::readLine(int timeoutMs)
{
    // Waits for the line itself; the deadline only keeps a dead server from hanging the test.
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_server->canReadLine() && !deadline.hasExpired())
        m_server->waitForReadyRead(int(deadline.remainingTime()));
    return QString::fromUtf8(QByteArray::fromPercentEncoding(m_server->readLine().trimmed()));
}

void SingleInstanceTest::pathIsHandedToTheRunningEditor_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("plain") << QStringList{"/home/user/site/index.html"};
    QTest::newRow("blanks and Unicode")
        << QStringList{QStringLiteral("/home/user/мой сайт/日本.html")};
    QTest::newRow("line break in the name") << QStringList{"/tmp/odd\nname.html"};
    QTest::newRow("several, each as given")
        << QStringList{"/w/a.html", "/w/b.html", "/w/x.html ", "/w/--help"};
    QTest::newRow("none: the editor comes to the front") << QStringList();
}

void SingleInstanceTest::pathIsHandedToTheRunningEditor()
{
    QFETCH(QStringList, paths);
    QVERIFY(startServer());
    QProcess second;
    second.start(QCoreApplication::applicationFilePath(),
                 QStringList{QStringLiteral("--handoff"), m_application} + paths);
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitCode(), 0);
    if (paths.isEmpty())
        QCOMPARE(readLine(), QStringLiteral("ACTIVATE"));
    for (const QString& path : paths)
        QCOMPARE(readLine(), QStringLiteral("OPEN ") + path);
}

void SingleInstanceTest::relativePathIsMadeAbsolute()
{
    QVERIFY(startServer());
    QTemporaryDir dir;
    QProcess second;
    second.setWorkingDirectory(dir.path());
    second.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--handoff"), m_application, QStringLiteral("site/page.html")});
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(readLine(), QStringLiteral("OPEN ") + dir.filePath(QStringLiteral("site/page.html")));
}

void SingleInstanceTest::secondEditorLeavesTheLiveSocketAlone()
{
    QVERIFY(startServer());
    SingleInstance second(m_application, QStringLiteral("SYSTEM"));
    QVERIFY(!second.listen());
    QVERIFY(!second.isListening());
    // The first editor still takes requests.
    QVERIFY(second.handOff({QStringLiteral("/w/still.html")}).done);
    QCOMPARE(readLine(), QStringLiteral("OPEN /w/still.html"));
}

void SingleInstanceTest::crashedEditorDoesNotBlockTheNextStart()
{
    QVERIFY(startServer());
    m_server->kill();
    QVERIFY(m_server->waitForFinished());
    SingleInstance next(m_application, QStringLiteral("SYSTEM"));
    QVERIFY(QFile::exists(next.serverName())); // the crashed editor's socket is still there
    QVERIFY(!next.handOff({QStringLiteral("/w/a.html")}).done);
    QVERIFY(next.listen());

    QSignalSpy opened(&next, &SingleInstance::openRequested);
    QProcess third;
    third.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--handoff"), m_application, QStringLiteral("/w/b.html")});
    QVERIFY(opened.wait(5000));
    QCOMPARE(opened.first().first().toString(), QStringLiteral("/w/b.html"));
    QVERIFY(third.waitForFinished(5000));
    QCOMPARE(third.exitCode(), 0);
}

void SingleInstanceTest::nothingRunningMeansStartNormally()
{
    SingleInstance first(m_application, QStringLiteral("SYSTEM"));
    QVERIFY(!first.handOff({QStringLiteral("/w/a.html")}).done);
    QVERIFY(first.listen());
    QVERIFY(first.listen()); // asking again changes nothing
}

void SingleInstanceTest::hungEditorDoesNotHoldUpTheStart()
{
    // A server that takes connections but never answers (its event loop is stuck).
    const QString name = LocalChannel::serverName(m_application, QStringLiteral("SYSTEM"));
    QLocalServer::removeServer(name);
    QLocalServer hung;
    QVERIFY(hung.listen(name));
    SingleInstance start(m_application, QStringLiteral("SYSTEM"));
    // The request goes unanswered: this start keeps its file and runs on its own...
    const SingleInstance::HandOff handOff = start.handOff({QStringLiteral("/w/a.html")}, 300);
    QVERIFY(!handOff.done);
    QCOMPARE(handOff.left, QStringList{"/w/a.html"});
    // ...without taking the live server's socket over.
    QVERIFY(!start.listen());
    QVERIFY(hung.isListening());
}

void SingleInstanceTest::simultaneousStartsMakeOneEditor()
{
    constexpr int Starts = 8;
    std::vector<std::unique_ptr<QProcess>> starts;
    for (int i = 0; i < Starts; ++i) {
        starts.push_back(std::make_unique<QProcess>());
        starts.back()->start(QCoreApplication::applicationFilePath(),
                             {"--start", m_application, QStringLiteral("/w/%1.html").arg(i)});
    }
    // Every start but one hands its file over and ends; the one left is the editor.
    const auto running = [&starts] {
        return std::count_if(starts.begin(), starts.end(),
                             [](const auto& p) { return p->state() != QProcess::NotRunning; });
    };
    QTRY_COMPARE_WITH_TIMEOUT(running(), 1, 30000);
    QSet<QString> expected{QStringLiteral("LISTENING")};
    QProcess* editor = nullptr;
    for (int i = 0; i < Starts; ++i) {
        if (starts[i]->state() != QProcess::NotRunning) {
            editor = starts[i].get();
            continue;
        }
        QCOMPARE(starts[i]->exitCode(), 0);
        expected.insert(QStringLiteral("OPEN /w/%1.html").arg(i));
    }
    QByteArray output;
    const auto received = [&] {
        output += editor->readAllStandardOutput();
        const QStringList lines = QString::fromUtf8(output).split('\n', Qt::SkipEmptyParts);
        return QSet<QString>(lines.begin(), lines.end());
    };
    QTRY_COMPARE_WITH_TIMEOUT(received(), expected, 10000);
}

void SingleInstanceTest::untrustedSocketFolderMeansNoHandOff_data()
{
    // Without a runtime folder the socket goes into a folder of ours in the shared temporary
    // folder, where anyone may have made that name first.
    QTest::addColumn<QString>("found");
    QTest::addColumn<bool>("trusted");
    QTest::newRow("nothing: made by us") << "nothing" << true;
    QTest::newRow("ours, open to others") << "open" << false;
    QTest::newRow("a link to a private folder") << "link" << false;
    QTest::newRow("another user's") << "foreign" << false;
}

void SingleInstanceTest::untrustedSocketFolderMeansNoHandOff()
{
    QFETCH(QString, found);
    QFETCH(bool, trusted);
    if (found == QLatin1String("foreign") && ::getuid() != 0)
        QSKIP("only the superuser can make a folder for another user");
    QTemporaryDir temp;
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QString folder = temp.filePath(QStringLiteral("quillorn-%1").arg(::getuid()));
    const QByteArray native = QFile::encodeName(folder);
    const QString made = found == QLatin1String("link") ? temp.filePath("real") : folder;
    if (found != QLatin1String("nothing"))
        QCOMPARE(::mkdir(QFile::encodeName(made).constData(), 0700), 0);
    if (found == QLatin1String("open"))
        QCOMPARE(::chmod(native.constData(), 0777), 0);
    if (found == QLatin1String("foreign"))
        QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
    if (found == QLatin1String("link"))
        QVERIFY(QFile::link(made, folder));

    SingleInstance start(m_application, QStringLiteral("SYSTEM"));
    const SingleInstance::HandOff handOff = start.handOff({QStringLiteral("/w/a.html")});
    QVERIFY(!handOff.done);
    QCOMPARE(handOff.left, QStringList{"/w/a.html"});
    QCOMPARE(start.listen(), trusted);
    struct stat info;
    QCOMPARE(::lstat(native.constData(), &info), 0);
    if (trusted) {
        QCOMPARE(QFileInfo(start.serverName()).path(), folder);
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
    } else {
        // The start runs on its own and puts nothing in a folder it does not trust.
        QVERIFY(start.serverName().isEmpty());
        QVERIFY(QDir(made).isEmpty());
    }
}

int main(int argc, char** argv)
{
    if (argc > 2 && (qstrcmp(argv[1], "--start") == 0 || qstrcmp(argv[1], "--handoff") == 0))
        return runAsHelper(argc, argv);
    QCoreApplication app(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SingleInstanceTest.moc"
