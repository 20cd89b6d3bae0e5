#include "editing/EditRules.h"

#include <QTest>

using namespace Quillorn;
using LineEnd = EditRules::LineEnd;

class EditRulesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lineEndComesFromTheFirstLineEnd_data();
    void lineEndComesFromTheFirstLineEnd();
    void indentationCopiesLeadingBlanks_data();
    void indentationCopiesLeadingBlanks();
    void tagPairWrapsSelection_data();
    void tagPairWrapsSelection();
};

void EditRulesTest::lineEndComesFromTheFirstLineEnd_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<LineEnd>("expected");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\nc") << LineEnd::CrLf;
    QTest::newRow("LF") << QByteArray("a\nb\r\nc") << LineEnd::Lf;
    QTest::newRow("lone CR") << QByteArray("a\rb\r\n") << LineEnd::Cr;
    QTest::newRow("CR as last byte") << QByteArray("abc\r") << LineEnd::Cr;
    QTest::newRow("no line end") << QByteArray("one line") << LineEnd::CrLf;
    QTest::newRow("empty") << QByteArray() << LineEnd::CrLf;
    QTest::newRow("NUL before line end") << QByteArray("a\0b\nc", 5) << LineEnd::Lf;
}

void EditRulesTest::lineEndComesFromTheFirstLineEnd()
{
    QFETCH(QByteArray, text);
    QFETCH(LineEnd, expected);
    QCOMPARE(EditRules::detectLineEnd(text), expected);
}

void EditRulesTest::indentationCopiesLeadingBlanks_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<LineEnd>("lineEnd");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("two spaces one tab")
        << QByteArray("  \tabc") << LineEnd::CrLf << QByteArray("\r\n  \t");
    QTest::newRow("unindented") << QByteArray("abc") << LineEnd::CrLf << QByteArray("\r\n");
    QTest::newRow("tabs before spaces give spaces first")
        << QByteArray("\t \t x") << LineEnd::Lf << QByteArray("\n  \t\t");
    QTest::newRow("blank line") << QByteArray("   ") << LineEnd::Lf << QByteArray("\n   ");
    QTest::newRow("lone CR document") << QByteArray("\tx") << LineEnd::Cr << QByteArray("\r\t");
    QTest::newRow("blanks after text do not count")
        << QByteArray("x  \t") << LineEnd::CrLf << QByteArray("\r\n");
}

void EditRulesTest::indentationCopiesLeadingBlanks()
{
    QFETCH(QByteArray, line);
    QFETCH(LineEnd, lineEnd);
    QFETCH(QByteArray, expected);
    QCOMPARE(EditRules::indentation(line, lineEnd), expected);
}

void EditRulesTest::tagPairWrapsSelection_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty selection") << "B" << QString() << "<B></B>";
    QTest::newRow("word") << "B"
                          << "word"
                          << "<B>word</B>";
    QTest::newRow("heading") << "H3"
                             << "Привет"
                             << "<H3>Привет</H3>";
}

void EditRulesTest::tagPairWrapsSelection()
{
    QFETCH(QString, tag);
    QFETCH(QString, selected);
    QFETCH(QString, expected);
    QCOMPARE(EditRules::tagPair(tag, selected), expected);
}

QTEST_APPLESS_MAIN(EditRulesTest)
#include "EditRulesTest.moc"
