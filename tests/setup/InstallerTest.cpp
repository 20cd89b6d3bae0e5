#include "setup/PayloadContents.h"
#include "setup/core/PayloadFormat.h"
#include "setup/core/SetupPlaces.h"
#include "support/TemporaryHome.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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
    void placesAreQtStandardPaths_data();
    void placesAreQtStandardPaths();
    void programNeedsNoQtLibrary();
    void windowLoadsTheCarriedModule();
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
    const QByteArray marker = QByteArray::fromStdString(PayloadFormat::marker());
    const QByteArray separator = QByteArray::fromStdString(PayloadFormat::separator());
    QTest::newRow("cut short") << whole.chopped(1000) << QStringList()
                               << "The installer is damaged";
    QTest::newRow("cut short, in Russian")
        << whole.chopped(1000) << QStringList{"--language", "russian"} << "Установщик повреждён";
    QTest::newRow("a name outside the folder")
        << program + marker + marker + "a/..\\..\\b/" + separator + "1" + separator + "2" +
               separator + "\r\n"
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

void InstallerTest::placesAreQtStandardPaths_data()
{
    QTest::addColumn<QByteArray>("userDirs"); // empty: no user-dirs.dirs
    QTest::addColumn<bool>("dataHome");       // XDG_DATA_HOME set
    QTest::newRow("no user folders, no data home") << QByteArray() << false;
    QTest::newRow("quoted from $HOME") << QByteArray("XDG_DESKTOP_DIR=\"$HOME/Tisch\"\n") << true;
    QTest::newRow("absolute, a trailing slash, the last line counts")
        << QByteArray("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"/srv/a\"\n"
                      "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_DESKTOP_DIR=\"/srv/b/\"\n")
        << true;
    QTest::newRow("unquoted") << QByteArray("XDG_DESKTOP_DIR=$HOME/d\nXDG_DESKTOP_DIRS=/x\n")
                              << false;
    QTest::newRow("other folders only") << QByteArray("XDG_MUSIC_DIR=\"$HOME/M\"\n") << true;
}

void InstallerTest::placesAreQtStandardPaths()
{
    QFETCH(QByteArray, userDirs);
    QFETCH(bool, dataHome);
    TemporaryHome home;
    home.enter();
    if (!dataHome)
        qunsetenv("XDG_DATA_HOME");
    if (!userDirs.isEmpty())
        QVERIFY(TemporaryHome::writeFile(home.path(QStringLiteral(".config/user-dirs.dirs")),
                                         userDirs));
    const SetupPlaces places = SetupPlaces::current();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QCOMPARE(QString::fromStdString(places.desktopEntry()),
             desktop + QStringLiteral("/Quillorn.desktop"));
    QCOMPARE(QString::fromStdString(places.menuFolder()),
             data + QStringLiteral("/applications/Quillorn"));
    QCOMPARE(QString::fromStdString(places.record()), data + QStringLiteral("/Quill/install.log"));
}

void InstallerTest::programNeedsNoQtLibrary()
{
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"),
                  {QStringLiteral("-d"), TemporaryHome::installerProgram()});
    QVERIFY(readelf.waitForFinished());
    QCOMPARE(readelf.exitCode(), 0);
    QStringList needed;
    for (const QByteArray& line : readelf.readAllStandardOutput().split('\n')) {
        if (line.contains("(NEEDED)"))
            needed.append(QString::fromUtf8(line.mid(line.indexOf('[') + 1).chopped(1)));
    }
    QVERIFY(needed.contains(QStringLiteral("libc.so.6")));
    for (const QString& library : needed)
        QVERIFY2(!library.startsWith(QLatin1String("libQt")), qPrintable(needed.join(u' ')));
}

void InstallerTest::windowLoadsTheCarriedModule()
{
    // A platform that does not exist stops the window's Qt at its start, with Qt's own
    // message: which only the module, loaded from the program's bytes, can bring.
    TemporaryHome home;
    const bool platformSet = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "quillorn-none");
    const TemporaryHome::Run run =
        home.run(TemporaryHome::binFolder() + QStringLiteral("quillsetup"), {});
    if (platformSet)
        qputenv("QT_QPA_PLATFORM", platform);
    else
        qunsetenv("QT_QPA_PLATFORM");
    QVERIFY2(run.errors.contains("Qt platform plugin \"quillorn-none\""), run.errors.constData());
    QVERIFY(!run.errors.contains("cannot be loaded"));
}

QTEST_GUILESS_MAIN(InstallerTest)
#include "InstallerTest.moc"
