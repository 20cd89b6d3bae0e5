#include "documents/FileIO.h"
#include "platform/FileReader.h"
#include "platform/LangStrings.h"
#include "platform/posix/Mapping.h"
#include "support/SmallFileSystem.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <utime.h>

using namespace Quillorn;
using Kind = FileFailure::Kind;

namespace {

LangStrings shippedStrings(const QString& language)
{
    LangStrings strings;
    strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/") + language +
                     QLatin1String("/main.lng"),
                 language);
    return strings;
}

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

struct stat statOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

mode_t modeOf(const QString& path)
{
    return statOf(path).st_mode & 07777;
}

// Saves as the ordinary user "nobody" (the process runs as root): root passes every
// permission check, a user does not.
FileFailure saveAsNobody(const passwd& nobody, const QString& path, const QByteArray& bytes)
{
    if (::setegid(nobody.pw_gid) != 0 || ::seteuid(nobody.pw_uid) != 0)
        return FileFailure::saving(Kind::System, path, errno);
    const FileFailure written = FileIO::saveFile(path, bytes);
    (void)::seteuid(0);
    (void)::setegid(0);
    return written;
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
    void saveKeepsLinksOwnerAndMode_data();
    void saveKeepsLinksOwnerAndMode();
    void interruptedSaveLeavesNothingBehind();
    void failuresAreToldInTheInterfaceLanguage();
};

void FileIOTest::readRefusesWhatIsNoFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Kind>("failure");
    QTest::newRow("missing") << "/nonexistent/page.html" << Kind::Missing;
    QTest::newRow("empty path") << "" << Kind::Missing;
    QTest::newRow("folder") << QDir::tempPath() << Kind::Folder;
    QTest::newRow("device") << "/dev/zero" << Kind::NotRegular;
}

void FileIOTest::readRefusesWhatIsNoFile()
{
    QFETCH(QString, path);
    QFETCH(Kind, failure);
    const FileIO::ReadResult read = FileIO::readWholeFile(path);
    QCOMPARE(read.failure.kind(), failure);
    QCOMPARE(read.failure.path(), path);
    QVERIFY(read.bytes.isEmpty());
    // Mapping refuses the same things.
    Posix::RegularFile::Refusal refusal;
    int error = 0;
    QVERIFY(
        Posix::Mapping::map(QFile::encodeName(path).constData(), refusal, error).bytes().empty());
    QCOMPARE(FileReader::kindOf(refusal), failure);
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
    QVERIFY(FileIO::sizeQuestion(shippedStrings(QStringLiteral("english")),
                                 QStringLiteral("/x/big.html"), 500LL * 1024 * 1024)
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
    QVERIFY(written.ok());
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
    QVERIFY(written.describe(shippedStrings(QStringLiteral("english")))
                .contains(QDir::toNativeSeparators(path)));
    if (kind == QLatin1String("folder"))
        QVERIFY(QFileInfo(path).isDir());
    if (kind == QLatin1String("device"))
        QVERIFY(!QFileInfo(path).isFile());
    QCOMPARE(leftovers(dir.path()), QStringList());
}

void FileIOTest::fullDiskLeavesTheTargetAlone()
{
    const Test::SmallFileSystem disk(64);
    if (!disk.isMounted())
        QSKIP("a small tmpfs cannot be mounted here");

    const QString path = disk.path(QStringLiteral("page.html"));
    const QByteArray old(16 * 1024, 'o');
    QVERIFY(put(path, old));
    const FileIO::WriteResult written = FileIO::saveFile(path, QByteArray(200 * 1024, 'n'));
    QVERIFY(!written.ok());
    QCOMPARE(written.systemError(), ENOSPC);
    QCOMPARE(contents(path), old);
    QCOMPARE(leftovers(disk.path({})), QStringList{QStringLiteral("page.html")});
    // Room again, the save goes through.
    QVERIFY(FileIO::saveFile(path, QByteArray(20 * 1024, 'n')).ok());
}

void FileIOTest::saveKeepsLinksOwnerAndMode_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("hard link") << "link";
    QTest::newRow("read-only folder, writable file") << "read-only folder";
    QTest::newRow("file of another owner") << "other owner";
}

