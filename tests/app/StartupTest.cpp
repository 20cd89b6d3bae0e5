#include "app/Startup.h"
#include "app/Intro.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <csignal>

using namespace Quillorn;

class StartupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandLineWinsOverLastSession_data();
    void commandLineWinsOverLastSession();
    void loadingLabelCycles();
    void splashFadesThenHandsOver();
    void clickEndsTheSplashEarly();
    void stopSignalsRewriteSettings_data();
    void stopSignalsRewriteSettings();
};

void StartupTest::commandLineWinsOverLastSession_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<bool>("openLastSession");
    QTest::addColumn<QString>("expected");
    QTest::newRow("path, session on") << "  /tmp/a.html " << true << "/tmp/a.html";
    QTest::newRow("path, session off") << "/tmp/a.html" << false << "/tmp/a.html";
    QTest::newRow("no path, session on") << "" << true << "/app/last_session.qlp";
    QTest::newRow("blank path, session on") << "   " << true << "/app/last_session.qlp";
    QTest::newRow("nothing") << "" << false << "";
}

void StartupTest::commandLineWinsOverLastSession()
{
    QFETCH(QString, commandLine);
    QFETCH(bool, openLastSession);
    QFETCH(QString, expected);
    QCOMPARE(
        Startup::initialOpen(commandLine, openLastSession, QStringLiteral("/app/last_session.qlp")),
        expected);
}

void StartupTest::loadingLabelCycles()
{
    const QStringList expected{QStringLiteral("Loading"),    QStringLiteral("Loading."),
                               QStringLiteral("Loading.."),  QStringLiteral("Loading..."),
                               QStringLiteral("Loading..."), QStringLiteral("Loading")};
    for (int tick = 0; tick < expected.size(); ++tick)
        QCOMPARE(Intro::loadingState(tick), expected.at(tick));
}

void StartupTest::splashFadesThenHandsOver()
{
    Intro intro;
    QCOMPARE(intro.opacity(), Intro::StartOpacity);
    intro.winId();
    QList<int> steps;
    connect(intro.windowHandle(), &QWindow::opacityChanged, &intro,
            [&steps](qreal opacity) { steps.append(qRound(opacity * 255)); });
    QSignalSpy finished(&intro, &Intro::finished);
    intro.show();
    QVERIFY(finished.wait(60000));
    // The window fades in steps of 4 from where it started, and hands over only after it
    // passed the wait threshold.
    QVERIFY(!steps.isEmpty());
    for (int i = 0; i < steps.size(); ++i)
        QCOMPARE(steps.at(i), Intro::StartOpacity + Intro::OpacityStep * (i + 1));
    QVERIFY(steps.last() > Intro::WaitThreshold);
    QVERIFY(steps.last() <= 252);
    QCOMPARE(finished.count(), 1);
    QVERIFY(intro.isFinished());
}

void StartupTest::clickEndsTheSplashEarly()
{
    Intro intro;
    QSignalSpy finished(&intro, &Intro::finished);
    intro.show();
    QVERIFY(QTest::qWaitForWindowExposed(&intro));
    QTest::mouseClick(&intro, Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QTest::keyClick(&intro, Qt::Key_Space);
    QCOMPARE(finished.count(), 1);
}

void StartupTest::stopSignalsRewriteSettings_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void StartupTest::stopSignalsRewriteSettings()
{
    QFETCH(int, signalNumber);
    // The real program, copied into a temporary program folder so that it finds its files
    // (and writes its settings) there.
    Test::TestEnvironment env;
    const QString program = env.path(QStringLiteral("quillorn"));
    QVERIFY(QFile::copy(QStringLiteral(QUILLORN_PROGRAM), program));
    QVERIFY(env.writeFile(QStringLiteral("settings.dat"), "language=russian\nphp=/usr/bin/php\n"));

    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    editor.setProcessEnvironment(environment);
    editor.setWorkingDirectory(QDir::tempPath());
    editor.start(program, {});
    QVERIFY(editor.waitForStarted());
    // The main window is loaded behind the splash at once; give it time to get there.
    QTest::qWait(700);
    ::kill(static_cast<pid_t>(editor.processId()), signalNumber);
    QVERIFY(editor.waitForFinished(5000));
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(env.readFile(QStringLiteral("settings.dat")),
             QByteArray("Language=russian\r\nIsHTTPServer=0\r\nPathToHTTPD=\r\n"
                        "LastOpened=\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\r\nTidy=false\r\n\r\n\r\n"
                        "php=/usr/bin/php\r\n\r\n"));
    QVERIFY(QFile::exists(env.path(QStringLiteral("last_session.qlp"))));
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
