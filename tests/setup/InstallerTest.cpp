#include "setup/PayloadContents.h"
#include "setup/PayloadFormat.h"
#include "support/TemporaryHome.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace Quillorn;
using Quillorn::Test::TemporaryHome;

namespace {

QByteArray logOf(const QStringList& paths)
{
    QByteArray log;
    for (const QString& path : paths)
        log += QFile::encodeName(path) + "\r\n";
    return log;
}

QStringList menuEntries(const TemporaryHome& home)
{
    const QString menu = home.path(QStringLiteral(".local/share/applications/Quillorn/"));
    return {menu + QStringLiteral("Quillorn.desktop"),
            menu + QStringLiteral("Quillorn-website.desktop"),
            menu + QStringLiteral("Quillorn-uninstall.desktop")};
}

} // namespace

// The real build/bin/quillsetup, run unattended in a temporary home.
class InstallerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void installsEveryFileWithItsLogEntriesAndRecord();
    void reinstallGoesToTheRecordedFolderAndAddsALanguageLine();
    void damagedInstallerWritesNothing_data();
    void damagedInstallerWritesNothing();
};

void InstallerTest::installsEveryFileWithItsLogEntriesAndRecord()
{
    TemporaryHome home;
    const TemporaryHome::Run run = home.install();
    QVERIFY2(run.exitCode == 0, run.errors.constData());
    const QString folder = home.installFolder();

    const PayloadContents::Result contents = PayloadContents::list(TemporaryHome::binFolder());
    QVERIFY(contents.ok());
    for (const QString& file : {QStringLiteral("quillorn"), QStringLiteral("uninstall"),
                                QStringLiteral("languages/russian/main.lng"),
                                QStringLiteral("templates/HTML Document.html")})
        QVERIFY2(contents.paths.contains(file), qPrintable(file));
    QStringList logged{folder};
    for (const QString& file : contents.paths) {
        QCOMPARE(TemporaryHome::readFile(folder + file),
                 TemporaryHome::readFile(TemporaryHome::binFolder() + file));
        logged.append(folder + file);
    }
    QVERIFY(QFileInfo(folder + QStringLiteral("quillorn")).isExecutable());
    QVERIFY(!QFileInfo(folder + QStringLiteral("languages/english/main.lng")).isExecutable());
    // Nothing but the payload, the log and the settings file lands in the folder.
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    int installed = 0;
    while (it.hasNext()) {
        it.next();
        ++installed;
    }
    QCOMPARE(installed, contents.paths.size() + 2);

    const QString desktop = home.path(QStringLiteral("Desktop/Quillorn.desktop"));
    logged += QStringList{desktop} + menuEntries(home);
    QCOMPARE(TemporaryHome::readFile(folder + QStringLiteral("install.log")), logOf(logged));
    QCOMPARE(TemporaryHome::readFile(folder + QStringLiteral("settings.dat")),
             QByteArray("Language=english\r\n"));
    QCOMPARE(TemporaryHome::readFile(home.path(QStringLiteral(".local/share/Quill/install.log"))),
             logOf({folder}));
    for (const QString& entry : QStringList{desktop} + menuEntries(home)) {
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {entry});
        QVERIFY(validate.waitForFinished());
        QVERIFY2(validate.exitCode() == 0 && validate.readAll().isEmpty(), qPrintable(entry));
    }
    QVERIFY(TemporaryHome::readFile(desktop).contains(
        QByteArray("\nExec=\"" + QFile::encodeName(folder) + "quillorn\"\n")));

    // One progress line a step, never going back: 95 after the last file, 100 at the end.
    const QList<QByteArray> lines = run.output.trimmed().split('\n');
    QCOMPARE(lines.size(), 4 + contents.paths.size() + 2);
    int bar = 0;
    for (const QByteArray& line : lines) {
        QVERIFY(line.trimmed().split('%').first().toInt() >= bar);
        bar = line.trimmed().split('%').first().toInt();
    }
    QVERIFY(lines.at(lines.size() - 3)
                .startsWith(
                    QByteArray(" 95% Copying file " + contents.paths.last().toUtf8() + " To ")));
    QCOMPARE(lines.last(), QByteArray("100% Creating settings file and links..."));
}

void InstallerTest::reinstallGoesToTheRecordedFolderAndAddsALanguageLine()
{
    TemporaryHome home;
    const QString folder = home.path(QStringLiteral("Programs/Quill orn/"));
    QCOMPARE(home.install({QStringLiteral("--dir"), folder}).exitCode, 0);
    const TemporaryHome::Run again =
        home.install({QStringLiteral("--language"), QStringLiteral("RUSSIAN"),
                      QStringLiteral("--no-desktop-icon")});
    QVERIFY2(again.exitCode == 0, again.errors.constData());
    QVERIFY(again.output.contains("Создание файла настроек и ярлыков..."));
    QCOMPARE(TemporaryHome::readFile(folder + QStringLiteral("settings.dat")),
             QByteArray("Language=english\r\nLanguage=russian\r\n"));
    const QByteArray log = TemporaryHome::readFile(folder + QStringLiteral("install.log"));
    QVERIFY(log.startsWith(QByteArray(QFile::encodeName(folder) + "\r\n")));
    QVERIFY(!log.contains("/Desktop/"));
    QVERIFY(log.endsWith(logOf(menuEntries(home))));
}

void InstallerTest::damagedInstallerWritesNothing_data()
{
    QTest::addColumn<QByteArray>("installer");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    const QByteArray whole =
        TemporaryHome::readFile(TemporaryHome::binFolder() + QStringLiteral("quillsetup"));
    const QByteArray program = TemporaryHome::readFile(TemporaryHome::installerProgram());
    QTest::newRow("cut short") << whole.chopped(1000) << QStringList()
                               << "The installer is damaged";
    QTest::newRow("cut short, in Russian")
        << whole.chopped(1000) << QStringList{"--language", "russian"} << "Установщик повреждён";
    QTest::newRow("a name outside the folder")
        << program + PayloadFormat::marker() + PayloadFormat::marker() + "a/..\\..\\b/" +
               PayloadFormat::separator() + "1" + PayloadFormat::separator() + "2" +
               PayloadFormat::separator() + "\r\n"
        << QStringList() << "outside the installation folder (..\\..\\b)";
}

void InstallerTest::damagedInstallerWritesNothing()
{
    QFETCH(QByteArray, installer);
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    TemporaryHome home;
    const QString program = home.path(QStringLiteral("quillsetup"));
    QVERIFY(TemporaryHome::writeFile(program, installer));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    const TemporaryHome::Run run =
        home.run(program, QStringList{QStringLiteral("--unattended")} + arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.errors).contains(message), run.errors.constData());
    QCOMPARE(QDir(home.path(QStringLiteral(".")))
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("quillsetup")});
}

QTEST_GUILESS_MAIN(InstallerTest)
#include "InstallerTest.moc"
