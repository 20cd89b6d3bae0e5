#include "side/RichTextHtml.h"

#include <QGuiApplication>
#include <QPalette>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

using namespace Quillorn;

namespace {

// Writes one case's text into an empty document through a text cursor, as the composer does.
using Build = void (*)(QTextCursor&);

QTextCharFormat chars(QFont::Weight weight, bool italic = false)
{
    QTextCharFormat format;
    format.setFontWeight(weight);
    format.setFontItalic(italic);
    return format;
}

QTextListFormat list(QTextListFormat::Style style, int indent)
{
    QTextListFormat format;
    format.setStyle(style);
    format.setIndent(indent);
    return format;
}

} // namespace

Q_DECLARE_METATYPE(Build)

// The composer's HTML: formatting written as clean, nested and indented markup, pasted markup
// without its scripts, and a rich sample that Tidy finds no fault with.
class RichTextHtmlTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formattingBecomesMinimalHtml_data();
    void formattingBecomesMinimalHtml();
    void pastedHtmlLosesScripts_data();
    void pastedHtmlLosesScripts();
    void codeThatWouldBeDroppedIsTold_data();
    void codeThatWouldBeDroppedIsTold();
    void richSamplePassesTidy();
};

void RichTextHtmlTest::formattingBecomesMinimalHtml_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QString>("html");

    QTest::newRow("bold around italic") << Build([](QTextCursor& c) {
        c.insertText(QStringLiteral("a "), chars(QFont::Normal));
        c.insertText(QStringLiteral("b"), chars(QFont::Bold));
        c.insertText(QStringLiteral(" c"), chars(QFont::Bold, true));
        c.insertText(QStringLiteral(" d"), chars(QFont::Normal));
    }) << "<p>a <strong>b<em> c</em></strong> d</p>\n";
    QTest::newRow("longer mark outside") << Build([](QTextCursor& c) {
        c.insertText(QStringLiteral("x"), chars(QFont::Normal, true));
        c.insertText(QStringLiteral("y"), chars(QFont::Bold, true));
        c.insertText(QStringLiteral("z"), chars(QFont::Normal, true));
    }) << "<p><em>x<strong>y</strong>z</em></p>\n";
    QTest::newRow("heading says bold") << Build([](QTextCursor& c) {
        QTextBlockFormat heading;
        heading.setHeadingLevel(2);
        c.setBlockFormat(heading);
        c.insertText(QStringLiteral("Title"), chars(QFont::Bold));
        c.insertBlock(QTextBlockFormat());
        c.insertText(QStringLiteral("body"), chars(QFont::Normal));
    }) << "<h2>Title</h2>\n<p>body</p>\n";
    QTest::newRow("bulleted list") << Build([](QTextCursor& c) {
        c.insertText(QStringLiteral("one"));
        c.createList(list(QTextListFormat::ListDisc, 1));
        c.insertBlock();
        c.insertText(QStringLiteral("two"));
    }) << "<ul>\n  <li>one</li>\n  <li>two</li>\n</ul>\n";
    QTest::newRow("nested list")
        << Build([](QTextCursor& c) {
               c.insertText(QStringLiteral("one"));
               QTextList* outer = c.createList(list(QTextListFormat::ListDecimal, 1));
               c.insertBlock();
               c.insertText(QStringLiteral("inner"));
               c.createList(list(QTextListFormat::ListDisc, 2));
               c.insertBlock();
               outer->add(c.block());
               c.insertText(QStringLiteral("three"));
               c.insertBlock(QTextBlockFormat());
               c.insertText(QStringLiteral("after"));
           })
        << "<ol>\n  <li>one\n    <ul>\n      <li>inner</li>\n    </ul>\n  </li>\n"
           "  <li>three</li>\n</ol>\n<p>after</p>\n";
    QTest::newRow("link") << Build([](QTextCursor& c) {
        c.insertText(QStringLiteral("see "));
        QTextCharFormat link;
        link.setAnchor(true);
        link.setAnchorHref(QStringLiteral("a.html?x=1&y=\"2\""));
        link.setFontUnderline(true);
        link.setForeground(QGuiApplication::palette().color(QPalette::Link));
        c.insertText(QStringLiteral("here"), link);
    }) << "<p>see <a href=\"a.html?x=1&amp;y=&quot;2&quot;\">here</a></p>\n";
    QTest::newRow("colour, font and size")
        << Build([](QTextCursor& c) {
               QTextCharFormat red;
               red.setForeground(QColor(255, 0, 0));
               c.insertText(QStringLiteral("warm"), red);
               QTextCharFormat black;
               black.setForeground(QColor(Qt::black));
               c.insertText(QStringLiteral(" plain"), black);
               QTextCharFormat font;
               font.setFontFamilies({QStringLiteral("Serif Face")});
               font.setFontPointSize(18);
               c.insertText(QStringLiteral(" big"), font);
           })
        << "<p><span style=\"color:#ff0000\">warm</span> plain"
           "<span style=\"font-family:'Serif Face';font-size:18pt\"> big</span></p>\n";
    QTest::newRow("alignment") << Build([](QTextCursor& c) {
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        c.setBlockFormat(centred);
        c.insertText(QStringLiteral("mid"));
        QTextBlockFormat left;
        left.setAlignment(Qt::AlignLeft);
        c.insertBlock(left);
        c.insertText(QStringLiteral("left"));
    }) << "<p style=\"text-align:center\">mid</p>\n<p>left</p>\n";
    QTest::newRow("escaping, line break, empty paragraph") << Build([](QTextCursor& c) {
        c.insertText(QStringLiteral("a < b & \"c\" > d") + QChar(QChar::LineSeparator) +
                     QStringLiteral("next"));
        c.insertBlock();
        c.insertBlock();
        c.insertText(QStringLiteral("last"));
    }) << "<p>a &lt; b &amp; \"c\" &gt; d<br>next</p>\n<p>last</p>\n";
    QTest::newRow("blanks at block ends") << Build([](QTextCursor& c) {
        c.insertText(QStringLiteral(" \t text "));
        c.insertText(QStringLiteral(" "), chars(QFont::Bold));
    }) << "<p>text</p>\n";
    QTest::newRow("table with header, spans and a cell of paragraphs")
        << Build([](QTextCursor& c) {
               c.document()->setHtml(
                   QStringLiteral("<table border=\"1\"><thead><tr><th>h</th><th>i</th></tr></thead>"
                                  "<tr><td rowspan=2><b>a</b></td><td></td></tr>"
                                  "<tr><td><p>b</p><ul><li>c</li></ul></td></tr></table>"));
           })
        << "<table border=\"1\">\n  <tr>\n    <th>h</th>\n    <th>i</th>\n  </tr>\n  <tr>\n"
           "    <td rowspan=\"2\"><strong>a</strong></td>\n    <td></td>\n  </tr>\n"
           "  <tr>\n    <td>\n      <p>b</p>\n      <ul>\n        <li>c</li>\n      </ul>\n"
           "    </td>\n  </tr>\n</table>\n";
    QTest::newRow("strike-out and underline") << Build([](QTextCursor& c) {
        QTextCharFormat format;
        format.setFontStrikeOut(true);
        format.setFontUnderline(true);
        c.insertText(QStringLiteral("gone"), format);
    }) << "<p><u><s>gone</s></u></p>\n";
}

