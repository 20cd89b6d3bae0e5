#include "settings/PluginHost.h"
#include "app/MainWindow.h"
#include "support/MainWindowDriver.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace Quillorn;

// Plug-ins on a real main window: the shipped samples and a plug-in made for the tests, built
// as the program builds them, and programs run for real.
class PluginHostTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void entryRunsItsPlugin_data();
    void entryRunsItsPlugin();
    void entriesFollowTheSettings();
};

namespace {

struct Session {
    Test::AppFixture f;
    MainWindow window{f.context};

    // The shipped and the test plug-ins in the program folder, and a program that fails.
    bool installPlugins()
    {
        const QString shipped = QStringLiteral(QUILLORN_PLUGIN_DIR "/");
        const QString tests = QStringLiteral(QUILLORN_TEST_PLUGIN_DIR "/");
        const QStringList files{shipped + "tagstrip.so", shipped + "wordcount.so",
                                shipped + "sort-lines", tests + "testplugin.so",
                                tests + "noentry.so"};
        for (const QString& file : files) {
            if (!QFile::copy(file, f.env.path("plug-ins/" + QFileInfo(file).fileName())))
                return false;
        }
        return f.env.writeFile("plug-ins/broken", "#!/bin/sh\necho 'no luck' >&2\nexit 3\n") &&
               QFile::setPermissions(f.env.path("plug-ins/broken"),
                                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool open(const QByteArray& bytes)
    {
        if (!Test::MainWindowDriver::show(window) || !installPlugins())
            return false;
        Test::MainWindowDriver::openThroughDialog(f, window, f.document("page.html", bytes));
        return window.currentDocument().bytes() == bytes;
    }
    void usePlugins(const QStringList& lines)
    {
        f.context.settings.plugIns = lines;
        window.applySettings();
    }
    // Chooses entry `index` from the menu and waits until its run has ended.
    bool choose(int index)
    {
        QSignalSpy finished(&window.plugins(), &PluginHost::finished);
        window.plugins().entry(index)->trigger();
        return !finished.isEmpty() || finished.wait(60000);
    }
    QStringList captions() const
    {
        QStringList shown;
        for (const QAction* action : window.menus().plugIns->actions()) {
            if (action->isVisible())
                shown << action->text();
        }
        return shown;
    }
};

} // namespace

void PluginHostTest::entryRunsItsPlugin_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("expectedCaret");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<bool>("inProcess");

