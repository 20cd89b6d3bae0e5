#include "editing/LexerChoice.h"
#include "editing/PhpKeywords.h"

#include <QTest>

using namespace Quillorn;

class LexerChoiceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void extensionChoosesLexer_data();
    void extensionChoosesLexer();
    void phpKeywordsAreOneLowerCaseList();
    void shippedPhpKeywordsAreRead();
};

void LexerChoiceTest::extensionChoosesLexer_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<LexerKind>("expected");
    QTest::newRow("html") << "/srv/page.html" << LexerKind::Html;
    QTest::newRow("HTM upper case") << "INDEX.HTM" << LexerKind::Html;
    QTest::newRow("php") << "a.php" << LexerKind::Html;
    QTest::newRow("phtml") << "a.phtml" << LexerKind::Html;
    QTest::newRow("php3") << "a.php3" << LexerKind::Html;
    QTest::newRow("js") << "lib/app.js" << LexerKind::JavaScript;
    QTest::newRow("css") << "C:\\site\\style.css" << LexerKind::Css;
    QTest::newRow("txt") << "notes.txt" << LexerKind::PlainText;
    QTest::newRow("no extension") << "Makefile" << LexerKind::PlainText;
    QTest::newRow("dot in folder only") << "/a.html/readme" << LexerKind::PlainText;
    QTest::newRow("new document") << "" << LexerKind::PlainText;
}

void LexerChoiceTest::extensionChoosesLexer()
{
    QFETCH(QString, fileName);
    QFETCH(LexerKind, expected);
    QCOMPARE(LexerChoice::forFileName(fileName), expected);
}

void LexerChoiceTest::phpKeywordsAreOneLowerCaseList()
{
    QCOMPARE(PhpKeywords::parse("Echo\r\nfunction\n\r\nbad word\r\nreturn\r\nlost"),
             QByteArray("echo function return"));
    QCOMPARE(PhpKeywords::load(QStringLiteral(QUILLORN_TEST_DATA "/editing/none.lng")),
             QByteArray());
}

void LexerChoiceTest::shippedPhpKeywordsAreRead()
{
    const QByteArray keywords =
        PhpKeywords::load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/php.lng"));
    const QList<QByteArray> words = keywords.split(' ');
    QVERIFY(words.contains("function"));
    QVERIFY(words.contains("foreach"));
    QVERIFY(words.contains("echo"));
}

QTEST_APPLESS_MAIN(LexerChoiceTest)
#include "LexerChoiceTest.moc"
