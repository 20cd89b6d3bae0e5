#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Quillorn;

class TempFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newFilesHaveHexNamesInAPrivateFolder();
};

void TempFilesTest::newFilesHaveHexNamesInAPrivateFolder()
{
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString folder = TempFiles::userFolder();
    QCOMPARE(folder, cache.filePath(QStringLiteral("quillorn")));
    struct stat info;
    QVERIFY(::stat(QFile::encodeName(folder).constData(), &info) == 0);
    QCOMPARE(int(info.st_mode & 07777), 0700);

    const TempFiles::Created first = TempFiles::create(folder, QString(), QStringLiteral(".tmp"));
    const TempFiles::Created second = TempFiles::create(folder, QString(), QStringLiteral(".tmp"));
    QVERIFY(first.ok() && second.ok());
    QVERIFY(first.path != second.path);
    const QRegularExpression name(QStringLiteral("^[0-9A-F]{8}\\.tmp$"));
    for (const QString& path : {first.path, second.path}) {
        QVERIFY2(name.match(QFileInfo(path).fileName()).hasMatch(), qPrintable(path));
        QVERIFY(::stat(QFile::encodeName(path).constData(), &info) == 0);
        QCOMPARE(int(info.st_mode & 07777), 0600);
    }

    // A link put in the folder's place, to a folder anyone could read, is not used.
    QVERIFY(QDir(folder).removeRecursively());
    QTemporaryDir elsewhere;
    QVERIFY(QFile::link(elsewhere.path(), folder));
    QCOMPARE(TempFiles::userFolder(), QString());
    QVERIFY(!TempFiles::create(TempFiles::userFolder(), QString(), QStringLiteral(".tmp")).ok());
}

QTEST_GUILESS_MAIN(TempFilesTest)
#include "TempFilesTest.moc"