void RichTextHtmlTest::formattingBecomesMinimalHtml()
{
    QFETCH(Build, build);
    QFETCH(QString, html);
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    QTextCursor cursor(&document);
    build(cursor);
    QCOMPARE(RichTextHtml::toHtml(document), html);
}

void RichTextHtmlTest::pastedHtmlLosesScripts_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("gone");
    QTest::addColumn<QString>("kept");

    QTest::newRow("script and handler")
        << "<p onclick=\"steal()\" class=x>Hi <b>there</b></p><SCRIPT>alert(1)</script >"
        << QStringList{"onclick", "steal", "alert"} << "<p>Hi <strong>there</strong></p>";
    QTest::newRow("script address")
        << "<p><a href=\" jav&#x61;script:alert(1)\">click</a> and <a href=ok.html>ok</a></p>"
        << QStringList{"javascript", "alert"} << "<p>click and <a href=\"ok.html\">ok</a></p>";
    QTest::newRow("style sheet and comment")
        << "<style>p{color:red}</style><!-- secret --><p>plain <i>text</i></p>"
        << QStringList{"color", "secret"} << "<p>plain <em>text</em></p>";
    QTest::newRow("quoted > in a handler")
        << "<p><span onmouseover='a>b' style=\"color:#008000\">green</span> 1 < 2</p>"
        << QStringList{"onmouseover", "a>b"}
        << "<p><span style=\"color:#008000\">green</span> 1 &lt; 2</p>";
}

