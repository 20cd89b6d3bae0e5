#include "preview/BrowserDetection.h"

#include "platform/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillorn;

class BrowserDetectionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addsEachInstalledBrowserOnce_data();
    void addsEachInstalledBrowserOnce();
};

void BrowserDetectionTest::addsEachInstalledBrowserOnce_data()
{
    QTest::addColumn<QStringList>("installed"); // executables on the PATH
    QTest::addColumn<QStringList>("listed");    // programs the settings already name
    // "Program=executable" for every entry added, in order.
    QTest::addColumn<QStringList>("added");

    QTest::newRow("none installed") << QStringList{} << QStringList{"Editor"} << QStringList{};
    QTest::newRow("the second name of one browser")
        << QStringList{"firefox-esr"} << QStringList{} << QStringList{"FireFox=firefox-esr"};
    QTest::newRow("several, in table order")
        << QStringList{"brave", "opera", "chromium-browser", "vivaldi-stable"} << QStringList{}
        << QStringList{"Chromium=chromium-browser", "Opera=opera", "Vivaldi=vivaldi-stable",
                       "Brave=brave"};
    QTest::newRow("both names: the first wins")
        << QStringList{"google-chrome-stable", "google-chrome"} << QStringList{}
        << QStringList{"Chrome=google-chrome"};
    QTest::newRow("already listed stays as it is")
        << QStringList{"opera", "falkon", "konqueror", "epiphany"}
        << QStringList{"Opera", "Konqueror"} << QStringList{"Epiphany=epiphany", "Falkon=falkon"};
}

void BrowserDetectionTest::addsEachInstalledBrowserOnce()
{
    QFETCH(QStringList, installed);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, added);
    QTemporaryDir bin;
    for (const QString& name : installed) {
        QFile script(bin.filePath(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexit 0\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));

    Settings settings;
    for (const QString& program : listed)
        settings.addExternalProgram(
            {program, "-x %1", program, "/opt/" + program + "/run", "System"});
    const QList<ExternalProgram> before = settings.externalPrograms;

    const int first = BrowserDetection::detect(settings);
    const QList<ExternalProgram> after = settings.externalPrograms;
    const int second = BrowserDetection::detect(settings);
    qputenv("PATH", oldPath);

    QCOMPARE(first, added.size());
    QCOMPARE(after.mid(0, before.size()), before);
    QStringList found;
    for (const ExternalProgram& entry : after.mid(before.size())) {
        QVERIFY(!entry.name.isEmpty() && entry.ddeMessage == "%1" && !entry.division.isEmpty());
        found << entry.program + QLatin1Char('=') +
                     QString(entry.programPath).remove(bin.path() + '/');
    }
    QCOMPARE(found, added);
    // A second start adds nothing.
    QCOMPARE(second, 0);
    QCOMPARE(settings.externalPrograms, after);
}

QTEST_GUILESS_MAIN(BrowserDetectionTest)
#include "BrowserDetectionTest.moc"
