#include "tools/CheckReport.h"

#include <QTest>

using namespace Quillorn;

class CheckReportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void trimCutsAtTheFirstEmptyLine_data();
    void trimCutsAtTheFirstEmptyLine();
    void linesNameTheirPlaceInTheDocument_data();
    void linesNameTheirPlaceInTheDocument();
};

void CheckReportTest::trimCutsAtTheFirstEmptyLine_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LF") << "a\nTidy found 1 warning!\n\nAbout\n\nmore"
                        << "a\nTidy found 1 warning!";
    QTest::newRow("CRLF before LF") << "a\r\nsummary\r\n\r\nb\n\nc"
                                    << "a\r\nsummary";
    QTest::newRow("LF before CRLF") << "summary\n\nb\r\n\r\nc"
                                    << "summary";
    QTest::newRow("mixed ends") << "summary\r\n\nb"
                                << "summary";
    QTest::newRow("none") << "a\nsummary\n"
                          << "a\nsummary\n";
    QTest::newRow("empty line first") << "\r\n\r\nsummary\n\nnotes"
                                      << "\r\n\r\nsummary";
    QTest::newRow("only line ends") << "\n\n"
                                    << "\n\n";
}

void CheckReportTest::trimCutsAtTheFirstEmptyLine()
{
    QFETCH(QString, out);
    QFETCH(QString, expected);
    QCOMPARE(CheckReport::trim(out), expected);
}

void CheckReportTest::linesNameTheirPlaceInTheDocument_data()
{
    QTest::addColumn<QString>("report");
    // "line:column" for each line of the report, "-" where it names no place.
    QTest::addColumn<QString>("places");
    QTest::newRow("tidy") << "line 12 column 5 - Warning: missing </b>"
                          << "12:5";
    QTest::newRow("tidy, upper case") << "LINE 3 COLUMN 40 - Error: <foo>"
                                      << "3:40";
    QTest::newRow("php") << "PHP Parse error: syntax error in /tmp/x.php on line 7"
                         << "7:1";
    QTest::newRow("php quoting a place") << "Parse error: 'on line 99' On Line 4"
                                         << "4:1";
    QTest::newRow("CRLF lines") << "line 2 column 1 - a\r\nInfo: HTML5\r\nx on line 3"
                                << "2:1 - 3:1";
    QTest::newRow("words ending in line") << "Deadline 5 column 2; online 3"
                                          << "-";
    QTest::newRow("line 0, too large") << "line 0 column 1 - x\nx on line 99999999999"
                                       << "- -";
}

void CheckReportTest::linesNameTheirPlaceInTheDocument()
{
    QFETCH(QString, report);
    QFETCH(QString, places);
    QStringList texts;
    QStringList got;
    for (const CheckReport::Line& line : CheckReport::lines(report)) {
        texts.append(line.text);
        got.append(
            line.reference
                ? QStringLiteral("%1:%2").arg(line.reference->line).arg(line.reference->column)
                : QStringLiteral("-"));
    }
    QCOMPARE(texts.join(u'\n'), QString(report).remove(u'\r'));
    QCOMPARE(got.join(u' '), places);
}

QTEST_GUILESS_MAIN(CheckReportTest)
#include "CheckReportTest.moc"