void RichTextHtmlTest::pastedHtmlLosesScripts()
{
    QFETCH(QString, html);
    QFETCH(QStringList, gone);
    QFETCH(QString, kept);
    const QString clean = RichTextHtml::sanitised(html);
    static const QRegularExpression markup(QStringLiteral(R"(<script|<style|<!--|\son\w+\s*=)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QVERIFY2(!clean.contains(markup), qPrintable(clean));
    QTextDocument document;
    document.setHtml(clean);
    const QString written = RichTextHtml::toHtml(document);
    for (const QString& word : gone)
        QVERIFY2(!written.contains(word, Qt::CaseInsensitive), qPrintable(written));
    QCOMPARE(written.trimmed(), kept);
}

void RichTextHtmlTest::codeThatWouldBeDroppedIsTold_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<bool>("dropped");
    QTest::newRow("php") << "<p>Hi <?php echo $name; ?></p>" << true;
    QTest::newRow("server block") << "<p><% = x %></p>" << true;
    QTest::newRow("script, any case") << "<SCRIPT>go()</SCRIPT>" << true;
    QTest::newRow("style sheet") << "<style>p{}</style><p>a</p>" << true;
    QTest::newRow("comment") << "<p>a</p><!-- note -->" << true;
    QTest::newRow("plain markup") << "<p class=\"s\">a &lt;b&gt;</p><scripted>" << false;
}

void RichTextHtmlTest::codeThatWouldBeDroppedIsTold()
{
    QFETCH(QString, selection);
    QFETCH(bool, dropped);
    QCOMPARE(RichTextHtml::holdsCodeToDrop(selection), dropped);
}

void RichTextHtmlTest::richSamplePassesTidy()
{
    const QString tidy = QStandardPaths::findExecutable(QStringLiteral("tidy"));
    if (tidy.isEmpty())
        QSKIP("tidy is not installed");
    QTextDocument document;
    document.setHtml(QStringLiteral(
        "<h1>Notes &amp; news</h1><p style=\"text-align:right\"><b>bold <i>both</i></b> "
        "<u>under</u> <s>struck</s> <span style=\"color:#800000\">red</span><br>"
        "<a href=\"https://example.org/?a=1&amp;b=2\">link <b>bold</b></a></p>"
        "<ol><li>one<ul><li>inner <i>x</i></li><li>inner 2</li></ul></li><li>two</li></ol>"
        "<h3 align=center>Small</h3><p>1 &lt; 2 &gt; 0</p>"
        "<table border=1><thead><tr><th>h</th></tr></thead><tr><td><p>a</p><p>b</p></td></tr>"
        "</table>"));
    const QString page = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n"
                                        "<meta charset=\"utf-8\">\n<title>sample</title>\n"
                                        "</head>\n<body>\n%1</body>\n</html>\n")
                             .arg(RichTextHtml::toHtml(document));
    QProcess process;
    process.start(tidy, {QStringLiteral("-q"), QStringLiteral("-e")});
    QVERIFY(process.waitForStarted());
    process.write(page.toUtf8());
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished());
    const QString messages = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitCode() == 0, qPrintable(page + messages));
}

QTEST_MAIN(RichTextHtmlTest)
#include "RichTextHtmlTest.moc"
