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
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("standardOutput");
    QTest::addColumn<QString>("standardError");
    const QString usage = QStringLiteral(
        "Usage: quillorn [options] [file ...]\n"
        "Opens the files in the editor, or hands them to the editor that already runs.\n\n"
        "  --no-splash   show the main window at once, without the splash\n"
        "  --help        show this help and exit\n"
        "  --version     show the version and exit\n"
        "  --            end of options: every argument after it is a file\n");
    QTest::newRow("help, no settings") << QByteArray() << QStringList{"--help"} << 0 << usage << "";
    QTest::newRow("help, language without a folder")
        << QByteArray("Language=klingon\r\n") << QStringList{"--help"} << 0 << usage << "";
    QTest::newRow("help, russian")
        << QByteArray("language=russian\r\n") << QStringList{"--help"} << 0
        << QStringLiteral("Использование: quillorn [параметры] [файл ...]\n"
                          "Открывает файлы в редакторе или передаёт их уже запущенному "
                          "редактору.\n\n"
                          "  --no-splash   сразу показать главное окно, без заставки\n"
                          "  --help        показать эту справку и выйти\n"
                          "  --version     показать версию и выйти\n"
                          "  --            конец параметров: всё, что дальше, — имена файлов\n")
        << "";
    QTest::newRow("version") << QByteArray() << QStringList{"--version"} << 0 << "Quillorn 1.2.3\n"
                             << "";
    QTest::newRow("unknown option") << QByteArray() << QStringList{"--bogus"} << 2 << ""
                                    << "Unknown option: --bogus\n" + usage;
}

void CommandLineTest::answersSpeakTheConfiguredLanguage()
{
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, standardOutput);
    QFETCH(QString, standardError);
    Test::TestEnvironment env;
    if (!settings.isEmpty())
        QVERIFY(env.writeFile(QStringLiteral("settings.dat"), settings));
    const CommandLine::Answer answer =
        CommandLine::answer(CommandLine::parse(arguments), CommandLine::strings(env.appDir()),
                            QStringLiteral("quillorn"), QStringLiteral("1.2.3"));
    QCOMPARE(answer.exitCode, exitCode);
    QCOMPARE(answer.standardOutput, standardOutput);
    QCOMPARE(answer.standardError, standardError);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
