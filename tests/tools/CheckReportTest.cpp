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
    void marksAndSummaryOfAReport_data();
    void marksAndSummaryOfAReport();
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

void CheckReportTest::marksAndSummaryOfAReport_data()
{
    QTest::addColumn<QString>("report");
    // "line:W" or "line:E" for each mark.
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QString>("summary");
    QTest::newRow("tidy") << "line 1 column 1 - Warning: missing <!DOCTYPE> declaration\n"
                             "line 3 column 10 - Warning: missing </b> before </p>\n"
                             "line 4 column 1 - Error: <foo> is not recognized!\n"
                             "line 4 column 1 - Warning: discarding unexpected <foo>\n"
                             "Info: Document content looks like HTML5\n"
                             "Tidy found 3 warnings and 1 error!"
                          << "1:W 3:W 4:E 4:W"
                          << "Tidy found 3 warnings and 1 error!";
    QTest::newRow("tidy, one warning")
        << "line 2 column 6 - Warning: missing </b> before </p>\r\nInfo: x\r\nTidy found 1 warning!"
        << "2:W"
        << "line 2 column 6 - Warning: missing </b> before </p>";
    QTest::newRow("php on both streams")
        << "PHP Parse error:  syntax error, unexpected token \"echo\" in b.php on line 3\n"
           "Parse error:  syntax error, unexpected token \"echo\" in b.php on line 3\n"
           "Errors parsing b.php"
        << "3:E"
        << "Parse error:  syntax error, unexpected token \"echo\" in b.php on line 3";
    QTest::newRow("php deprecation") << "PHP Deprecated:  x in a.php on line 2\nNo syntax errors"
                                     << "2:W"
                                     << "Deprecated:  x in a.php on line 2";
    QTest::newRow("clean") << "No syntax errors detected in c.php"
                           << ""
                           << "";
}

void CheckReportTest::marksAndSummaryOfAReport()
{
    QFETCH(QString, report);
    QFETCH(QString, marks);
    QFETCH(QString, summary);
    const QList<CurrentDocument::CheckMark> found = CheckReport::marks(report);
    QStringList got;
    for (const CurrentDocument::CheckMark& mark : found)
        got.append(QStringLiteral("%1:%2").arg(mark.line).arg(QLatin1Char(mark.error ? 'E' : 'W')));
    QCOMPARE(got.join(u' '), marks);
    QCOMPARE(CheckReport::summary(report, found), summary);
}

QTEST_GUILESS_MAIN(CheckReportTest)
#include "CheckReportTest.moc"
