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
    const TempFiles::Created created = TempFiles::create(folder, QString(), ".tmp");
    QVERIFY(created.ok());
    QVERIFY2(
        QRegularExpression(QStringLiteral("/[0-9A-F]{8}\\.tmp$")).match(created.path).hasMatch(),
        qPrintable(created.path));
    struct stat info;
    QVERIFY(::stat(QFile::encodeName(folder).constData(), &info) == 0);
    QCOMPARE(int(info.st_mode & 07777), 0700);
    QVERIFY(::stat(QFile::encodeName(created.path).constData(), &info) == 0);
    QCOMPARE(int(info.st_mode & 07777), 0600);

    // A link put in the folder's place, to a folder others may read, is not used.
    QVERIFY(QDir(folder).removeRecursively());
    QTemporaryDir elsewhere;
    QVERIFY(QFile::link(elsewhere.path(), folder));
    QCOMPARE(TempFiles::userFolder(), QString());
}

QTEST_GUILESS_MAIN(TempFilesTest)
#include "TempFilesTest.moc"
