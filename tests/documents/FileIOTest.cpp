#include "documents/FileIO.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/types.h>

using namespace Quillorn;
using Failure = FileIO::Failure;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

mode_t modeOf(const QString& path)
{
    struct stat info;
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

// Whatever a save leaves beside its target besides the files a test made.
QStringList leftovers(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class FileIOTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readRefusesWhatIsNoFile_data();
    void readRefusesWhatIsNoFile();
    void textFileLinesAreJoinedWithCrLf_data();
    void textFileLinesAreJoinedWithCrLf();
    void textIsWrittenAsGivenAndAppendedInOneEncoding();
    void sizeQuestionAboveTheThreshold();
    void saveReplacesTheFileAndKeepsItsMode_data();
    void saveReplacesTheFileAndKeepsItsMode();
    void newFileFollowsTheUmask();
    void linkIsWrittenThrough();
    void failedSaveLeavesTheTargetAlone_data();
    void failedSaveLeavesTheTargetAlone();
    void fullDiskLeavesTheTargetAlone();
};

void FileIOTest::readRefusesWhatIsNoFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("failure");
    QTest::newRow("missing") << "/nonexistent/page.html" << int(Failure::Missing);
    QTest::newRow("empty path") << "" << int(Failure::Missing);
    QTest::newRow("folder") << QDir::tempPath() << int(Failure::Folder);
    QTest::newRow("device") << "/dev/zero" << int(Failure::NotRegularFile);
}

void FileIOTest::readRefusesWhatIsNoFile()
{
    QFETCH(QString, path);
    QFETCH(int, failure);
    const FileIO::ReadResult read = FileIO::readWholeFile(path);
    QCOMPARE(int(read.failure), failure);
    QVERIFY(read.bytes.isEmpty());
    QVERIFY(!read.error.isEmpty());
}

void FileIOTest::textFileLinesAreJoinedWithCrLf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("mixed ends, last ended") << QByteArray("a\r\nb\nc\r\n") << "a\r\nb\r\nc";
    QTest::newRow("last unended") << QByteArray("a\nb") << "a\r\nb";
    QTest::newRow("lone CR stays") << QByteArray("a\rb\n") << "a\rb";
    QTest::newRow("empty lines kept") << QByteArray("\n\nx\n") << "\r\n\r\nx";
    QTest::newRow("empty") << QByteArray() << "";
}

void FileIOTest::textFileLinesAreJoinedWithCrLf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    QVERIFY(put(path, bytes));
    QCOMPARE(FileIO::readTextFile(path, QString()), text);
}

void FileIOTest::textIsWrittenAsGivenAndAppendedInOneEncoding()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.qlp"));
    const QString first = QStringLiteral("/home/user/Привет.html");
    QVERIFY(FileIO::writeTextFile(path, first, false, QStringLiteral("russian")).ok());
    QCOMPARE(contents(path), QByteArray("/home/user/\xCF\xF0\xE8\xE2\xE5\xF2.html"));

    // The code page cannot hold the new line: the whole file becomes UTF-8, so the first
    // line still reads back as it was.
    const QString second = QStringLiteral("\r\n/srv/日本.html");
    QVERIFY(FileIO::writeTextFile(path, second, true, QStringLiteral("russian")).ok());
    QCOMPARE(FileIO::readTextFile(path, QStringLiteral("russian")), first + second);
    QCOMPARE(contents(path), (first + second).toUtf8());
}

void FileIOTest::sizeQuestionAboveTheThreshold()
{
    QVERIFY(!FileIO::needsSizeQuestion(FileIO::AskAboveBytes));
    QVERIFY(FileIO::needsSizeQuestion(FileIO::AskAboveBytes + 1));
    QVERIFY(FileIO::sizeQuestion(QStringLiteral("/x/big.html"), 500LL * 1024 * 1024)
                .contains(QLatin1String("500 MB")));
    QCOMPARE(FileIO::fileSize(QStringLiteral("/nonexistent")), -1);
}

