#include "tools/ToolOutput.h"

#include <QTest>

using namespace Quillorn;

class ToolOutputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cutsAfterTheLastHtmlEnd_data();
    void cutsAfterTheLastHtmlEnd();
    void removesOnlyThisTidysGenerator_data();
    void removesOnlyThisTidysGenerator();
};

void ToolOutputTest::cutsAfterTheLastHtmlEnd_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("two: after the last") << QByteArray("<!-- </html> --></html>\nnotes") << false
                                         << QByteArray("<!-- </html> --></html>");
    QTest::newRow("capitals") << QByteArray("<HTML></HTML>\r\nline 1") << false
                              << QByteArray("<HTML></HTML>");
    QTest::newRow("none: whole") << QByteArray("line 1 column 1 - Error") << false
                                 << QByteArray("line 1 column 1 - Error");
    QTest::newRow("exact case leaves capitals")
        << QByteArray("<p></HTML>tail") << true << QByteArray("<p></HTML>tail");
}

void ToolOutputTest::cutsAfterTheLastHtmlEnd()
{
    QFETCH(QByteArray, out);
    QFETCH(bool, caseSensitive);
    QFETCH(QByteArray, expected);
    QCOMPARE(ToolOutput::cutAfterLastHtmlEnd(out, caseSensitive ? Qt::CaseSensitive
                                                                : Qt::CaseInsensitive),
             expected);
}

void ToolOutputTest::removesOnlyThisTidysGenerator_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray head = "<head>\n";
    const QByteArray rest = "<title>t</title>\n\xff";
    QTest::newRow("HTML") << head + "<meta name=\"generator\" content=\n\"HTML Tidy 9\">\n" + rest
                          << head + rest;
    QTest::newRow("XHTML, CR LF")
        << head + "<meta name=\"generator\" content=\r\n\"HTML Tidy 9\" />\r\n" + rest
        << head + rest;
    QTest::newRow("capitals") << head + "<META NAME=\"generator\" CONTENT=\n\"html tidy 9\">\n" +
                                     rest
                              << head + rest;
    const QByteArray other = head + "<meta name=\"generator\" content=\n\"HTML Tidy 8\">\n" + rest;
    QTest::newRow("another version stays") << other << other;
}

void ToolOutputTest::removesOnlyThisTidysGenerator()
{
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, expected);
    const QString generator =
        ToolOutput::generatorOf("<meta name=\"generator\" content=\n\"HTML Tidy 9\">");
    QCOMPARE(generator, QStringLiteral("HTML Tidy 9"));
    QCOMPARE(ToolOutput::withoutGenerator(out, generator), expected);
}

QTEST_APPLESS_MAIN(ToolOutputTest)
#include "ToolOutputTest.moc"
