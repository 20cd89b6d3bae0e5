#include "documents/ExternalLauncher.h"
#include "documents/LocalChannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using namespace Quillorn;
using Blocker = ExternalLauncher::Blocker;
using Way = ExternalLauncher::Way;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program that listens on its socket, takes one request and acknowledges it; it runs in a
// thread of its own because the launcher waits for the answer.
class ListeningProgram {
public:
    explicit ListeningProgram(const QString& name)
    {
        m_thread = std::thread([this, name] {
            QLocalServer server;
            QLocalServer::removeServer(name);
            m_listening = server.listen(name);
            m_ready.store(true);
            if (!m_listening || !server.waitForNewConnection(5000))
                return;
            QLocalSocket* socket = server.nextPendingConnection();
            QByteArray request;
            while (!request.contains(LocalChannel::Terminator) && socket->waitForReadyRead(5000))
                request += socket->readAll();
            m_request = QString::fromUtf8(request.left(request.indexOf(LocalChannel::Terminator)));
            socket->write(LocalChannel::acknowledgement());
            socket->waitForBytesWritten(5000);
            socket->disconnectFromServer();
        });
        while (!m_ready.load())
            std::this_thread::yield();
    }
    ~ListeningProgram() { finish(); }
    void finish()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    bool listening() const { return m_listening; }
    QString request() const { return m_request; }

private:
    std::thread m_thread;
    std::atomic<bool> m_ready{false};
    bool m_listening = false;
    QString m_request;
};

} // namespace

class ExternalLauncherTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void documentMustBeOpenAndSaved_data();
    void documentMustBeOpenAndSaved();
    void everyPlaceholderTakesThePath();
    void listeningProgramGetsTheRequest();
    void withoutListenerTheProgramIsStarted();
    void missingProgramIsReported_data();
    void missingProgramIsReported();
};

void ExternalLauncherTest::documentMustBeOpenAndSaved_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<std::optional<Str>>("message");
    QTest::newRow("nothing open") << false << true << std::optional(Str::OpenFileFirst);
    QTest::newRow("nothing open, unsaved") << false << false << std::optional(Str::OpenFileFirst);
    QTest::newRow("unsaved") << true << false << std::optional(Str::SaveFileFirst);
    QTest::newRow("ready") << true << true << std::optional<Str>();
}

void ExternalLauncherTest::documentMustBeOpenAndSaved()
{
    QFETCH(bool, shown);
    QFETCH(bool, saved);
    QFETCH(std::optional<Str>, message);
    QCOMPARE(ExternalLauncher::blockerMessage(ExternalLauncher::blocker(shown, saved)), message);
}

void ExternalLauncherTest::everyPlaceholderTakesThePath()
{
    QCOMPARE(ExternalLauncher::requestText(QStringLiteral("[open(\"%1\")][show(\"%1\")]"),
                                           QStringLiteral("/w/a.html")),
             QStringLiteral("[open(\"/w/a.html\")][show(\"/w/a.html\")]"));
    QCOMPARE(ExternalLauncher::workingFolder(QStringLiteral("/w/site/a.html")),
             QStringLiteral("/w/site/"));
    QCOMPARE(ExternalLauncher::workingFolder(QStringLiteral("C:\\site\\a.html")),
             QStringLiteral("C:\\site\\"));
}

void ExternalLauncherTest::listeningProgramGetsTheRequest()
{
    const QString topic = QStringLiteral("WWW_OpenURL%1").arg(QCoreApplication::applicationPid());
    // Names are matched without regard to case, as the desktop's were.
    ListeningProgram program(LocalChannel::serverName(QStringLiteral("browser"), topic.toLower()));
    QVERIFY(program.listening());
    ExternalProgram browser{QStringLiteral("Browser"), QStringLiteral("\"%1\",,0"),
                            QStringLiteral("Browser"), QStringLiteral("/nonexistent/browser"),
                            topic};
    const ExternalLauncher::Result result =
        ExternalLauncher::open(browser, QStringLiteral("/w/my page.html"));
    program.finish();
    QCOMPARE(result.way, Way::Request);
    QCOMPARE(program.request(), QStringLiteral("\"/w/my page.html\",,0"));
}

void ExternalLauncherTest::withoutListenerTheProgramIsStarted()
{
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("viewer"));
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\npwd > \"$1.folder\"\necho $# > \"$1.count\"\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("site dir")));
    const QString document = dir.filePath(QStringLiteral("site dir/my page.html"));

    ExternalProgram viewer{QStringLiteral("Viewer"), QStringLiteral("%1"),
                           QStringLiteral("NobodyListens"), script, QStringLiteral("view")};
    const ExternalLauncher::Result result = ExternalLauncher::open(viewer, document);
    QCOMPARE(result.way, Way::Started);
    QTRY_VERIFY(QFile::exists(document + QLatin1String(".count")));
    QTRY_COMPARE(contents(document + QLatin1String(".count")), QByteArray("1\n"));
    QCOMPARE(contents(document + QLatin1String(".folder")),
             QFile::encodeName(dir.filePath(QStringLiteral("site dir"))) + "\n");
}

void ExternalLauncherTest::missingProgramIsReported_data()
{
    QTest::addColumn<QString>("programPath");
    QTest::newRow("not there") << "/nonexistent/editor";
    QTest::newRow("none set") << "";
}

void ExternalLauncherTest::missingProgramIsReported()
{
    QFETCH(QString, programPath);
    ExternalProgram program{QStringLiteral("Gone"), QStringLiteral("%1"), QString(), programPath,
                            QString()};
    const ExternalLauncher::Result result =
        ExternalLauncher::open(program, QStringLiteral("/w/a.html"));
    QCOMPARE(result.way, Way::Failed);
    QCOMPARE(result.subject, programPath.trimmed().isEmpty() ? program.name : programPath);
}

QTEST_GUILESS_MAIN(ExternalLauncherTest)
#include "ExternalLauncherTest.moc"