void FileIOTest::saveReplacesTheFileAndKeepsItsMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("private") << 0600;
    QTest::newRow("group readable") << 0640;
    QTest::newRow("executable script") << 0755;
}

void FileIOTest::saveReplacesTheFileAndKeepsItsMode()
{
    QFETCH(int, mode);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QVERIFY(put(path, "old content that is longer than the new"));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
    const QByteArray bytes = QByteArrayLiteral("new\0bytes\r\n");
    const FileIO::WriteResult written = FileIO::saveFile(path, bytes);
    QVERIFY2(written.ok(), qPrintable(written.error));
    QCOMPARE(contents(path), bytes);
    QCOMPARE(int(modeOf(path)), mode);
    QCOMPARE(leftovers(dir.path()), QStringList{QStringLiteral("page.html")});
}

void FileIOTest::newFileFollowsTheUmask()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.css"));
    const mode_t old = ::umask(027);
    const FileIO::WriteResult written = FileIO::saveFile(path, "body{}");
    ::umask(old);
    QVERIFY(written.ok());
    QCOMPARE(int(modeOf(path)), 0640);
}

void FileIOTest::linkIsWrittenThrough()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("real")));
    const QString real = dir.filePath(QStringLiteral("real/site.html"));
    QVERIFY(put(real, "old"));
    // A relative link, as people make them.
    const QString link = dir.filePath(QStringLiteral("link.html"));
    QVERIFY(QFile::link(QStringLiteral("real/site.html"), link));
    QVERIFY(FileIO::saveFile(link, "through the link").ok());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(contents(real), QByteArray("through the link"));
    QCOMPARE(leftovers(dir.path()), QStringList{QStringLiteral("link.html")});
}

void FileIOTest::failedSaveLeavesTheTargetAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder gone") << "gone";
    QTest::newRow("target is a folder") << "folder";
    QTest::newRow("target is a device") << "device";
}

void FileIOTest::failedSaveLeavesTheTargetAlone()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path;
    if (kind == QLatin1String("gone")) {
        path = dir.filePath(QStringLiteral("sub/page.html"));
    } else if (kind == QLatin1String("folder")) {
        path = dir.filePath(QStringLiteral("page.html"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("page.html")));
    } else {
        path = QStringLiteral("/dev/null");
    }
    const FileIO::WriteResult written = FileIO::saveFile(path, "text");
    QVERIFY(!written.ok());
    QVERIFY(written.error.contains(QDir::toNativeSeparators(path)));
    if (kind == QLatin1String("folder"))
        QVERIFY(QFileInfo(path).isDir());
    if (kind == QLatin1String("device"))
        QVERIFY(!QFileInfo(path).isFile());
    QCOMPARE(leftovers(dir.path()), QStringList());
}

void FileIOTest::fullDiskLeavesTheTargetAlone()
{
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("a small tmpfs cannot be mounted here");
    struct Unmount {
        QByteArray point;
        ~Unmount() { ::umount(point.constData()); }
    } unmount{mountPoint};

    const QString path = dir.filePath(QStringLiteral("page.html"));
    const QByteArray old(16 * 1024, 'o');
    QVERIFY(put(path, old));
    const FileIO::WriteResult written = FileIO::saveFile(path, QByteArray(200 * 1024, 'n'));
    QVERIFY(!written.ok());
    QVERIFY2(written.error.contains(QLatin1String("space")), qPrintable(written.error));
    QCOMPARE(contents(path), old);
    QCOMPARE(leftovers(dir.path()), QStringList{QStringLiteral("page.html")});
    // Room again, the save goes through.
    QVERIFY(FileIO::saveFile(path, QByteArray(20 * 1024, 'n')).ok());
}

QTEST_GUILESS_MAIN(FileIOTest)
#include "FileIOTest.moc"
