#include "app/Startup.h"
#include "app/FileCommands.h"
#include "app/Intro.h"
#include "documents/LocalChannel.h"
#include "platform/QtPrompter.h"
#include "settings/FileAssociations.h"
#include "support/MainWindowDriver.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <csignal>

using namespace Quillorn;
using Test::MainWindowDriver;

namespace {

// True once the program takes hand-off connections: by then it handles stop signals.
bool editorListens()
{
    QLocalSocket socket;
    socket.connectToServer(
        LocalChannel::serverName(QStringLiteral("Quillorn"), QStringLiteral("SYSTEM")));
    const bool connected = socket.waitForConnected(100);
    socket.abort();
    return connected;
}

// The real program, copied into the temporary program folder `env` so that it finds its files
// (and writes its settings) there.
bool installProgram(const Test::TestEnvironment& env)
{
    return QFile::copy(QStringLiteral(QUILLORN_PROGRAM), env.path(QStringLiteral("quillorn")));
}

// Runs the program of `env` with `arguments` in `folder` until it takes hand-offs, then sends
// it `signalNumber`; true when it then ended normally.
bool runUntilStopped(const Test::TestEnvironment& env, const QStringList& arguments,
                     const QString& folder, int signalNumber)
{
    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    editor.setProcessEnvironment(environment);
    editor.setWorkingDirectory(folder);
    editor.start(env.path(QStringLiteral("quillorn")), arguments);
    if (!editor.waitForStarted() || !QTest::qWaitFor(editorListens, 60000))
        return false;
    ::kill(static_cast<pid_t>(editor.processId()), signalNumber);
    return editor.waitForFinished(60000) && editor.exitStatus() == QProcess::NormalExit;
}

int openMessageBoxes()
{
    int open = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        open += qobject_cast<QMessageBox*>(top) && top->isVisible() ? 1 : 0;
    return open;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void loadingLabelCycles();
    void splashFadesThenHandsOver();
    void clickEndsTheSplashEarly();
    void stopSignalsRewriteSettings_data();
    void stopSignalsRewriteSettings();
    void commandLineFilesAreKeptWithFullPaths_data();
    void commandLineFilesAreKeptWithFullPaths();
    void optionsAreAnsweredWithoutTheDisplay_data();
    void optionsAreAnsweredWithoutTheDisplay();
    void handedOverFilesWaitForTheOpenPrompt_data();
    void handedOverFilesWaitForTheOpenPrompt();

private:
    // The programs started here hand over through a runtime folder of their own.
    QTemporaryDir m_runtime;
};

void StartupTest::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
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
    Test::TestEnvironment env;
    QVERIFY(installProgram(env));
    QVERIFY(env.writeFile(QStringLiteral("settings.dat"), "language=russian\nphp=/usr/bin/php\n"));
    QVERIFY(runUntilStopped(env, {}, QDir::tempPath(), signalNumber));
    QCOMPARE(
        env.readFile(QStringLiteral("settings.dat")),
        QByteArray(
            "Language=russian\r\nIsHTTPServer=0\r\nPathToHTTPD=\r\n"
            "LastOpened=\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\r\nTidy=true\r\n\r\n\r\n"
            "php=/usr/bin/php\r\n\r\nServerAddress=http://127.0.0.1/\r\n"
            "Folding=1\r\nMatchTags=1\r\nCloseTags=1\r\nAutoCloseTags=0\r\nCheckAfterSave=0\r\n"));
    QVERIFY(QFile::exists(env.path(QStringLiteral("last_session.qlp"))));
}

void StartupTest::commandLineFilesAreKeptWithFullPaths_data()
{
    // The files, named relative to the folder the program starts in, that it opens in order.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("relative name")
        << QStringList{"--no-splash", "page.html"} << QStringList{"page.html"};
    QTest::newRow("several, each as given")
        << QStringList{"--no-splash", "a.html", "sub/b.html", "x.html "}
        << QStringList{"a.html", "sub/b.html", "x.html "};
    QTest::newRow("a name like an option")
        << QStringList{"--no-splash", "--", "--help"} << QStringList{"--help"};
    QTest::newRow("stopped during the splash")
        << QStringList{"page.html"} << QStringList{"page.html"};
}

