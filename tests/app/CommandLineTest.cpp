#include "app/CommandLine.h"
#include "support/TestEnvironment.h"

#include <QTest>

using namespace Quillorn;

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void argumentsAreFilesOrOptions_data();
    void argumentsAreFilesOrOptions();
    void answersSpeakTheConfiguredLanguage_data();
    void answersSpeakTheConfiguredLanguage();
    void commandLineWinsOverLastSession_data();
    void commandLineWinsOverLastSession();
};

void CommandLineTest::argumentsAreFilesOrOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<CommandLine::Action>("action");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("splash");
    QTest::addColumn<QString>("unknownOption");
    using A = CommandLine::Action;
    QTest::newRow("nothing") << QStringList() << A::Start << QStringList() << true << "";
    QTest::newRow("each argument one file, as given")
        << QStringList{"a.html", "b.html", "x.html ", " my page.html"} << A::Start
        << QStringList{"a.html", "b.html", "x.html ", " my page.html"} << true << "";
    QTest::newRow("no splash among the files")
        << QStringList{"a.html", "--no-splash", "b.html"} << A::Start
        << QStringList{"a.html", "b.html"} << false << "";
    QTest::newRow("after -- only files") << QStringList{"--", "--help", "-x", "--"} << A::Start
                                         << QStringList{"--help", "-x", "--"} << true << "";
    QTest::newRow("a lone dash and empty arguments")
        << QStringList{"", "-", ""} << A::Start << QStringList{"-"} << true << "";
    QTest::newRow("help anywhere")
        << QStringList{"a.html", "--help"} << A::Help << QStringList() << true << "";
    QTest::newRow("version") << QStringList{"--version", "a.html"} << A::Version << QStringList()
                             << true << "";
    QTest::newRow("unknown comes first") << QStringList{"--bogus", "--help"} << A::UnknownOption
                                         << QStringList() << true << "--bogus";
    QTest::newRow("short options are unknown")
        << QStringList{"-h"} << A::UnknownOption << QStringList() << true << "-h";
}

void CommandLineTest::argumentsAreFilesOrOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    QFETCH(QStringList, files);
    QFETCH(bool, splash);
    QFETCH(QString, unknownOption);
    const CommandLine::Request request = CommandLine::parse(arguments);
    QCOMPARE(request.action, action);
    QCOMPARE(request.files, files);
    QCOMPARE(request.splash, splash);
    QCOMPARE(request.unknownOption, unknownOption);
}

void CommandLineTest::answersSpeakTheConfiguredLanguage_data()
{
    // An answer goes to standard output with exit code 0, a refusal to standard error with 2.
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("lines"); // the first line of the text, and how many
    const QStringList usage{"Usage: quillorn [options] [file ...]", "7"};
    QTest::newRow("help, no settings") << QByteArray() << "--help" << 0 << usage;
    QTest::newRow("help, language without a folder")
        << QByteArray("Language=klingon\r\n") << "--help" << 0 << usage;
    QTest::newRow("help, russian")
        << QByteArray("language=russian\r\n") << "--help" << 0
        << QStringList{"Использование: quillorn [параметры] [файл ...]", "7"};
    QTest::newRow("version") << QByteArray() << "--version" << 0
                             << QStringList{"Quillorn 1.2.3", "1"};
    QTest::newRow("unknown option")
        << QByteArray() << "--bogus" << 2 << QStringList{"Unknown option: --bogus", "8"};
}

void CommandLineTest::answersSpeakTheConfiguredLanguage()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, option);
    QFETCH(int, exitCode);
    QFETCH(QStringList, lines);
    Test::TestEnvironment env;
    QVERIFY(env.writeFile(QStringLiteral("settings.dat"), settings));
    const CommandLine::Answer answer =
        CommandLine::answer(CommandLine::parse({option}), CommandLine::strings(env.appDir()),
                            QStringLiteral("quillorn"), QStringLiteral("1.2.3"));
    QCOMPARE(answer.exitCode, exitCode);
    const QString text = exitCode == 0 ? answer.standardOutput : answer.standardError;
    QVERIFY((exitCode == 0 ? answer.standardError : answer.standardOutput).isEmpty());
    QCOMPARE(text.section(QLatin1Char('\n'), 0, 0), lines.at(0));
    QCOMPARE(QString::number(text.count(QLatin1Char('\n'))), lines.at(1));
}

void CommandLineTest::commandLineWinsOverLastSession_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("openLastSession");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("files, session on") << QStringList{"/tmp/a.html", "/tmp/b.html"} << true
                                       << QStringList{"/tmp/a.html", "/tmp/b.html"};
    QTest::newRow("file, session off")
        << QStringList{"/tmp/a.html"} << false << QStringList{"/tmp/a.html"};
    QTest::newRow("a blank name is a file")
        << QStringList{"/tmp/ "} << true << QStringList{"/tmp/ "};
    QTest::newRow("no files, session on")
        << QStringList() << true << QStringList{"/app/last_session.qlp"};
    QTest::newRow("nothing") << QStringList() << false << QStringList();
}

void CommandLineTest::commandLineWinsOverLastSession()
{
    QFETCH(QStringList, files);
    QFETCH(bool, openLastSession);
    QFETCH(QStringList, expected);
    QCOMPARE(
        CommandLine::initialOpen(files, openLastSession, QStringLiteral("/app/last_session.qlp")),
        expected);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
