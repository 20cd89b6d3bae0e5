#include "settings/SettingsWindow.h"
#include "app/MainWindow.h"
#include "settings/FileAssociations.h"
#include "support/AppFixture.h"
#include "support/MainWindowDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Quillorn;

class SettingsWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void editsReachTheSettingsFileAtExit_data();
    void editsReachTheSettingsFileAtExit();
    void extensionBoxesFollowTheDesktopFiles();

private:
    // Opens the settings window through `command` and waits until it shows.
    static SettingsWindow* open(MainWindow& window, QAction* command);
    template <typename T> static T* child(SettingsWindow* settings, const char* name)
    {
        return settings->findChild<T*>(QLatin1String(name));
    }
    // Clicks near the left end, where a check box or radio button has its mark.
    static void click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {},
                          QPoint(qMin(10, widget->width() / 2), widget->height() / 2));
    }
    static void retype(QLineEdit* field, const QString& text)
    {
        field->clear();
        QTest::keyClicks(field, text);
    }

    std::unique_ptr<QTemporaryDir> m_xdg;
};

void SettingsWindowTest::init()
{
    // The association boxes write the desktop's files: a fresh desktop for every test.
    m_xdg = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg->filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_xdg->filePath(QStringLiteral("config"))));
}

SettingsWindow* SettingsWindowTest::open(MainWindow& window, QAction* command)
{
    command->trigger();
    SettingsWindow* settings = window.settingsWindow();
    if (settings && !QTest::qWaitForWindowExposed(settings))
        return nullptr;
    return settings;
}

void SettingsWindowTest::editsReachTheSettingsFileAtExit_data()
{
    QTest::addColumn<QByteArray>("settingsFile");
    QTest::addColumn<bool>("extensionsCommand"); // else Settings > Settings
    QTest::addColumn<bool>("editEverything");
    QTest::addColumn<QStringList>("program"); // typed into the five fields, then Add
    QTest::addColumn<int>("deleteRow");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("written");

    const QByteArray noRecent("LastOpened=\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\r\n");
    const QByteArray switches(
        "Folding=1\r\nMatchTags=1\r\nCloseTags=1\r\nAutoCloseTags=0\r\nCheckAfterSave=0\r\n");
    const QByteArray php = QStandardPaths::findExecutable(QStringLiteral("php")).toUtf8();
    QTest::newRow("every setting")
        << QByteArray("Language=english\r\nTidy=true\r\n") << false << true
        << QStringList{"Viewer", "%1", "view", "/usr/bin/view", "SYSTEM"} << -1 << true
        << "Language=english\r\nIsHTTPServer=-1\r\nPathToHTTPD=/srv/www/\r\n" + noRecent +
               "Tidy=false\r\n\r\nextern=Viewer///%1///view////usr/bin/view///SYSTEM\r\nphp=" +
               php + "\r\nopen_last_session=1\r\nServerAddress=http://localhost:8080/\r\n" +
               switches;
    const QByteArray oldPhp("php=/opt/php/bin/php\r\n");
    QTest::newRow("a program with an empty field is refused")
        << "Tidy=true\r\n" + oldPhp << true << false
        << QStringList{"Viewer", "%1", " ", "/usr/bin/view", "SYSTEM"} << -1 << true
        << "Language=english\r\nIsHTTPServer=0\r\nPathToHTTPD=\r\n" + noRecent +
               "Tidy=true\r\n\r\n\r\n" + oldPhp + "\r\nServerAddress=http://127.0.0.1/\r\n" +
               switches;
    QTest::newRow("delete")
        << "Tidy=true\r\n" + oldPhp +
               "extern=One///%1///one////bin/one///SYSTEM\r\nextern=Two///%1///two////bin/"
               "two///SYSTEM\r\nServerAddress=http://example.org:81/\r\n"
        << true << false << QStringList{} << 0 << true
        << "Language=english\r\nIsHTTPServer=0\r\nPathToHTTPD=\r\n" + noRecent +
               "Tidy=true\r\n\r\nextern=Two///%1///two////bin/two///SYSTEM\r\n" + oldPhp +
               "\r\nServerAddress=http://example.org:81/\r\n" + switches;
    QTest::newRow("cancel keeps the settings")
        << "Tidy=true\r\n" + oldPhp << false << true
        << QStringList{"Viewer", "%1", "view", "/usr/bin/view", "SYSTEM"} << 0 << false
        << "Language=english\r\nIsHTTPServer=0\r\nPathToHTTPD=\r\n" + noRecent +
               "Tidy=true\r\n\r\n\r\n" + oldPhp + "\r\nServerAddress=http://127.0.0.1/\r\n" +
               switches;
}

