#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "app/RecoveryKeeper.h"
#include "documents/RecoveryStore.h"
#include "side/CompareWindow.h"
#include "support/MainWindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QPointer>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <iostream>

using namespace Quillorn;

// Unsaved work outliving the editor: copies kept while it runs, offered back after a kill.
namespace {

using Fixture = Test::AppFixture;
using Test::MainWindowDriver;

const QByteArray TitledBytes = QByteArrayLiteral("caf\xC3\xA9\r\n\x00 end\r\n");
const QString TypedIntoTitled = QStringLiteral("Привет ");
const QString TypedIntoUntitled = QStringLiteral("new text");

QString recoveryFolder(const Fixture& fixture)
{
    return RecoveryStore::folderFor(fixture.env.appDir());
}

int keptCopies(const QString& folder)
{
    int count = 0;
    QDirIterator copies(folder, {QStringLiteral("*.copy")}, QDir::Files,
                        QDirIterator::Subdirectories);
    for (; copies.hasNext(); copies.next())
        ++count;
    return count;
}

// The editor that gets killed, in the program folder `appDir`: it edits the file `path` and a
// new document, and says "ready" once both changes are kept.
int runEditorToKill(const QString& appDir, const QString& path)
{
    Test::ScriptedPrompter prompter;
    AppContext context{appDir, prompter, {}, {}};
    MainWindow window(context);
    if (!MainWindowDriver::show(window))
        return 1;
    window.files().openDocument(path, false);
    MainWindowDriver::typeText(window.editor(), TypedIntoTitled);
    window.newTab(QStringLiteral("unknown.html"), {});
    window.loadDocument({});
    MainWindowDriver::typeText(window.editor(), TypedIntoUntitled);
    const QString folder = RecoveryStore::folderFor(appDir);
    if (!QTest::qWaitFor([&] { return keptCopies(folder) == 2; }, 60000))
        return 1;
    std::cout << "ready" << std::endl;
    return QApplication::exec();
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedEditorsWorkIsOffered_data();
    void killedEditorsWorkIsOffered();
    void damagedAndLiveCopiesAreNotOffered();
    void copiesFollowSavesAndCleanExit();
};

void RecoveryTest::killedEditorsWorkIsOffered_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("reopened") << true;
    QTest::newRow("declined") << false;
}

void RecoveryTest::killedEditorsWorkIsOffered()
{
    QFETCH(bool, accept);
    Fixture fixture;
    const QString path = fixture.document(QStringLiteral("page.html"), TitledBytes);

    QProcess killed;
    killed.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--edit"), fixture.env.appDir(), path});
    QVERIFY(killed.waitForStarted());
    QVERIFY(QTest::qWaitFor(
        [&] { return killed.canReadLine() || killed.state() == QProcess::NotRunning; }, 120000));
    QCOMPARE(killed.readLine().trimmed(), QByteArray("ready"));
    ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
    QVERIFY(killed.waitForFinished());

    fixture.prompter.expectYesNo(path + QStringLiteral("\nunknown.html"), accept);
    MainWindow window(fixture.context);
    window.init({});
    QVERIFY2(fixture.prompter.finished(), qPrintable(fixture.prompter.errors()));
    if (!accept) {
        QCOMPARE(window.documents().usedCount(), 0);
        QCOMPARE(keptCopies(recoveryFolder(fixture)), 0);
        return;
    }
    QCOMPARE(window.documents().usedCount(), 2);
    window.activateSlot(0);
    QCOMPARE(window.currentDocument().path(), path);
    QVERIFY(!window.currentDocument().isSaved());
    // What the kept copy changed, against the file on disk: the first line.
    auto* compare = window.findChild<QAction*>(QStringLiteral("CompareWithDisk"));
    compare->trigger();
    QPointer<CompareWindow> differences = window.findChild<CompareWindow*>();
    QVERIFY(differences && differences->isVisible());
    QCOMPARE(differences->listing().split(u'\n').mid(0, 3),
             QStringList({"1   - caf\u00e9", "  1 + " + TypedIntoTitled + "caf\u00e9",
                          "2 2   " + QString(QChar(0)) + " end"}));
    // Saved in the encoding it was opened in, byte for byte.
    QVERIFY(window.files().save());
    QCOMPARE(MainWindowDriver::fileBytes(path), TypedIntoTitled.toUtf8() + TitledBytes);
    fixture.prompter.expectMessage(QStringLiteral("the same as the file on disk"));
    compare->trigger();
    QVERIFY2(fixture.prompter.finished(), qPrintable(fixture.prompter.errors()));
    QTRY_VERIFY(!differences);
    window.activateSlot(1);
    QCOMPARE(window.documents()[1].name, QStringLiteral("unknown.html"));
    QCOMPARE(window.currentDocument().bytes(), TypedIntoUntitled.toUtf8());
    QVERIFY(!window.currentDocument().isSaved());
    // The reopened documents are kept again, by this editor now, until saved.
    QCOMPARE(keptCopies(recoveryFolder(fixture)), 1);
    QVERIFY(RecoveryStore(recoveryFolder(fixture)).findLeftBehind().folders.isEmpty());
}

