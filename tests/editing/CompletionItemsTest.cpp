#include "editing/CompletionItems.h"

#include <QTest>

using namespace Quillorn;

class CompletionItemsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void itemsFollowKinds();
    void readsLfLinesAndDropsUnterminatedLast();
    void shippedListHasVoidElementsAlone();
    void missingFileGivesEmptyList();
    void firstItemStartingWithTypedText_data();
    void firstItemStartingWithTypedText();
    void movingWrapsAround_data();
    void movingWrapsAround();
};

void CompletionItemsTest::itemsFollowKinds()
{
    CompletionItems items;
    QVERIFY(items.load(QStringLiteral(QUILLORN_TEST_DATA "/editing/languages/SyntaxHTML.lng")));
    QCOMPARE(items.items(), QStringList({"?php", "A>", "/A>", "B>", "/B>", "BR>", "TABLE>",
                                         "/TABLE>", "TD>", "/TD>", "TR>", "/TR>"}));
    QCOMPARE(items.names().size(), 7);
    QCOMPARE(items.kinds().at(3), QStringLiteral("1"));
}

void CompletionItemsTest::readsLfLinesAndDropsUnterminatedLast()
{
    CompletionItems items;
    items.parse("P|2\nIMG|1\r\nHR|x\nSPAN|2");
    QCOMPARE(items.items(), QStringList({"P>", "/P>", "IMG>", "HR>"}));
}

void CompletionItemsTest::shippedListHasVoidElementsAlone()
{
    CompletionItems items;
    QVERIFY(items.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/SyntaxHTML.lng")));
    const QStringList& list = items.items();
    for (const char* alone : {"AREA", "BASE", "BR", "HR", "IMG", "INPUT", "LINK", "META"}) {
        QVERIFY2(list.contains(QLatin1String(alone) + QLatin1Char('>')), alone);
        QVERIFY2(!list.contains(QLatin1Char('/') + QLatin1String(alone) + QLatin1Char('>')), alone);
    }
    QVERIFY(list.contains(QStringLiteral("/TABLE>")));
    QVERIFY(list.contains(QStringLiteral("?php")));
    // A list item is inserted alone but still closes.
    QVERIFY(items.voidNames().contains("br"));
    QVERIFY(!items.voidNames().contains("li"));
    QVERIFY(!items.voidNames().contains("?php"));
}

void CompletionItemsTest::missingFileGivesEmptyList()
{
    CompletionItems items;
    items.parse("A|2\r\n");
    QVERIFY(!items.load(QStringLiteral(QUILLORN_TEST_DATA "/editing/no-such-file.lng")));
    QVERIFY(items.items().isEmpty());
}

void CompletionItemsTest::firstItemStartingWithTypedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("nothing typed") << "" << 0;
    QTest::newRow("lower case") << "ta" << 6;
    QTest::newRow("closing tag") << "/t" << 7;
    QTest::newRow("exact with bracket") << "b>" << 3;
    QTest::newRow("no match") << "xyz" << -1;
}

void CompletionItemsTest::firstItemStartingWithTypedText()
{
    QFETCH(QString, typed);
    QFETCH(int, expected);
    const QStringList items{"?php", "A>", "/A>", "B>", "/B>", "BR>", "TABLE>", "/TABLE>"};
    QCOMPARE(CompletionItems::firstStartingWith(items, typed), expected);
}

void CompletionItemsTest::movingWrapsAround_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("previous");
    QTest::newRow("first") << 0 << 1 << 4;
    QTest::newRow("last") << 4 << 0 << 3;
    QTest::newRow("none current") << -1 << 0 << 4;
}

void CompletionItemsTest::movingWrapsAround()
{
    QFETCH(int, current);
    QFETCH(int, next);
    QFETCH(int, previous);
    QCOMPARE(CompletionItems::next(current, 5), next);
    QCOMPARE(CompletionItems::previous(current, 5), previous);
}

QTEST_APPLESS_MAIN(CompletionItemsTest)
#include "CompletionItemsTest.moc"
