#include "platform/SettingsFile.h"
#include "support/SmallFileSystem.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Quillorn;

class SettingsFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keysAreCaseInsensitive();
    void valueRunsFromTheFirstEquals();
    void recentFilesKeepTheFirstSix();
    void externLinesAreAddedAfterTheEmptyElement();
    void numbers_data();
    void numbers();
    void lastLineWithoutLineEndIsLost();
    void lfOnlyLinesAreRead();
    void writesFifteenLinesWithFourOfThemEmpty();
    void writesRecentSlotsWithSeparatorsForEmptyOnes();
    void dropsExternWithEmptyNameAtWrite();
    void roundTripKeepsEverything();
    void damagedFilesGiveDefaults_data();
    void damagedFilesGiveDefaults();
    void missingFileChangesNothing();
    void fullDiskKeepsTheOldFile();
};

void SettingsFileTest::keysAreCaseInsensitive()
{
    Settings s;
    SettingsFile::apply(QStringLiteral("LANGUAGE=russian\r\nTiDy=TRUE \r\nPhP=/usr/bin/php\r\n"
                                       "OPEN_LAST_SESSION=1\r\npathTOhttpd=/srv/www\r\n"
                                       "SERVERaddress=http://localhost:8080/\r\n"),
                        s);
    QCOMPARE(s.language, QStringLiteral("russian"));
    QVERIFY(s.tidyAvailable == true);
    QCOMPARE(s.phpPath, QStringLiteral("/usr/bin/php"));
    QVERIFY(s.openLastSession);
    QCOMPARE(s.pathToHttpd, QStringLiteral("/srv/www"));
    QCOMPARE(s.serverAddress, QStringLiteral("http://localhost:8080/"));
}

void SettingsFileTest::valueRunsFromTheFirstEquals()
{
    Settings s;
    SettingsFile::apply(QStringLiteral("php=/opt/a=b/php\r\nnoequals\r\nunknown=1\r\n"), s);
    QCOMPARE(s.phpPath, QStringLiteral("/opt/a=b/php"));
}

void SettingsFileTest::recentFilesKeepTheFirstSix()
{
    Settings s;
    SettingsFile::apply(
        QStringLiteral("LastOpened=/a\\\\\\/b\\\\\\\\\\\\/d\\\\\\/e\\\\\\/f\\\\\\/g\r\n"), s);
    QCOMPARE(s.recentFiles[0], QStringLiteral("/a"));
    QCOMPARE(s.recentFiles[1], QStringLiteral("/b"));
    QCOMPARE(s.recentFiles[2], QString());
    QCOMPARE(s.recentFiles[3], QStringLiteral("/d"));
    QCOMPARE(s.recentFiles[5], QStringLiteral("/f"));
}

void SettingsFileTest::externLinesAreAddedAfterTheEmptyElement()
{
    Settings s;
    SettingsFile::apply(
        QStringLiteral("extern=Firefox///\"%1\"///firefox////usr/bin/firefox///WWW_OpenURL\r\n"
                       "extern=short///line\r\n"),
        s);
    QCOMPARE(s.externalPrograms.size(), 2);
    QCOMPARE(s.externalPrograms.at(0), ExternalProgram{});
    const ExternalProgram& p = s.externalPrograms.at(1);
    QCOMPARE(p.name, QStringLiteral("Firefox"));
    QCOMPARE(p.ddeMessage, QStringLiteral("\"%1\""));
    QCOMPARE(p.program, QStringLiteral("firefox"));
    QCOMPARE(p.programPath, QStringLiteral("/usr/bin/firefox"));
    QCOMPARE(p.division, QStringLiteral("WWW_OpenURL"));
}

void SettingsFileTest::numbers_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("isHttpServer");
    QTest::addColumn<bool>("openLastSession");
    QTest::newRow("minus one") << "IsHTTPServer=-1\r\nopen_last_session=True\r\n" << -1 << true;
    QTest::newRow("text is zero") << "IsHTTPServer=abc\r\nopen_last_session=abc\r\n" << 0 << false;
    QTest::newRow("too large keeps default")
        << "IsHTTPServer=99999999999999\r\nopen_last_session=0\r\n"
        << 0 << false;
    QTest::newRow("leading digits") << "IsHTTPServer= 12abc\r\nopen_last_session=7\r\n"
                                    << 12 << true;
    QTest::newRow("last value wins") << "IsHTTPServer=3\r\nIsHTTPServer=oops\r\n" << 0 << false;
}

