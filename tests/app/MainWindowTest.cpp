#include "app/MainWindow.h"
#include "app/AboutWindow.h"
#include "app/CaptionTable.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "documents/FileIO.h"
#include "platform/QtPrompter.h"
#include "settings/SettingsWindow.h"
#include "side/ComposerEdit.h"
#include "side/ComposerWindow.h"
#include "support/AppFixture.h"
#include "support/MainWindowDriver.h"
#include "tags/ReferenceTreeFile.h"
#include "tags/TagListFile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

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
    void programFilesThatAreNoFilesGiveDefaults_data();
    void programFilesThatAreNoFilesGiveDefaults();
    void unwritableSettingsAreToldWhenTheWindowCloses_data();
    void unwritableSettingsAreToldWhenTheWindowCloses();
    void composerInsertsItsTextAsHtmlAtTheCaret();

private:
    using Fixture = Test::AppFixture;
};

void MainWindowTest::captionsFollowTheLanguage_data()
{
    QTest::addColumn<QByteArray>("languageLine");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("chosenInSettings"); // while a find window is open
    QTest::newRow("empty is english") << QByteArray("Language=\r\n") << "english" << false;
    QTest::newRow("russian") << QByteArray("language=russian\r\n") << "russian" << false;
    QTest::newRow("russian chosen in the settings window")
        << QByteArray("Language=english\r\n") << "russian" << true;
}

void MainWindowTest::captionsFollowTheLanguage()
{
    QFETCH(QByteArray, languageLine);
    QFETCH(QString, language);
    QFETCH(bool, chosenInSettings);
    Fixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"), languageLine));
    MainWindow window(f.context);

    LangStrings expected;
    QVERIFY(
        expected.load(f.env.path(QStringLiteral("languages/%1/main.lng").arg(language)), language));
    if (chosenInSettings) {
        QVERIFY(Test::MainWindowDriver::show(window));
        window.files().openDocument(f.document(QStringLiteral("a.html"), "<p>"), false);
        window.menus().fnd->trigger();
        auto* find = window.findChild<QWidget*>(QStringLiteral("FindF"));
        QVERIFY(find && find->isVisible());
        window.menus().changeLanguage->trigger();
        SettingsWindow* settings = window.settingsWindow();
        QVERIFY(settings && QTest::qWaitForWindowExposed(settings));
        auto* languages = settings->findChild<QListWidget*>(QStringLiteral("Languages"));
        const QList<QListWidgetItem*> chosen = languages->findItems(language, Qt::MatchExactly);
        QCOMPARE(chosen.size(), 1);
        QTest::mouseClick(languages->viewport(), Qt::LeftButton, {},
                          languages->visualItemRect(chosen.first()).center());
        QTest::mouseClick(settings->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        // Without a restart, the open find window takes the new language too.
        QCOMPARE(find->windowTitle(), expected.value(Str::Find));
    }
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
    QCOMPARE(
        f.env.readFile(QStringLiteral("settings.dat")),
        QByteArray(
            "Language=english\r\nIsHTTPServer=-1\r\nPathToHTTPD=\r\n"
            "LastOpened=/a/one.html\\\\\\/b/two.php\\\\\\\\\\\\\\\\\\\\\\\\\r\n"
            "Tidy=true\r\nplugin=Tool\\\\\\tool.so\\\\\\x\r\n"
            "extern=Viewer///%1///view////usr/bin/view///SYSTEM\r\n\r\n\r\n"
            "ServerAddress=http://127.0.0.1/\r\n"
            "Folding=1\r\nMatchTags=1\r\nCloseTags=1\r\nAutoCloseTags=0\r\nCheckAfterSave=0\r\n"));
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
    QVERIFY(off.env.writeFile(QStringLiteral("settings.dat"), "Tidy=false\r\n"));
    MainWindow plain(off.context);
    QVERIFY(!plain.menus().htmlTidy->isEnabled());
    QVERIFY(!plain.menus().chk->isEnabled());
    QVERIFY(!plain.menus().phpMenu->isEnabled());

    // Settings that say nothing of Tidy: it is looked for, and the set-up installs it.
    Fixture unsaid;
    MainWindow found(unsaid.context);
    QVERIFY(found.menus().htmlTidy->isEnabled());

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
    QCOMPARE(written.count("\r\n"), 15);
}

void MainWindowTest::programFilesThatAreNoFilesGiveDefaults_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("link to an endless device") << "zero";
    QTest::newRow("folder") << "folder";
}

