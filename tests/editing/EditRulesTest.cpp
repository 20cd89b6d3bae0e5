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
};

void EditRulesTest::lineEndComesFromTheFirstLineEnd_data()
{
    // The bytes from the end of the first line on.
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<LineEnd>("expected");
    QTest::newRow("CR LF") << QByteArray("\r\nb\nc") << LineEnd::CrLf;
    QTest::newRow("LF") << QByteArray("\nb\r\nc") << LineEnd::Lf;
    QTest::newRow("lone CR") << QByteArray("\rb\r\n") << LineEnd::Cr;
    QTest::newRow("CR as last byte") << QByteArray("\r") << LineEnd::Cr;
    QTest::newRow("no line end") << QByteArray() << LineEnd::CrLf;
}

void EditRulesTest::lineEndComesFromTheFirstLineEnd()
{
    QFETCH(QByteArray, text);
    QFETCH(LineEnd, expected);
    QCOMPARE(EditRules::lineEndAt(text), expected);
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

QTEST_APPLESS_MAIN(EditRulesTest)
#include "EditRulesTest.moc"
