#include "editing/TagPairs.h"

#include <QTest>

using namespace Quillorn;

namespace {

// The caret is where "|" stands; it is taken out of the text.
std::pair<QByteArray, qint64> withCaret(QByteArray text)
{
    const qint64 caret = text.indexOf('|');
    text.remove(caret, 1);
    return {text, caret};
}

const QSet<QByteArray> VoidNames{"br", "img", "li"};

} // namespace

class TagPairsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tagPartner_data();
    void tagPartner();
    void bracketPartner_data();
    void bracketPartner();
    void innermostOpen_data();
    void innermostOpen();
    void closingFor_data();
    void closingFor();
};

void TagPairsTest::tagPartner_data()
{
    QTest::addColumn<QByteArray>("text");
    // The partner's name as found, or empty for none.
    QTest::addColumn<qint64>("partnerAt");
    QTest::newRow("nested same name, forward") << QByteArray("<d|iv><div></div></div>") << 18LL;
    QTest::newRow("nested same name, back") << QByteArray("<div><div></div></d|iv>") << 1LL;
    QTest::newRow("caret just after the name") << QByteArray("<p|>x</P>") << 6LL;
    QTest::newRow("unbalanced: no closing") << QByteArray("<div|><p></p>") << -1LL;
    QTest::newRow("unbalanced: no opening") << QByteArray("<p></p></d|iv>") << -1LL;
    QTest::newRow("void element") << QByteArray("<b|r><br>") << -1LL;
    QTest::newRow("self-closing") << QByteArray("<x|/></x>") << -1LL;
    QTest::newRow("caret in text") << QByteArray("<p>t|ext</p>") << -1LL;
    QTest::newRow("comment passed over")
        << QByteArray("<u|l><!-- </ul> --><?php echo '</ul>' ?></ul>") << 41LL;
    QTest::newRow("script text is no markup")
        << QByteArray("<scr|ipt>if (a<b) x = '<p>';</script>") << 29LL;
}

void TagPairsTest::tagPartner()
{
    QFETCH(QByteArray, text);
    QFETCH(qint64, partnerAt);
    const auto [page, caret] = withCaret(text);
    const auto pair = TagPairs::tagPartner(page, caret);
    QCOMPARE(pair ? pair->partner : -1, partnerAt);
    if (pair)
        QVERIFY(pair->at <= caret && caret <= pair->atEnd);
}

void TagPairsTest::bracketPartner_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("partnerAt");
    QTest::newRow("after the caret") << QByteArray("|{ a { b } }") << 10LL;
    QTest::newRow("before the caret") << QByteArray("f((x), y)|") << 1LL;
    QTest::newRow("other kinds do not count") << QByteArray("|[ ( ]") << 4LL;
    QTest::newRow("unbalanced") << QByteArray("|( ( )") << -1LL;
}

void TagPairsTest::bracketPartner()
{
    QFETCH(QByteArray, text);
    QFETCH(qint64, partnerAt);
    const auto [page, caret] = withCaret(text);
    const auto pair = TagPairs::bracketPartner(page, caret);
    QVERIFY(pair && pair->bracket);
    QCOMPARE(pair->partner, partnerAt);
}

void TagPairsTest::innermostOpen_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("nested") << QByteArray("<HTML><body><Div class=x>text") << QByteArray("Div");
    QTest::newRow("closed children") << QByteArray("<ul><p>a</p><p>b</p>") << QByteArray("ul");
    QTest::newRow("void element passed") << QByteArray("<td>x<br><img src=a>") << QByteArray("td");
    QTest::newRow("element with an unclosed child closed")
        << QByteArray("<div><span><p>text</span>") << QByteArray("div");
    QTest::newRow("nothing open") << QByteArray("<p>x</p>") << QByteArray();
    QTest::newRow("inside PHP") << QByteArray("<div><?php echo '") << QByteArray();
    QTest::newRow("inside a script") << QByteArray("<div><script>var s = '") << QByteArray();
    QTest::newRow("after a script") << QByteArray("<div><script>a<b</script>") << QByteArray("div");
}

void TagPairsTest::innermostOpen()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, name);
    QCOMPARE(TagPairs(VoidNames).innermostOpen(before), name);
}

void TagPairsTest::closingFor_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("closing");
    QTest::newRow("opening tag") << QByteArray("<p><Table border=1>") << QByteArray("</Table>");
    QTest::newRow("script tag itself") << QByteArray("<script>") << QByteArray("</script>");
    QTest::newRow("void element") << QByteArray("<p><BR>") << QByteArray();
    QTest::newRow("self-closing") << QByteArray("<p/>") << QByteArray();
    QTest::newRow("closing tag") << QByteArray("<p></p>") << QByteArray();
    QTest::newRow("text") << QByteArray("<p>a >") << QByteArray();
    QTest::newRow("inside PHP") << QByteArray("<?php $a-><b>") << QByteArray();
    QTest::newRow("inside a script") << QByteArray("<script>if (a <b>") << QByteArray();
}

void TagPairsTest::closingFor()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, closing);
    QCOMPARE(TagPairs(VoidNames).closingFor(before), closing);
}

QTEST_APPLESS_MAIN(TagPairsTest)
#include "TagPairsTest.moc"
