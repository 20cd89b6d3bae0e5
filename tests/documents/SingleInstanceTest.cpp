#include "documents/SingleInstance.h"
#include "documents/LocalChannel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace Quillorn;

namespace {

// Besides the tests, this program plays the editor in a process of its own:
//   --serve APP     listen as the running editor, print "OPEN <path>" per request
//   --handoff APP PATH   hand PATH on, exit 0 when a running editor took it
int runAsHelper(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    SingleInstance instance(args.value(2), QStringLiteral("SYSTEM"));
    if (mode == QLatin1String("--handoff"))
        return instance.handOff(args.value(3)) ? 0 : 1;
    if (!instance.listen()) {
        std::printf("BUSY\n");
        return 2;
    }
    QObject::connect(&instance, &SingleInstance::openRequested, &app, [](const QString& path) {
        std::printf("OPEN %s\n", path.toUtf8().toPercentEncoding("/ ").constData());
        std::fflush(stdout);
    });
    std::printf("LISTENING\n");
    std::fflush(stdout);
    return app.exec();
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void pathIsHandedToTheRunningEditor_data();
    void pathIsHandedToTheRunningEditor();
    void relativePathIsMadeAbsolute();
    void secondEditorLeavesTheLiveSocketAlone();
    void crashedEditorDoesNotBlockTheNextStart();
    void nothingRunningMeansStartNormally();
    void hungEditorDoesNotHoldUpTheStart();

private:
    bool startServer();
    QString readLine(int timeoutMs = 5000);

    QString m_application;
    std::unique_ptr<QProcess> m_server;
};

void SingleInstanceTest::init()
{
    static int round = 0;
    m_application =
        QStringLiteral("QuillornTest%1-%2").arg(QCoreApplication::applicationPid()).arg(++round);
}

void SingleInstanceTest::cleanup()
{
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
                    {QStringLiteral("--serve"), m_application});
    return m_server->waitForStarted() && readLine() == QLatin1String("LISTENING");
}

QString SingleInstanceTest::readLine(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_server->canReadLine() && timer.elapsed() < timeoutMs)
        m_server->waitForReadyRead(100);
    return QString::fromUtf8(QByteArray::fromPercentEncoding(m_server->readLine().trimmed()));
}

void SingleInstanceTest::pathIsHandedToTheRunningEditor_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/home/user/site/index.html";
    QTest::newRow("blanks and Unicode") << QStringLiteral("/home/user/мой сайт/日本.html");
    QTest::newRow("line break in the name") << "/tmp/odd\nname.html";
}

void SingleInstanceTest::pathIsHandedToTheRunningEditor()
{
    QFETCH(QString, path);
    QVERIFY(startServer());
    QProcess second;
    second.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--handoff"), m_application, path});
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitCode(), 0);
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
    QVERIFY(second.handOff(QStringLiteral("/w/still.html")));
    QCOMPARE(readLine(), QStringLiteral("OPEN /w/still.html"));
}

void SingleInstanceTest::crashedEditorDoesNotBlockTheNextStart()
{
    QVERIFY(startServer());
    m_server->kill();
    QVERIFY(m_server->waitForFinished());
    SingleInstance next(m_application, QStringLiteral("SYSTEM"));
    QVERIFY(QFile::exists(next.serverName())); // the crashed editor's socket is still there
    QVERIFY(!next.handOff(QStringLiteral("/w/a.html")));
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
    QVERIFY(!first.handOff(QStringLiteral("/w/a.html")));
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
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!start.handOff(QStringLiteral("/w/a.html"), 300));
    QVERIFY(timer.elapsed() < 3000);
    // And the live server's socket is not taken over.
    QVERIFY(!start.listen());
    QVERIFY(hung.isListening());
}

int main(int argc, char** argv)
{
    if (argc > 1 && (qstrcmp(argv[1], "--serve") == 0 || qstrcmp(argv[1], "--handoff") == 0))
        return runAsHelper(argc, argv);
    QCoreApplication app(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SingleInstanceTest.moc"
