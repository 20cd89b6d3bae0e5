#include "app/MainWindow.h"
#include "app/CaptionTable.h"
#include "platform/QtPrompter.h"
#include "support/MainWindowDriver.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace Quillorn;

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionsFollowTheLanguage_data();
    void captionsFollowTheLanguage();
    void missingLanguageKeepsCreatedCaptions();
    void promptButtonsFollowTheLanguage_data();
    void promptButtonsFollowTheLanguage();
    void closingRewritesSettingsAndSession();
    void recentMenuStopsAtTheFirstEmptySlot();
    void settingsEnableTheirMenus();
    void damagedSettingsStartWithDefaults();

private:
    using Fixture = Test::AppFixture;
};

void MainWindowTest::captionsFollowTheLanguage_data()
{
    QTest::addColumn<QByteArray>("languageLine");
    QTest::addColumn<QString>("language");
    QTest::newRow("empty is english") << QByteArray("Language=\r\n") << "english";
    QTest::newRow("russian") << QByteArray("language=russian\r\n") << "russian";
}

void MainWindowTest::captionsFollowTheLanguage()
{
    QFETCH(QByteArray, languageLine);
    QFETCH(QString, language);
    Fixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"), languageLine));
    MainWindow window(f.context);

    LangStrings expected;
    QVERIFY(
        expected.load(f.env.path(QStringLiteral("languages/%1/main.lng").arg(language)), language));
    for (const CaptionTable::Entry& entry : CaptionTable::entries()) {
        QObject* target = window.findChild<QObject*>(QLatin1String(entry.control));
        QVERIFY2(target, entry.control);
        QString caption;
        if (auto* menu = qobject_cast<QMenu*>(target))
            caption = menu->title();
        else if (auto* action = qobject_cast<QAction*>(target))
            caption = action->text();
        else
            caption = target->property("text").toString();
        QCOMPARE(caption, expected.value(entry.string) + QLatin1String(entry.suffix));
    }
    QVERIFY(window.windowTitle().startsWith(QLatin1String("Quillorn")));
    QCOMPARE(f.context.settings.language, language);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowTest::missingLanguageKeepsCreatedCaptions()
{
    Fixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"), "Language=klingon\r\n"));
    MainWindow window(f.context);
    QCOMPARE(window.menus().menu1->title(), QStringLiteral("Main"));
    QCOMPARE(window.menus().saveHtmlAs->text(), QStringLiteral("Save as ..."));
    QCOMPARE(f.context.strings.count(), 0);
}

void MainWindowTest::promptButtonsFollowTheLanguage_data()
{
    QTest::addColumn<QByteArray>("languageLine");
    QTest::addColumn<QStringList>("buttons");
    // English after Russian: the translation goes with the window that installed it.
    QTest::newRow("russian") << QByteArray("language=russian\r\n") << QStringList{"Да", "Нет"};
    QTest::newRow("english") << QByteArray("Language=english\r\n") << QStringList{"Yes", "No"};
}

void MainWindowTest::promptButtonsFollowTheLanguage()
{
    QFETCH(QByteArray, languageLine);
    QFETCH(QStringList, buttons);
    Fixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"), languageLine));
    MainWindow window(f.context);
    QtPrompter prompter;
    prompter.setParentWidget(&window);
    QStringList shown;
    Test::MainWindowDriver::whenMessageBoxShows([&shown](QMessageBox* box) {
        for (const auto button : {QMessageBox::Yes, QMessageBox::No})
            shown.append(box->button(button)->text().remove(QLatin1Char('&')));
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(!prompter.askYesNo(QStringLiteral("?"), QString()));
    QCOMPARE(shown, buttons);
}

void MainWindowTest::closingRewritesSettingsAndSession()
{
    Fixture f;
    QVERIFY(f.env.writeFile(
        QStringLiteral("settings.dat"),
        "language=english\r\nISHTTPSERVER=-1\r\nLastOpened=/a/one.html\\\\\\/b/"
        "two.php\r\nextern=///x///y///z///w\r\nextern=Viewer///%1///view////usr/"
        "bin/view///SYSTEM\r\nplugin=Tool\\\\\\tool.so\\\\\\x\r\nunknown=kept?\r\n"));
    {
        MainWindow window(f.context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.close();
    }
    QCOMPARE(f.env.readFile(QStringLiteral("settings.dat")),
             QByteArray("Language=english\r\nIsHTTPServer=-1\r\nPathToHTTPD=\r\n"
                        "LastOpened=/a/one.html\\\\\\/b/two.php\\\\\\\\\\\\\\\\\\\\\\\\\r\n"
                        "Tidy=false\r\nplugin=Tool\\\\\\tool.so\\\\\\x\r\n"
                        "extern=Viewer///%1///view////usr/bin/view///SYSTEM\r\n\r\n\r\n"));
    // The session goes beside the program, not into whatever folder the editor started in.
    QVERIFY(QFile::exists(f.env.path(QStringLiteral("last_session.qlp"))));
    QCOMPARE(f.env.readFile(QStringLiteral("last_session.qlp")), QByteArray());
}

void MainWindowTest::recentMenuStopsAtTheFirstEmptySlot()
{
    Fixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"),
                            "LastOpened=/a/x.html\\\\\\C:\\web\\y.htm\\\\\\\\\\\\/c/z.html\r\n"));
    MainWindow window(f.context);
    const QList<QAction*>& entries = window.menus().lstOpn;
    QVERIFY(entries.at(0)->isVisible());
    QCOMPARE(entries.at(0)->text(), QStringLiteral("x.html"));
    QVERIFY(entries.at(1)->isVisible());
    QCOMPARE(entries.at(1)->text(), QStringLiteral("y.htm"));
    QVERIFY(!entries.at(2)->isVisible());
    QVERIFY(!entries.at(3)->isVisible());
}

void MainWindowTest::settingsEnableTheirMenus()
{
    Fixture off;
    MainWindow plain(off.context);
    QVERIFY(!plain.menus().htmlTidy->isEnabled());
    QVERIFY(!plain.menus().phpMenu->isEnabled());

    Fixture on;
    QVERIFY(
        on.env.writeFile(QStringLiteral("settings.dat"),
                         "Tidy= True \r\nphp=/usr/bin/php\r\nextern=Shown///%1///a///b///c\r\n"));
    MainWindow window(on.context);
    QVERIFY(window.menus().htmlTidy->isEnabled());
    QVERIFY(window.menus().phpMenu->isEnabled());
    auto* external = window.findChild<QAction*>(QStringLiteral("ext(0)"));
    QVERIFY(external);
    QCOMPARE(external->text(), QStringLiteral("Shown"));
}

void MainWindowTest::damagedSettingsStartWithDefaults()
{
    Fixture f;
    QByteArray garbage(2 * 1024 * 1024, '\0');
    for (int i = 0; i < garbage.size(); i += 7)
        garbage[i] = char(i * 31);
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"), garbage));
    {
        MainWindow window(f.context);
        QCOMPARE(window.menus().menu1->title(), QStringLiteral("Main"));
        window.close();
    }
    const QByteArray written = f.env.readFile(QStringLiteral("settings.dat"));
    QVERIFY(written.startsWith("Language=english\r\nIsHTTPServer=0\r\n"));
    QCOMPARE(written.count("\r\n"), 9);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