void SettingsFileTest::numbers()
{
    QFETCH(QString, line);
    QFETCH(int, isHttpServer);
    QFETCH(bool, openLastSession);
    Settings s;
    SettingsFile::apply(line, s);
    QCOMPARE(s.isHttpServer, isHttpServer);
    QCOMPARE(s.openLastSession, openLastSession);
}

void SettingsFileTest::lastLineWithoutLineEndIsLost()
{
    Settings s;
    SettingsFile::apply(QStringLiteral("Language=russian\r\nphp=/usr/bin/php"), s);
    QCOMPARE(s.language, QStringLiteral("russian"));
    QVERIFY(s.phpPath.isEmpty());
}

void SettingsFileTest::lfOnlyLinesAreRead()
{
    Settings s;
    SettingsFile::apply(QStringLiteral("Language=russian\nTidy=true\n"), s);
    QCOMPARE(s.language, QStringLiteral("russian"));
    QVERIFY(s.tidyAvailable == true);
}

void SettingsFileTest::writesFifteenLinesWithFourOfThemEmpty()
{
    // The nine lines older versions write, the server's address, the editor's switches, then the
    // check after saving.
    Settings s;
    QCOMPARE(
        SettingsFile::compose(s),
        QStringLiteral(
            "Language=\r\nIsHTTPServer=0\r\nPathToHTTPD=\r\n"
            "LastOpened=\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\r\nTidy=false\r\n\r\n\r\n\r\n\r\n"
            "ServerAddress=http://127.0.0.1/\r\n"
            "Folding=1\r\nMatchTags=1\r\nCloseTags=1\r\nAutoCloseTags=0\r\nCheckAfterSave=0\r\n"));
}

void SettingsFileTest::writesRecentSlotsWithSeparatorsForEmptyOnes()
{
    Settings s;
    s.recentFiles[0] = QStringLiteral("/p1");
    s.recentFiles[1] = QStringLiteral("/p2");
    const QStringList lines = SettingsFile::compose(s).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.at(3), QStringLiteral("LastOpened=/p1\\\\\\/p2\\\\\\\\\\\\\\\\\\\\\\\\"));
}

void SettingsFileTest::dropsExternWithEmptyNameAtWrite()
{
    Settings s;
    s.addExternalProgram({QString(), QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"),
                          QStringLiteral("w")});
    s.addExternalProgram({QStringLiteral("Kept"), QStringLiteral("%1"), QStringLiteral("app"),
                          QStringLiteral("/bin/app"), QStringLiteral("SYSTEM")});
    s.plugIns = {QStringLiteral("a\\\\\\b.so"), QStringLiteral("c\\\\\\d.so")};
    s.phpPath = QStringLiteral("/usr/bin/php");
    s.openLastSession = true;
    const QStringList lines = SettingsFile::compose(s).split(QStringLiteral("\r\n"));
    QCOMPARE(
        lines.mid(5),
        (QStringList{QStringLiteral("plugin=a\\\\\\b.so"), QStringLiteral("plugin=c\\\\\\d.so"),
                     QStringLiteral("extern=Kept///%1///app////bin/app///SYSTEM"),
                     QStringLiteral("php=/usr/bin/php"), QStringLiteral("open_last_session=1"),
                     QStringLiteral("ServerAddress=http://127.0.0.1/"), QStringLiteral("Folding=1"),
                     QStringLiteral("MatchTags=1"), QStringLiteral("CloseTags=1"),
                     QStringLiteral("AutoCloseTags=0"), QStringLiteral("CheckAfterSave=0"),
                     QString()}));
}

