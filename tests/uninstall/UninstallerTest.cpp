#include "setup/core/SetupPlaces.h"
#include "support/TemporaryHome.h"
#include "uninstall/Uninstallation.h"
#include "uninstall/WorkCopy.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace Quillorn;
using Quillorn::Test::TemporaryHome;

namespace {

// The paths the log names after its first line.
QStringList loggedFiles(const QByteArray& log)
{
    QStringList files = QString::fromUtf8(log).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    files.removeFirst();
    return files;
}

} // namespace

// The real installer and uninstaller in a temporary home, and the removal by a log beside it.
class UninstallerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void removesTheInstallationAndKeepsUserFiles();
    void removesNothingALogDoesNotOwn_data();
    void removesNothingALogDoesNotOwn();
    void workCopyIsMadeAnew();
};

void UninstallerTest::removesTheInstallationAndKeepsUserFiles()
{
    TemporaryHome home;
    home.enter();
    QCOMPARE(home.install().exitCode, 0);
    const QString folder = home.installFolder();
    const QByteArray log = TemporaryHome::readFile(folder + QStringLiteral("install.log"));
    const QStringList files = loggedFiles(log);
    QVERIFY(TemporaryHome::writeFile(folder + QStringLiteral("templates/Mine.html"), "mine"));
    QVERIFY(TemporaryHome::writeFile(folder + QStringLiteral("last_session.qlp"), "session"));

    // Started from another folder with the log, it removes nothing.
    const QString elsewhere = home.path(QStringLiteral("elsewhere/"));
    QVERIFY(QDir().mkpath(elsewhere));
    for (const QString& name : {QStringLiteral("uninstall"), QStringLiteral("install.log")})
        QVERIFY(QFile::copy(folder + name, elsewhere + name));
    const TemporaryHome::Run foreign =
        home.run(elsewhere + QStringLiteral("uninstall"), {QStringLiteral("--unattended")});
    QCOMPARE(foreign.exitCode, 1);
    QVERIFY(foreign.errors.contains("names another installation folder"));
    QVERIFY(QFileInfo::exists(files.first()));

    const TemporaryHome::Run run =
        home.run(folder + QStringLiteral("uninstall"), {QStringLiteral("--unattended")});
    QVERIFY2(run.exitCode == 0, run.errors.constData());
    QStringList expected;
    for (const QString& file : files) {
        expected.append(QStringLiteral("Deleted ") + file);
        QVERIFY2(!QFileInfo::exists(file), qPrintable(file));
    }
    QCOMPARE(QString::fromUtf8(run.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
    // What the user added stays, with the folders that hold it; the rest is gone.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("templates")});
    QCOMPARE(QDir(folder + QStringLiteral("templates")).entryList(QDir::Files),
             QStringList{QStringLiteral("Mine.html")});
    QVERIFY(!QFileInfo::exists(home.path(QStringLiteral(".local/share/applications/Quillorn"))));

    // A second run by the same log finds nothing left to delete.
    Uninstallation again(log, SetupPlaces::current());
    QStringList lines;
    while (!again.atEnd())
        lines.append(again.removeNext().line);
    QCOMPARE(lines, expected.replaceInStrings(QStringLiteral("Deleted "),
                                              QStringLiteral("Can't delete ")));
}

void UninstallerTest::removesNothingALogDoesNotOwn_data()
{
    QTest::addColumn<QString>("victim"); // the file a tampered log line aims at
    QTest::addColumn<QString>("logged"); // that line, with %1 for the installation folder
    QTest::newRow("outside the folder") << "outside/victim"
                                        << "%1../outside/victim";
    QTest::newRow("out by ..") << "outside/victim"
                               << "%1languages/../../outside/victim";
    QTest::newRow("out through a link") << "outside/victim"
                                        << "%1link/victim";
    QTest::newRow("another desktop entry") << "Desktop/Other.desktop"
                                           << "%1../Desktop/Other.desktop";
    QTest::newRow("the folder itself") << "Q/kept"
                                       << "%1.";
}

void UninstallerTest::removesNothingALogDoesNotOwn()
{
    QFETCH(QString, victim);
    QFETCH(QString, logged);
    TemporaryHome home;
    home.enter();
    const QString folder = home.path(QStringLiteral("Q/"));
    QVERIFY(TemporaryHome::writeFile(home.path(victim), "keep"));
    QVERIFY(TemporaryHome::writeFile(folder + QStringLiteral("languages/ours"), "ours"));
    QVERIFY(QFile::link(home.path(QStringLiteral("outside")), folder + QStringLiteral("link")));
    const QString line = logged.arg(folder);
    Uninstallation work(QFile::encodeName(folder) + "\r\n" + QFile::encodeName(line) + "\n" +
                            QFile::encodeName(folder) + "languages/ours",
                        SetupPlaces::current());
    QVERIFY(work.belongsTo(folder));
    QCOMPARE(work.removeNext().line, QStringLiteral("Can't delete ") + line);
    const Uninstallation::Removal ours = work.removeNext();
    QCOMPARE(ours.line, QStringLiteral("Deleted ") + folder + QStringLiteral("languages/ours"));
    QCOMPARE(ours.bar, 100);
    QVERIFY(work.atEnd());
    work.removeRest();
    QCOMPARE(TemporaryHome::readFile(home.path(victim)), QByteArray("keep"));
}

void UninstallerTest::workCopyIsMadeAnew()
{
    TemporaryHome home;
    const WorkCopy copy(home.path(QStringLiteral("tmp")));
    QVERIFY(QDir().mkpath(home.path(QStringLiteral("tmp"))));
    QVERIFY(TemporaryHome::writeFile(copy.log(), "an older log"));
    QVERIFY(QFile::link(home.path(QStringLiteral("target")), copy.program()));
    const QString program = TemporaryHome::binFolder() + QStringLiteral("uninstall");
    const QString log = home.path(QStringLiteral("install.log"));

    // A name already there, a link included, is replaced, not written through.
    QCOMPARE(copy.make(program, log), QString());
    QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("target"))));
    QCOMPARE(TemporaryHome::readFile(copy.program()), TemporaryHome::readFile(program));
    QVERIFY(QFileInfo(copy.program()).isExecutable());
    // Without a log of its own, the copy gets none, not an older one.
    QVERIFY(!QFileInfo::exists(copy.log()));
    QVERIFY(TemporaryHome::writeFile(log, "/folder/\r\n"));
    QCOMPARE(copy.make(program, log), QString());
    QCOMPARE(TemporaryHome::readFile(copy.log()), QByteArray("/folder/\r\n"));
}

QTEST_GUILESS_MAIN(UninstallerTest)
#include "UninstallerTest.moc"