void SettingsWindowTest::editsReachTheSettingsFileAtExit()
{
    QFETCH(QByteArray, settingsFile);
    QFETCH(bool, extensionsCommand);
    QFETCH(bool, editEverything);
    QFETCH(QStringList, program);
    QFETCH(int, deleteRow);
    QFETCH(bool, ok);
    QFETCH(QByteArray, written);
    Test::AppFixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"), settingsFile));
    {
        MainWindow window(f.context);
        QVERIFY(Test::MainWindowDriver::show(window));
        const MainMenus& menus = window.menus();
        SettingsWindow* settings =
            open(window, extensionsCommand ? menus.extensions : menus.changeLanguage);
        QVERIFY(settings);
        QCOMPARE(
            settings->tabs()->currentIndex(),
            int(extensionsCommand ? SettingsWindow::Page::Extensions : SettingsWindow::Page::Main));

        if (editEverything) {
            auto* phpPath = child<QLineEdit>(settings, "PhpPath");
            retype(phpPath, QStandardPaths::findExecutable(QStringLiteral("php")));
            auto* version = child<QLabel>(settings, "PhpVersion");
            QTRY_VERIFY_WITH_TIMEOUT(version->text().startsWith(QLatin1String("PHP 8.")), 30000);
            click(child<QCheckBox>(settings, "OpenLastSession"));
            click(child<QCheckBox>(settings, "UseTidy"));

            settings->tabs()->setCurrentIndex(int(SettingsWindow::Page::Browser));
            click(child<QRadioButton>(settings, "ServerMode"));
            f.prompter.expectFolder(QStringLiteral("Choose a folder"), QStringLiteral("/srv/www"));
            click(child<QToolButton>(settings, "BrowseFolder"));
            QCOMPARE(child<QLineEdit>(settings, "PathToHTTPD")->text(),
                     QStringLiteral("/srv/www/"));
            retype(child<QLineEdit>(settings, "ServerAddress"), QStringLiteral("localhost:8080"));
        }

        settings->tabs()->setCurrentIndex(int(SettingsWindow::Page::Extensions));
        if (!program.isEmpty()) {
            const char* fields[] = {"Name", "DdeMessage", "Program", "ProgramPath", "Division"};
            for (int i = 0; i < 5; ++i)
                retype(child<QLineEdit>(settings, fields[i]), program.at(i));
            if (program.contains(QStringLiteral(" ")))
                f.prompter.expectMessage(QStringLiteral("Some fields are empty!"),
                                         Prompter::Icon::Exclamation);
            click(child<QPushButton>(settings, "Add"));
        }
        if (deleteRow >= 0) {
            auto* list = child<QListWidget>(settings, "ExternalPrograms");
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(deleteRow)).center());
            click(child<QPushButton>(settings, "Delete"));
        }

        click(child<QPushButton>(settings, ok ? "OK" : "Cancel"));
        QTRY_VERIFY(!window.settingsWindow());
        window.close();
    }
    QCOMPARE(f.env.readFile(QStringLiteral("settings.dat")), written);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void SettingsWindowTest::extensionBoxesFollowTheDesktopFiles()
{
    Test::AppFixture f;
    MainWindow window(f.context);
    QVERIFY(Test::MainWindowDriver::show(window));
    SettingsWindow* settings = open(window, window.menus().extensions);
    QVERIFY(settings);
    QList<QCheckBox*> boxes;
    for (int i = 0; i < FileAssociations::offeredExtensions().size(); ++i)
        boxes.append(child<QCheckBox>(settings, qPrintable(QStringLiteral("Exst%1").arg(i))));
    const auto ticked = [&boxes] {
        QStringList extensions;
        for (QCheckBox* box : std::as_const(boxes)) {
            if (box->isChecked())
                extensions.append(box->text());
        }
        return extensions;
    };
    const FileAssociations desktop(f.env.appDir());
    QCOMPARE(ticked(), QStringList());

    // A box associates at once; .html and .htm go together.
    click(boxes.at(0));
    QCOMPARE(ticked(), (QStringList{".html", ".htm"}));
    QVERIFY(desktop.isAssociated(QStringLiteral(".htm"), true));

    // Another mode shows that mode's associations; a box there adds that mode's entries.
    click(child<QRadioButton>(settings, "SeparateMenu"));
    QCOMPARE(ticked(), QStringList());
    click(boxes.at(6));
    QCOMPARE(ticked(), (QStringList{".php", ".phtml", ".php3"}));
    click(boxes.at(1));
    QCOMPARE(ticked(), (QStringList{".html", ".htm", ".php", ".phtml", ".php3"}));

    click(child<QRadioButton>(settings, "AsDefault"));
    QCOMPARE(ticked(), (QStringList{".html", ".htm"}));
    click(boxes.at(1));
    QCOMPARE(ticked(), QStringList());
    QVERIFY(!desktop.isAssociated(QStringLiteral(".html"), true));
    QVERIFY(desktop.isAssociated(QStringLiteral(".html"), false));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
