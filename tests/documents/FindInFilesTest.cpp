#include "documents/FolderSearch.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillorn;

Q_DECLARE_METATYPE(TextFinder::Options)

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A folder of pages in the encodings opening meets: UTF-8, windows-1251 (told by nothing but
// the interface language), UTF-16 with its byte-order mark, a binary file, and a file the
// name filter leaves out.
void writeSamples(const QString& folder)
{
    writeFile(folder + "/a.html",
              QStringLiteral("<p>Привет, World</p>\r\nhello world\r\n").toUtf8());
    QStringEncoder cp1251("windows-1251");
    writeFile(folder + "/sub/b.htm", cp1251.encode(QStringLiteral("<p>Ёлка\n и ПРИВЕТ\n</p>")));
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    writeFile(folder + "/c.js", utf16.encode(QStringLiteral("var worlds = 'привет';\n")));
    writeFile(folder + "/d.css", QByteArray("hello world\0\x01\x02", 14));
    writeFile(folder + "/e.txt", "hello world");
}

// Every match of a finished search as "file:line:column", sorted.
QStringList results(const QSignalSpy& found, const QString& folder)
{
    QStringList lines;
    for (const QList<QVariant>& signal : found) {
        for (const auto& file : signal.at(1).value<QList<FolderSearch::FileMatches>>()) {
            const QString path = QDir(folder).relativeFilePath(file.path);
            for (const TextFinder::Match& match : file.matches)
                lines.append(
                    QStringLiteral("%1:%2:%3").arg(path).arg(match.line).arg(match.column));
        }
    }
    lines.sort();
    return lines;
}

TextFinder::Options options(const char* pattern, bool matchCase = false, bool wholeWords = false,
                            bool regex = false)
{
    return {QString::fromUtf8(pattern), matchCase, wholeWords, regex};
}

} // namespace

class FindInFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void folderSearchFindsInEveryEncoding_data();
    void folderSearchFindsInEveryEncoding();
    void matchesGiveBytesForReplacing();
    void wordIsFoundWhereverItStands_data();
    void wordIsFoundWhereverItStands();
    void badRegularExpressionIsTold();
    void cancelStopsALongSearch();
};

void FindInFilesTest::folderSearchFindsInEveryEncoding_data()
{
    QTest::addColumn<TextFinder::Options>("search");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("cyrillic, any case, three encodings")
        << options("привет") << QStringList{"a.html:1:4", "c.js:1:15", "sub/b.htm:2:4"};
    QTest::newRow("match case") << options("ПРИВЕТ", true) << QStringList{"sub/b.htm:2:4"};
    QTest::newRow("whole words") << options("world", false, true)
                                 << QStringList{"a.html:1:12", "a.html:2:7"};
    QTest::newRow("regular expression")
        << options("^\\s*и\\s+\\w+$", false, false, true) << QStringList{"sub/b.htm:2:1"};
    QTest::newRow("binary and filtered-out files are skipped")
        << options("hello", true) << QStringList{"a.html:2:1"};
}

void FindInFilesTest::folderSearchFindsInEveryEncoding()
{
    QFETCH(TextFinder::Options, search);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    writeSamples(dir.path());
    FolderSearch folderSearch;
    QSignalSpy found(&folderSearch, &FolderSearch::progress);
    QSignalSpy finished(&folderSearch, &FolderSearch::finished);

    folderSearch.start(dir.path(), QStringLiteral("*.html; *.htm,*.js *.css"), search,
                       QStringLiteral("russian"));
    QVERIFY(finished.wait());
    QCOMPARE(results(found, dir.path()), expected);
    QCOMPARE(finished.at(0).at(0).toBool(), false);
    QCOMPARE(finished.at(0).at(1).toInt(), 4);
}