void SettingsFileTest::roundTripKeepsEverything()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    Settings s;
    s.language = QStringLiteral("russian");
    s.isHttpServer = -1;
    s.pathToHttpd = QStringLiteral("/srv/Сайт");
    s.serverAddress = QStringLiteral("https://сайт.example:8443/");
    s.recentFiles[0] = QStringLiteral("/home/u/страница.html");
    s.tidyAvailable = true;
    s.addExternalProgram({QStringLiteral("Gimp"), QStringLiteral("%1"), QStringLiteral("gimp"),
                          QStringLiteral("/usr/bin/gimp"), QStringLiteral("SYSTEM")});
    s.phpPath = QStringLiteral("/usr/bin/php");
    s.codeFolding = false;
    s.highlightMatching = false;
    s.completeClosingTags = false;
    s.addClosingTags = true;
    s.checkAfterSaving = true;
    const SettingsFile file(env.path(QStringLiteral("settings.dat")));
    QVERIFY(file.write(s).ok());
    // Russian settings are written in the Russian code page.
    QVERIFY(env.readFile(QStringLiteral("settings.dat")).contains("/srv/\xD1\xE0\xE9\xF2"));

    Settings back;
    file.read(back);
    QCOMPARE(back.language, s.language);
    QCOMPARE(back.isHttpServer, s.isHttpServer);
    QCOMPARE(back.pathToHttpd, s.pathToHttpd);
    QCOMPARE(back.serverAddress, s.serverAddress);
    QCOMPARE(back.recentFiles, s.recentFiles);
    QVERIFY(back.tidyAvailable == true);
    QCOMPARE(back.externalPrograms, s.externalPrograms);
    QCOMPARE(back.phpPath, s.phpPath);
    QCOMPARE(std::tuple(back.codeFolding, back.highlightMatching, back.completeClosingTags,
                        back.addClosingTags, back.checkAfterSaving),
             std::tuple(false, false, false, true, true));
}

void SettingsFileTest::damagedFilesGiveDefaults_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("nul bytes") << QByteArray(100000, '\0');
    QTest::newRow("binary") << QByteArray("\xff\xfe\x00\x01\r\n=\x80\x81\r\n\r\n", 12);
    QTest::newRow("invalid utf-8") << QByteArray("Language=\xC3\x28\r\nIsHTTPServer=\xE2\x82\r\n");
    QTest::newRow("huge single line") << QByteArray(32 * 1024 * 1024, 'x');
    QTest::newRow("line beyond the first 16 MB")
        << QByteArray(16 * 1024 * 1024, 'x') + "\r\nphp=/usr/bin/php\r\n";
}

void SettingsFileTest::damagedFilesGiveDefaults()
{
    QFETCH(QByteArray, bytes);
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    QVERIFY(env.writeFile(QStringLiteral("settings.dat"), bytes));
    Settings s;
    SettingsFile(env.path(QStringLiteral("settings.dat"))).read(s);
    QCOMPARE(s.isHttpServer, 0);
    QCOMPARE(s.externalPrograms.size(), 1);
    QVERIFY(s.phpPath.isEmpty());
    // Files of older versions say nothing of the server's address.
    QCOMPARE(s.serverAddress, Settings::defaultServerAddress());
    // Whatever was read, the file written back is a valid one.
    QCOMPARE(SettingsFile::compose(s).count(QStringLiteral("\r\n")), 15);
}

void SettingsFileTest::missingFileChangesNothing()
{
    Settings s;
    s.language = QStringLiteral("russian");
    SettingsFile(QStringLiteral("/nonexistent/settings.dat")).read(s);
    QCOMPARE(s.language, QStringLiteral("russian"));
}

void SettingsFileTest::fullDiskKeepsTheOldFile()
{
    const Test::SmallFileSystem disk(64);
    if (!disk.isMounted())
        QSKIP("a small tmpfs cannot be mounted here");
    const QString path = disk.path(QStringLiteral("settings.dat"));
    const QByteArray old("Language=russian\r\nIsHTTPServer=0\r\nTidy=true\r\n");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    }
    disk.fill(QStringLiteral("filler"));

    Settings settings;
    settings.language = QStringLiteral("english");
    const FileFailure written = SettingsFile(path).write(settings);
    QCOMPARE(written.kind(), FileFailure::Kind::System);
    QCOMPARE(written.systemError(), ENOSPC);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
    QCOMPARE(QDir(disk.path({})).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("filler"), QStringLiteral("settings.dat")}));
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "SettingsFileTest.moc"