void StartupTest::commandLineFilesAreKeptWithFullPaths()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, opened);
    Test::TestEnvironment env;
    QVERIFY(installProgram(env));
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir(QStringLiteral("sub")));
    for (const char* name : {"page.html", "a.html", "sub/b.html", "x.html ", "x.html", "--help"}) {
        QFile file(work.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(runUntilStopped(env, arguments, work.path(), SIGTERM));

    // Both the session and the recent list name the files in full, so they still work when
    // the program is next started from another folder.
    QStringList session;
    for (const QString& name : opened)
        session.append(work.filePath(name));
    QCOMPARE(env.readFile(QStringLiteral("last_session.qlp")),
             session.join(QLatin1String("\r\n")).toUtf8());
    const QByteArray newest = "\r\nLastOpened=" + session.last().toUtf8() + "\\\\\\";
    QVERIFY(env.readFile(QStringLiteral("settings.dat")).contains(newest));
    // Once the splash was over, project files open with this copy of the program.
    const QString program = QFileInfo(env.path(QStringLiteral("quillorn"))).canonicalFilePath();
    QVERIFY(FileAssociations(env.appDir(), program).isAssociated(QStringLiteral(".qlp"), true));
}

void StartupTest::optionsAreAnsweredWithoutTheDisplay_data()
{
    // The texts are the command line's; here only where they go. An answer goes to standard
    // output with exit code 0, a refusal to standard error with 2.
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("help") << "--help" << 0 << "Usage: quillorn [options] [file ...]";
    QTest::newRow("version") << "--version" << 0 << "Quillorn " QUILLORN_VERSION;
    QTest::newRow("unknown option") << "--bogus" << 2 << "Unknown option: --bogus";
}

void StartupTest::optionsAreAnsweredWithoutTheDisplay()
{
    QFETCH(QString, option);
    QFETCH(int, exitCode);
    QFETCH(QString, firstLine);
    Test::TestEnvironment env;
    QVERIFY(installProgram(env));
    // A program that reached for the window system here would fail: there is none.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(env.path(QStringLiteral("quillorn")), {option});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QByteArray output = program.readAllStandardOutput();
    const QByteArray error = program.readAllStandardError();
    QCOMPARE(QString::fromUtf8(exitCode == 0 ? output : error).section('\n', 0, 0), firstLine);
    QVERIFY((exitCode == 0 ? error : output).isEmpty());
}

void StartupTest::handedOverFilesWaitForTheOpenPrompt_data()
{
    // The prompt that is open when the files come: the window's own question about closing an
    // unsaved document, or the message about a file handed over before them.
    QTest::addColumn<bool>("behindAQuestion");
    QTest::addColumn<int>("existing");
    QTest::addColumn<int>("missing");
    QTest::addColumn<QString>("message");
    QTest::newRow("one missing, behind a message") << false << 0 << 1 << "File doesn't exist!";
    QTest::newRow("several, behind a question")
        << true << 2 << 3
        << "These files don't exist:\n/nowhere/m0.html\n/nowhere/m1.html\n/nowhere/m2.html";
    QString listed = QStringLiteral("These files don't exist:");
    for (int i = 0; i < 20; ++i)
        listed += QStringLiteral("\n/nowhere/m%1.html").arg(i);
    QTest::newRow("more than twenty, counted")
        << false << 1 << 25 << listed + QStringLiteral("\n...and 5 more");
}

void StartupTest::handedOverFilesWaitForTheOpenPrompt()
{
    QFETCH(bool, behindAQuestion);
    QFETCH(int, existing);
    QFETCH(int, missing);
    QFETCH(QString, message);
    Test::TestEnvironment env;
    QtPrompter prompter;
    AppContext context{env.appDir(), prompter, {}, {}};
    Startup startup(context);
    startup.start({}, false);
    MainWindow* window = startup.mainWindow();
    prompter.setParentWidget(window);
    QStringList opened;
    for (int i = 0; i < existing; ++i) {
        QVERIFY(env.writeFile(QStringLiteral("docs/e%1.html").arg(i), "e"));
        opened.append(env.path(QStringLiteral("docs/e%1.html").arg(i)));
    }
    QStringList requests = opened;
    for (int i = 0; i < missing; ++i)
        requests.append(QStringLiteral("/nowhere/m%1.html").arg(i));

    // The files come while the first prompt is open, and get a chance to be opened inside it
    // (their zero timer is due before the close below); then it closes.
    QString second;
    int mostOpen = 0;
    MainWindowDriver::whenMessageBoxShows([&](QMessageBox* first) {
        for (const QString& path : requests)
            startup.takeRequest(path);
        QTimer::singleShot(10, first, [&, first] {
            mostOpen = openMessageBoxes();
            MainWindowDriver::whenMessageBoxShows([&](QMessageBox* box) {
                mostOpen = std::max(mostOpen, openMessageBoxes());
                second = box->text();
                box->accept();
            });
            first->done(QMessageBox::No);
        });
    });
    if (behindAQuestion) {
        QVERIFY(env.writeFile(QStringLiteral("docs/unsaved.html"), "u"));
        window->files().openDocument(env.path(QStringLiteral("docs/unsaved.html")), false);
        MainWindowDriver::typeText(window->editor(), QStringLiteral("x"));
        window->closeCurrentTab();
    } else {
        startup.takeRequest(QStringLiteral("/nowhere/first.html"));
    }
    QTRY_COMPARE_WITH_TIMEOUT(second, message, 60000);
    QCOMPARE(mostOpen, 1);
    QCOMPARE(window->documents().paths(), opened);
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