void RecoveryTest::damagedAndLiveCopiesAreNotOffered()
{
    Fixture fixture;
    // A running editor's copies are its own.
    RecoveryStore running(recoveryFolder(fixture));
    QVERIFY(running.keep(7, {QStringLiteral("live.html"), {}, 0, {}, 0, "live"}).ok());
    const QString ended = recoveryFolder(fixture) + QStringLiteral("/ENDED");
    QVERIFY(QDir().mkpath(ended));
    const QByteArray good =
        RecoveryStore::encode({QStringLiteral("kept.css"), {}, 2, {}, 0, "b{}"});
    // An empty copy, a whole one and one cut short.
    const QList<QByteArray> copies{{}, good, good.chopped(1)};
    for (qsizetype i = 0; i < copies.size(); ++i) {
        QFile copy(ended + QStringLiteral("/%1.copy").arg(i + 1));
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(copies[i]);
    }

    fixture.prompter.expectMessage(QStringLiteral("1.copy\n") + ended + QStringLiteral("/3.copy"),
                                   Prompter::Icon::Exclamation);
    fixture.prompter.expectYesNo(QStringLiteral(":\nkept.css\nReopen"), true);
    MainWindow window(fixture.context);
    window.init({});
    QVERIFY2(fixture.prompter.finished(), qPrintable(fixture.prompter.errors()));
    QCOMPARE(window.documents().usedCount(), 1);
    QCOMPARE(window.currentDocument().bytes(), QByteArray("b{}"));
    QVERIFY(!QFileInfo::exists(ended));
}

void RecoveryTest::copiesFollowSavesAndCleanExit()
{
    Fixture fixture;
    const QString path = fixture.document(QStringLiteral("a.js"), "x\n");
    MainWindow window(fixture.context);
    QVERIFY(MainWindowDriver::show(window));
    window.files().openDocument(path, false);
    MainWindowDriver::typeText(window.editor(), QStringLiteral("y"));
    QTRY_COMPARE_WITH_TIMEOUT(keptCopies(recoveryFolder(fixture)), 1, 30000);
    QVERIFY(window.files().save());
    QCOMPARE(keptCopies(recoveryFolder(fixture)), 0);
    MainWindowDriver::typeText(window.editor(), QStringLiteral("z"));
    QTRY_COMPARE_WITH_TIMEOUT(keptCopies(recoveryFolder(fixture)), 1, 30000);
    fixture.prompter.expectSave(QString(), Prompter::SaveChoice::Discard);
    QVERIFY(window.close());
    QVERIFY2(fixture.prompter.finished(), qPrintable(fixture.prompter.errors()));
    QCOMPARE(QDir(recoveryFolder(fixture)).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList());
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--edit") == 0)
        return runEditorToKill(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RecoveryTest.moc"
