#include "tags/ReferenceTreeFile.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTest>

using namespace Quillorn;

namespace {

// A tree in a line of text: "title|folder:item=description=code,item...;folder..." for
// comparing what the reader made of damaged input.
QString outline(const ReferenceTree& tree)
{
    QStringList folders;
    for (const ReferenceTree::Folder& folder : tree.folders) {
        QStringList items;
        for (const ReferenceTree::Item& item : folder.items)
            items.append(item.name + QLatin1Char('=') + item.description + QLatin1Char('=') +
                         item.code);
        folders.append(folder.name + QLatin1Char(':') + items.join(QLatin1Char(',')));
    }
    return tree.title + QLatin1Char('|') + folders.join(QLatin1Char(';'));
}

} // namespace

class ReferenceTreeFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsAWellFormedFile();
    void damagedTextGivesWhatCanBeRead_data();
    void damagedTextGivesWhatCanBeRead();
    void fileCutInsideACharacterKeepsTheRest();
    void unreadableFilesAreReported();
    void shippedTreesAreComplete_data();
    void shippedTreesAreComplete();
};

void ReferenceTreeFileTest::readsAWellFormedFile()
{
    const auto result = ReferenceTreeFile::read(
        QStringLiteral(QUILLORN_TEST_DATA "/tags/sample.QLT"), QStringLiteral("english"));
    QVERIFY(result.ok());
    QCOMPARE(outline(result.tree),
             QStringLiteral("Sample reference|Strings:trim=Strips white space from both "
                            "ends.=trim($s),strlen=Length of a string.=strlen($s);"
                            "Math:abs=Absolute value.=abs($n)"));
    QCOMPARE(result.tree.itemCount(), 3);
}

void ReferenceTreeFileTest::damagedTextGivesWhatCanBeRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "|";
    QTest::newRow("title only") << "Just a title"
                                << "Just a title|";
    QTest::newRow("title and nothing more") << "T\x01"
                                            << "T|";
    QTest::newRow("cut after an item name") << "T\x01"
                                               "F\x03name"
                                            << "T|F:name==";
    QTest::newRow("cut inside the description") << "T\x01"
                                                   "F\x03name\x04half a desc"
                                                << "T|F:name=half a desc=";
    QTest::newRow("cut after the second field end") << "T\x01"
                                                       "F\x03name\x04"
                                                       "d\x04"
                                                    << "T|F:name=d=";
    QTest::newRow("title end missing") << "T\x02"
                                          "F\x03"
                                          "a\x04"
                                          "d\x04"
                                          "c"
                                       << "T|F:a=d=c";
    QTest::newRow("item before any folder") << "\x03"
                                               "a\x04"
                                               "d\x04"
                                               "c"
                                            << "|:a=d=c";
    QTest::newRow("extra field ends go to nothing") << "T\x01"
                                                       "F\x03"
                                                       "a\x04"
                                                       "d\x04"
                                                       "c1\x04"
                                                       "c2"
                                                    << "T|F:a=d=c1c2";
    QTest::newRow("field end in a folder name") << "T\x01"
                                                   "F\x04junk\x03"
                                                   "a\x04"
                                                   "d\x04"
                                                   "c"
                                                << "T|F:a=d=c";
    QTest::newRow("second title end is dropped") << "T\x01"
                                                    "F\x01"
                                                    "G\x03"
                                                    "a\x04"
                                                    "d\x04"
                                                    "c"
                                                 << "T|FG:a=d=c";
    QTest::newRow("empty folders and items are skipped") << "T\x01\x02\x02"
                                                            "F\x03\x03"
                                                            "a\x04"
                                                            "d\x04"
                                                            "c\x02"
                                                         << "T|F:a=d=c";
    QTest::newRow("names are trimmed, code is kept") << " T \x01 F \x03 a \x04 d \x04 x\r\n y "
                                                     << "T|F:a=d= x\r\n y ";
    QTest::newRow("separators reversed") << "\x04\x03\x02\x01"
                                         << "|";
}

void ReferenceTreeFileTest::damagedTextGivesWhatCanBeRead()
{
    QFETCH(QString, text);
    QTEST(outline(ReferenceTreeFile::parse(text)), "expected");
}

void ReferenceTreeFileTest::fileCutInsideACharacterKeepsTheRest()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    QByteArray bytes = QStringLiteral("Справка\x01Строки\x03trim\x04Обрезка\x04trim()").toUtf8();
    bytes.append("\x03\xD0", 2); // an item begun and cut inside its first letter
    QVERIFY(env.writeFile(QStringLiteral("cut.QLT"), bytes));
    const auto result =
        ReferenceTreeFile::read(env.path(QStringLiteral("cut.QLT")), QStringLiteral("english"));
    QVERIFY(result.ok());
    QCOMPARE(outline(result.tree), QStringLiteral("Справка|Строки:trim=Обрезка=trim()"));
}

void ReferenceTreeFileTest::unreadableFilesAreReported()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    const auto missing =
        ReferenceTreeFile::read(env.path(QStringLiteral("none.QLT")), QStringLiteral("english"));
    QVERIFY(!missing.ok());
    QVERIFY(missing.tree.isEmpty());

    QFile huge(env.path(QStringLiteral("huge.QLT")));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(ReferenceTreeFile::maximumSize + 1));
    huge.close();
    const auto tooLarge =
        ReferenceTreeFile::read(env.path(QStringLiteral("huge.QLT")), QStringLiteral("english"));
    QVERIFY(!tooLarge.ok());
}

void ReferenceTreeFileTest::shippedTreesAreComplete_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("minimumItems");
    QTest::newRow("JavaScript") << "JS.QLT" << 100;
    QTest::newRow("PHP") << "php.QLT" << 200;
}

void ReferenceTreeFileTest::shippedTreesAreComplete()
{
    QFETCH(QString, file);
    QFETCH(int, minimumItems);
    const auto result = ReferenceTreeFile::read(
        QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/") + file, QStringLiteral("russian"));
    QVERIFY(result.ok());
    QVERIFY(!result.tree.title.isEmpty());
    QVERIFY2(result.tree.itemCount() >= minimumItems,
             qPrintable(QString::number(result.tree.itemCount())));
    for (const ReferenceTree::Folder& folder : result.tree.folders) {
        QVERIFY(!folder.name.isEmpty());
        QVERIFY2(!folder.items.isEmpty(), qPrintable(folder.name));
        for (const ReferenceTree::Item& item : folder.items) {
            QVERIFY2(!item.name.isEmpty() && !item.description.isEmpty() && !item.code.isEmpty(),
                     qPrintable(folder.name + QLatin1Char('/') + item.name));
        }
    }
}

QTEST_GUILESS_MAIN(ReferenceTreeFileTest)
#include "ReferenceTreeFileTest.moc"