    const QByteArray page = "<p>Fish &amp; <b>chips</b> &#1046;</p>\n<script>if (a<b) x = '<p>';"
                            "</script>\n\n\n<!-- end -->Bye";
    QTest::newRow("tag stripper keeps the text, the caret in it")
        << "tagstrip\\\\\\tagstrip.so" << page << int(page.indexOf("chips") + 2)
        << QByteArray("Fish & chips \xD0\x96\n\nBye") << 9 << QString() << true;
    const QByteArray twoLines = "<p>Hello, wide world</p>\r\n<!-- a note --><p>Bye &amp; 2</p>";
    const QByteArray count = "<!-- Words: 5, characters: 57, lines: 2 -->";
    QTest::newRow("word counter writes behind the tag the caret is in")
        << "wordcount\\\\\\wordcount.so" << twoLines << 1 << QByteArray(twoLines).insert(3, count)
        << int(3 + count.size()) << QString() << true;
    QTest::newRow("a result the plug-in keeps back leaves the text")
        << "keep\\\\\\testplugin.so" << QByteArray("text") << 2 << QByteArray("text") << 2
        << QString() << true;
    QTest::newRow("object made once the library registered itself")
        << "late\\\\\\testplugin.so" << QByteArray("text") << 0 << QByteArray("late") << 0
        << QString() << true;
    QTest::newRow("plug-in reporting an error")
        << "fail\\\\\\testplugin.so" << QByteArray("text") << 1 << QByteArray("text") << 1
        << "Error in plugin" << true;
    QTest::newRow("missing library") << "gone\\\\\\gone.so" << QByteArray("text") << 1
                                     << QByteArray("text") << 1 << "Error in plugin" << false;
    QTest::newRow("library without the entry points")
        << "noentry\\\\\\noentry.so" << QByteArray("text") << 1 << QByteArray("text") << 1
        << "Error in plugin" << false;
    QTest::newRow("program's output replaces the text")
        << "Sort\\\\\\sort-lines" << QByteArray("pear\r\nItem10\r\napple\r\nitem2\r\n") << 3
        << QByteArray("apple\r\nitem2\r\nItem10\r\npear\r\n") << 3 << QString() << false;
    QTest::newRow("program ending with an error leaves the text")
        << "Broken\\\\\\broken" << QByteArray("text") << 1 << QByteArray("text") << 1
        << "Error in plugin\n\nno luck" << false;
}

void PluginHostTest::entryRunsItsPlugin()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, text);
    QFETCH(int, caret);
    QFETCH(QByteArray, expected);
    QFETCH(int, expectedCaret);
    QFETCH(QString, message);
    QFETCH(bool, inProcess);
    Session s;
    QVERIFY(s.open(text));
    CurrentDocument& document = s.window.currentDocument();
    document.setCaretPosition(caret);
    s.usePlugins({line});
    QCOMPARE(s.window.plugins().count(), 1);
    QVERIFY(s.window.menus().mplug->isVisible());

    if (!message.isEmpty())
        s.f.prompter.expectMessage(message, Prompter::Icon::Exclamation);
    QSignalSpy aboutToRun(&s.window.plugins(), &PluginHost::aboutToRunInProcess);
    QVERIFY(s.choose(0));
    QVERIFY2(s.f.prompter.finished(), qPrintable(s.f.prompter.errors()));
    QCOMPARE(aboutToRun.count(), inProcess ? 1 : 0);
    QCOMPARE(document.bytes(), expected);
    QCOMPARE(document.caretPosition(), expectedCaret);
    // A change is one step that Undo takes back.
    s.window.menus().undo->trigger();
    QCOMPARE(document.bytes(), text);
}

void PluginHostTest::entriesFollowTheSettings()
{
    Session s;
    QVERIFY(s.open("x"));
    const QString count = QStringLiteral("count\\\\\\testplugin.so");
    s.usePlugins({count, count, QStringLiteral("Sort\\\\\\sort-lines"),
                  QStringLiteral("a line without a file")});
    QCOMPARE(s.captions(), QStringList({"count (english)", "count (english)", "Sort"}));
    // Two lines for one library: two objects, each counting its own runs.
    QVERIFY(s.choose(0));
    QVERIFY(s.choose(0));
    QVERIFY(s.choose(1));
    QCOMPARE(s.window.currentDocument().bytes(), QByteArray("x121"));

    // Another language: new captions for the same objects.
    s.f.context.settings.language = QStringLiteral("russian");
    s.window.applySettings();
    QCOMPARE(s.captions(), QStringList({"count (russian)", "count (russian)", "Sort"}));
    QVERIFY(s.choose(1));
    QCOMPARE(s.window.currentDocument().bytes(), QByteArray("x1212"));

    // Fewer lines: the entries of the others go, and the first one hides once none is left.
    s.usePlugins({QStringLiteral("Sort\\\\\\sort-lines")});
    QCOMPARE(s.captions(), QStringList({"Sort"}));
    QCOMPARE(s.window.menus().plugIns->actions().size(), 1);
    s.usePlugins({});
    QCOMPARE(s.captions(), QStringList());
    QCOMPARE(s.window.plugins().count(), 0);
    QCOMPARE(s.window.plugins().entry(0), nullptr);
    QVERIFY2(s.f.prompter.finished(), qPrintable(s.f.prompter.errors()));
}

QTEST_MAIN(PluginHostTest)
#include "PluginHostTest.moc"