void FindInFilesTest::matchesGiveBytesForReplacing()
{
    const QByteArray text = QStringLiteral("ёж\r\nЁЖ ёжик\rёж").toUtf8();
    const QList<TextFinder::Match> matches = TextFinder(options("ёж", false, true)).find(text);
    QCOMPARE(matches.size(), 3);
    QList<QByteArray> found;
    for (const TextFinder::Match& match : matches)
        found.append(text.mid(match.position, match.length));
    QCOMPARE(found, (QList<QByteArray>{"ёж", "ЁЖ", "ёж"}));
    // A lone CR ends a line as in the editor; the line's text is shown.
    QCOMPARE(matches.at(2).line, 3);
    QCOMPARE(matches.at(1).lineText, QStringLiteral("ЁЖ ёжик"));

    // A word of ASCII letters is whole only without letters of any script glued to it.
    const QList<TextFinder::Match> ascii =
        TextFinder(options("ab", false, true)).find(QStringLiteral("жab ab_ AB.").toUtf8());
    QCOMPARE(ascii.size(), 1);
    QCOMPARE(ascii.at(0).position, 9);
    QCOMPARE(ascii.at(0).column, 9);
}

void FindInFilesTest::wordIsFoundWhereverItStands_data()
{
    QTest::addColumn<TextFinder::Options>("search");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<bool>("found");

    QTest::newRow("any case") << options("Paragraph 7 ") << QByteArray("pARAGRAPH 7 ") << true;
    QTest::newRow("match case") << options("aBc", true) << QByteArray("aBc") << true;
    QTest::newRow("match case, other case") << options("aBc", true) << QByteArray("abc") << false;
    QTest::newRow("one letter") << options("q") << QByteArray("Q") << true;
    QTest::newRow("signs are no letters") << options("[x]") << QByteArray("{X}") << false;
    QTest::newRow("mixed case") << options("needle") << QByteArray("NeEdlE") << true;
    QTest::newRow("inner letter differs") << options("needle") << QByteArray("neeple") << false;
}

void FindInFilesTest::wordIsFoundWhereverItStands()
{
    QFETCH(TextFinder::Options, search);
    QFETCH(QByteArray, written);
    QFETCH(bool, found);
    const TextFinder finder(search);
    // Line ends of every kind and pieces of the word before and after it, at every distance
    // from the start and the end of the text.
    const QByteArray filler = "\r\n-\r-\n" + written.left(written.size() - 1);
    for (int before = 0; before < 24; ++before) {
        for (int after = 0; after < 12; ++after) {
            const QByteArray head = filler.repeated(before + 1).left(before);
            const QByteArray text = head + written + filler.repeated(after + 1).left(after);
            const QList<TextFinder::Match> matches = finder.find(text);
            QCOMPARE(matches.size(), found ? 1 : 0);
            if (!found)
                continue;
            QCOMPARE(matches.at(0).position, before);
            QCOMPARE(matches.at(0).line,
                     1 + head.count('\n') + head.count('\r') - head.count("\r\n"));
        }
    }
}

void FindInFilesTest::badRegularExpressionIsTold()
{
    const TextFinder finder(options("a(b", false, false, true));
    QVERIFY(!finder.isValid());
    QVERIFY(!finder.errorText().isEmpty());
    QVERIFY(finder.find("a(b").isEmpty());
    QVERIFY(TextFinder(options("a(b")).isValid());
}

void FindInFilesTest::cancelStopsALongSearch()
{
    QTemporaryDir dir;
    constexpr int FileCount = 8000;
    for (int i = 0; i < FileCount; ++i)
        writeFile(dir.path() + QStringLiteral("/p%1.html").arg(i), "<p>needle</p>\n");
    FolderSearch folderSearch;
    QSignalSpy found(&folderSearch, &FolderSearch::progress);
    QSignalSpy finished(&folderSearch, &FolderSearch::finished);

    folderSearch.start(dir.path(), QStringLiteral("*.html"), options("needle"), QString());
    QVERIFY(found.wait());
    folderSearch.cancel();
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QVERIFY(finished.at(0).at(1).toInt() < FileCount);
    QVERIFY(!folderSearch.isRunning());
}

QTEST_MAIN(FindInFilesTest)
#include "FindInFilesTest.moc"
