#include "preview/SourceMap.h"

#include <QTest>

#include <cctype>

using namespace Quillorn;

// The start tags of a page's text, as the preview's copy marks them and the caret finds them.
class SourceMapTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void marksEveryStartTagWithItsPosition_data();
    void marksEveryStartTagWithItsPosition();
    void findsTheElementsAroundAPosition_data();
    void findsTheElementsAroundAPosition();
};

void SourceMapTest::marksEveryStartTagWithItsPosition_data()
{
    QTest::addColumn<QByteArray>("text");
    // The text with each start tag's position after its name, written "<p@3>".
    QTest::addColumn<QByteArray>("marked");
    QTest::newRow("nested") << QByteArray("<div><p>a <b>b</b></p></div>")
                            << QByteArray("<div@0><p@5>a <b@10>b</b></p></div>");
    QTest::newRow("> in quotes, quote in a name")
        << QByteArray("<a title=\"x>y\" data-x='1>2' don't>z</a><i>")
        << QByteArray("<a@0 title=\"x>y\" data-x='1>2' don't>z</a><i@39>");
    QTest::newRow("comment, doctype, CDATA")
        << QByteArray("<!DOCTYPE html><!-- <p> --><![CDATA[<q>]]><br/>")
        << QByteArray("<!DOCTYPE html><!-- <p> --><![CDATA[<q>]]><br@42/>");
    QTest::newRow("script and style contents")
        << QByteArray("<script>if (a<b) x='<p>';</script><STYLE>a>b{}</style><p>")
        << QByteArray("<script@0>if (a<b) x='<p>';</script><STYLE@34>a>b{}</style><p@54>");
    QTest::newRow("PHP blocks, also inside a tag")
        << QByteArray("<?php echo '<p>'; ?><a href=\"<?= \"x>\" ?>\">k</a><? $a ?><i>")
        << QByteArray("<?php echo '<p>'; ?><a@20 href=\"<?= \"x>\" ?>\">k</a><? $a ?><i@55>");
    QTest::newRow("not tags") << QByteArray("a < b, 1<2, </ p>, <p")
                              << QByteArray("a < b, 1<2, </ p>, <p");
    QTest::newRow("UTF-8 before") << QByteArray("\xc3\xa9<b>") << QByteArray("\xc3\xa9<b@2>");
}

void SourceMapTest::marksEveryStartTagWithItsPosition()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, marked);
    // "@3" stands for ' data-qsrc="3"'.
    QByteArray expected;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] != '@') {
            expected.append(marked[i]);
            continue;
        }
        expected.append(QByteArray(" ") + SourceMap::Attribute + "=\"");
        while (i + 1 < marked.size() && std::isdigit(static_cast<unsigned char>(marked[i + 1])))
            expected.append(marked[++i]);
        expected.append('"');
    }
    QCOMPARE(SourceMap::marked(text, SourceMap::scan(text)), expected);
}

void SourceMapTest::findsTheElementsAroundAPosition_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QList<qint64>>("starts"); // innermost first
    const QByteArray page("<ul><li>a<li>b <i>c</i> d</ul><p>e");
    QTest::newRow("in a start tag") << page << qint64(1) << QList<qint64>{0};
    QTest::newRow("in an unclosed item") << page << qint64(8) << QList<qint64>{4, 0};
    QTest::newRow("innermost") << page << qint64(18) << QList<qint64>{15, 9, 4, 0};
    QTest::newRow("after an inner end tag") << page << qint64(24) << QList<qint64>{9, 4, 0};
    QTest::newRow("open to the end") << page << qint64(33) << QList<qint64>{30};
    QTest::newRow("void element") << QByteArray("<p><br>x</p>") << qint64(7) << QList<qint64>{0};
    QTest::newRow("outside") << QByteArray("x<b>y</b>z") << qint64(9) << QList<qint64>{};
}

void SourceMapTest::findsTheElementsAroundAPosition()
{
    QFETCH(QByteArray, text);
    QFETCH(qint64, position);
    QFETCH(QList<qint64>, starts);
    QCOMPARE(SourceMap::enclosing(SourceMap::scan(text), position), starts);
}

QTEST_APPLESS_MAIN(SourceMapTest)
#include "SourceMapTest.moc"