void FileIOTest::saveKeepsLinksOwnerAndMode()
{
    QFETCH(QString, kind);
    const passwd* nobody = ::getpwnam("nobody");
    const bool asNobody = ::geteuid() == 0 && nobody && kind != QLatin1String("link");
    if (kind == QLatin1String("other owner") && !asNobody)
        QSKIP("a file of another owner needs root to set up");
    QTemporaryDir dir;
    QTemporaryDir cache;
    const QByteArray userCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_CACHE_HOME", userCache);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    });
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QVERIFY(put(path, "old text, longer than the new"));
    QStringList names{QStringLiteral("page.html")};
    if (kind == QLatin1String("link")) {
        names.append(QStringLiteral("other.html"));
        QVERIFY(::link(QFile::encodeName(path).constData(),
                       QFile::encodeName(dir.filePath(names.last())).constData()) == 0);
    }
    // Their own file in a folder they may not write, or root's file open to all in a folder
    // open to all.
    const bool readOnlyFolder = kind == QLatin1String("read-only folder");
    const mode_t mode = kind == QLatin1String("other owner") ? 0666 : 0640;
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
    if (asNobody) {
        QVERIFY(::chown(QFile::encodeName(cache.path()).constData(), nobody->pw_uid, 0) == 0);
        if (readOnlyFolder)
            QVERIFY(::chown(QFile::encodeName(path).constData(), nobody->pw_uid, 0) == 0);
    }
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), readOnlyFolder ? 0555 : 0777) == 0);
    const struct stat before = statOf(path);

    const QByteArray bytes("new text");
    QVERIFY(asNobody ? saveAsNobody(*nobody, path, bytes).ok()
                     : FileIO::saveFile(path, bytes).ok());
    for (const QString& name : names)
        QCOMPARE(contents(dir.filePath(name)), bytes);
    const struct stat after = statOf(path);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(int(modeOf(path)), int(mode));
    names.sort();
    QCOMPARE(leftovers(dir.path()), names);
    // The copy of the old bytes kept during the write is gone.
    QCOMPARE(leftovers(cache.filePath(QStringLiteral("quillorn"))), QStringList());
}

void FileIOTest::interruptedSaveLeavesNothingBehind()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.html"));
    QVERIFY(put(path, "old"));
    // What a save killed half-way left an hour ago, and the same of another document.
    const utimbuf anHourAgo{::time(nullptr) - 3600, ::time(nullptr) - 3600};
    for (const char* name : {".doc.html.0123ABCD.tmp", ".other.html.0123ABCD.tmp"}) {
        QVERIFY(put(dir.filePath(QLatin1String(name)), "half"));
        QVERIFY(::utime(QFile::encodeName(dir.filePath(QLatin1String(name))).constData(),
                        &anHourAgo) == 0);
    }
    QVERIFY(FileIO::saveFile(path, "new").ok());
    QCOMPARE(contents(path), QByteArray("new"));
    QCOMPARE(leftovers(dir.path()),
             (QStringList{QStringLiteral(".other.html.0123ABCD.tmp"), QStringLiteral("doc.html")}));
}

void FileIOTest::failuresAreToldInTheInterfaceLanguage()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("gone"));
    const QString path = folder + QLatin1String("/page.html");
    const LangStrings russian = shippedStrings(QStringLiteral("russian"));
    QCOMPARE(FileIO::readWholeFile(path).failure.describe(russian),
             QStringLiteral("\u201C%1\u201D не существует.").arg(path));
    QCOMPARE(
        FileIO::saveFile(path, "text").describe(russian),
        QStringLiteral("Не удалось сохранить \u201C%1\u201D: папка \u201C%2\u201D не существует.")
            .arg(path, folder));
}

QTEST_GUILESS_MAIN(FileIOTest)
#include "FileIOTest.moc"