void MainWindowTest::programFilesThatAreNoFilesGiveDefaults()
{
    QFETCH(QString, kind);
    Fixture f;
    const QStringList files{QStringLiteral("settings.dat"),
                            QStringLiteral("languages/english/main.lng"),
                            QStringLiteral("languages/english/about.lng"),
                            QStringLiteral("languages/english/HTMLTags.lng"),
                            QStringLiteral("languages/SyntaxHTML.lng"),
                            QStringLiteral("languages/php.lng"),
                            QStringLiteral("languages/JS.QLT"),
                            QStringLiteral("templates/Page.html")};
    for (const QString& file : files) {
        const QString path = f.env.path(file);
        QFile::remove(path);
        const QByteArray name = QFile::encodeName(path);
        if (kind == QLatin1String("pipe"))
            QVERIFY(::mkfifo(name.constData(), 0600) == 0);
        else if (kind == QLatin1String("zero"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        else
            QVERIFY(QDir().mkpath(path));
    }
    // Nothing of them is read; had any reader waited on the pipe or read on and on from
    // the device, the test would not get past it.
    MainWindow window(f.context);
    QCOMPARE(f.context.settings.isHttpServer, 0);
    QCOMPARE(f.context.strings.count(), 0);
    QCOMPARE(window.menus().menu1->title(), QStringLiteral("Main"));
    const QString english = f.env.path(QStringLiteral("languages/english/"));
    QCOMPARE(AboutWindow::aboutText(english, QStringLiteral("english")), QString());
    QVERIFY(TagListFile::read(english + QLatin1String("HTMLTags.lng"), QString()).isEmpty());
    QVERIFY(
        !ReferenceTreeFile::read(f.env.path(QStringLiteral("languages/JS.QLT")), QString()).ok());
    QCOMPARE(FileIO::readTextFile(f.env.path(QStringLiteral("templates/Page.html")), QString()),
             QString());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowTest::unwritableSettingsAreToldWhenTheWindowCloses_data()
{
    QTest::addColumn<bool>("byStopSignal");
    QTest::newRow("window closed") << false;
    QTest::newRow("stop signal") << true;
}

void MainWindowTest::unwritableSettingsAreToldWhenTheWindowCloses()
{
    QFETCH(bool, byStopSignal);
    Fixture f;
    const QString settings = f.env.path(QStringLiteral("settings.dat"));
    QVERIFY(QDir().mkpath(settings));
    MainWindow window(f.context);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (byStopSignal) {
        // Nobody may be there to answer: the stop goes on without a word.
        QCOMPARE(window.shutdown().size(), 1);
    } else {
        f.prompter.expectMessage(FileFailure::quoted(settings) +
                                     QLatin1String(": it is a folder.\nThe old file was kept."),
                                 Prompter::Icon::Critical);
        window.close();
    }
    QVERIFY(QFileInfo(settings).isDir());
    // The session, written after the failed settings, is there all the same.
    QVERIFY(QFile::exists(f.env.path(QStringLiteral("last_session.qlp"))));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void MainWindowTest::composerInsertsItsTextAsHtmlAtTheCaret()
{
    Fixture f;
    f.prompter.expectMessage(QStringLiteral("Open file first"), Prompter::Icon::Exclamation)
        .expectInput(QStringLiteral("Link address"), QStringLiteral("https://example.org/"));
    MainWindow window(f.context);
    QVERIFY(Test::MainWindowDriver::show(window));
    QVERIFY(window.menus().redit->isEnabled());
    window.menus().redit->trigger();
    ComposerWindow* composer = window.editCommands().composerWindow();
    QVERIFY(composer && QTest::qWaitForWindowExposed(composer));
    auto* insert = composer->findChild<QPushButton*>(QStringLiteral("InsertToCode"));
    QTest::mouseClick(insert, Qt::LeftButton);

    window.files().openDocument(f.document(QStringLiteral("a.html"), "<body>\r\n\r\n</body>\r\n"),
                                false);
    window.currentDocument().setCaretPosition(8);
    window.menus().redit->trigger();
    // Its shortcuts work once the application has made it the active window.
    QTRY_COMPARE(QApplication::activeWindow(), composer);
    ComposerEdit* edit = composer->edit();
    const auto action = [composer](const char* name) {
        return composer->findChild<QAction*>(QLatin1String(name));
    };
    QTest::keyClicks(edit, QStringLiteral("Hello "));
    QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("bold"));
    QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral(" & more"));
    QTest::keyClick(edit, Qt::Key_Return);
    action("BulletedList")->trigger();
    QTest::keyClicks(edit, QStringLiteral("one"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::keyClicks(edit, QStringLiteral("inner"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Backtab);
    action("BulletedList")->trigger();
    QTest::keyClicks(edit, QStringLiteral("see "));
    action("Link")->trigger();
    QTest::mouseClick(insert, Qt::LeftButton);

    QCOMPARE(
        window.currentDocument().text(),
        QStringLiteral("<body>\r\n<p>Hello <strong>bold</strong> &amp; more</p>\r\n"
                       "<ul>\r\n  <li>one\r\n    <ul>\r\n      <li>inner</li>\r\n"
                       "    </ul>\r\n  </li>\r\n</ul>\r\n<p>see <a href=\"https://example.org/\">"
                       "https://example.org/</a></p>\r\n</body>\r\n"));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
