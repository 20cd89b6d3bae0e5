#include "editing/Abbreviation.h"

#include <QTest>

using namespace Quillorn;

namespace {

// The expansion with "|" at each empty spot, or "FAIL".
QString shown(const QString& abbreviation, const Abbreviation::Table& table,
              const QString& baseIndent = {})
{
    Abbreviation::Format format;
    format.lineEnd = QStringLiteral("\n");
    format.baseIndent = baseIndent;
    const auto expansion = Abbreviation::expand(abbreviation, table, format);
    if (!expansion)
        return QStringLiteral("FAIL");
    QByteArray text = expansion->text;
    for (auto it = expansion->stops.crbegin(); it != expansion->stops.crend(); ++it)
        text.insert(*it, '|');
    return QString::fromUtf8(text);
}

} // namespace

// The abbreviation parser and expander: markup, empty spots, aliases, failures, and where an
// abbreviation starts before the caret.
class AbbreviationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void expandsToIndentedMarkup_data();
    void expandsToIndentedMarkup();
    void findsWhereTheAbbreviationStarts_data();
    void findsWhereTheAbbreviationStarts();
};

void AbbreviationTest::expandsToIndentedMarkup_data()
{
    QTest::addColumn<QString>("abbreviation");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* abbreviation, const char* expected) {
        QTest::newRow(abbreviation)
            << QString::fromUtf8(abbreviation) << QString::fromUtf8(expected);
    };
    row("ul>li.item*3", "<ul>\n\t<li class=\"item\">|</li>\n\t<li class=\"item\">|</li>\n\t"
                        "<li class=\"item\">|</li>\n</ul>");
    row("div#main>p{Text}", "<div id=\"main\">\n\t<p>Text</p>\n</div>");
    row("a[href=#]", "<a href=\"#\">|</a>");
    row("table>tr*2>td*3", "<table>\n\t<tr>\n\t\t<td>|</td>\n\t\t<td>|</td>\n\t\t<td>|</td>\n\t"
                           "</tr>\n\t<tr>\n\t\t<td>|</td>\n\t\t<td>|</td>\n\t\t<td>|</td>\n\t"
                           "</tr>\n</table>");
    row("h1+p", "<h1>|</h1>\n<p>|</p>");
    row("div>p>em^span", "<div>\n\t<p>\n\t\t<em>|</em>\n\t</p>\n\t<span>|</span>\n</div>");
    row("div>p>em^^h2", "<div>\n\t<p>\n\t\t<em>|</em>\n\t</p>\n</div>\n<h2>|</h2>");
    row("div>(h1+p)*2+hr", "<div>\n\t<h1>|</h1>\n\t<p>|</p>\n\t<h1>|</h1>\n\t<p>|</p>\n\t<hr>\n"
                           "</div>");
    row("li.item$*3", "<li class=\"item1\">|</li>\n<li class=\"item2\">|</li>\n"
                      "<li class=\"item3\">|</li>");
    row("ul*2>li{$$}", "<ul>\n\t<li>01</li>\n</ul>\n<ul>\n\t<li>02</li>\n</ul>");
    row(".x>#y", "<div class=\"x\">\n\t<div id=\"y\">|</div>\n</div>");
    row("ol>.a", "<ol>\n\t<li class=\"a\">|</li>\n</ol>");
    row("tr>.c", "<tr>\n\t<td class=\"c\">|</td>\n</tr>");
    row("select>[value=1]", "<select name=\"|\">\n\t<option value=\"1\">|</option>\n</select>");
    row("em>.b", "<em>\n\t<span class=\"b\">|</span>\n</em>");
    row("p>br+hr", "<p>\n\t<br>\n\t<hr>\n</p>");
    row("p[title='a \"b\" & <c>']{x < y & z}",
        "<p title=\"a &quot;b&quot; &amp; &lt;c&gt;\">x &lt; y &amp; z</p>");
    row("img", "<img src=\"|\" alt=\"|\">");
    row("a.nav[href=/]", "<a href=\"/\" class=\"nav\">|</a>");
    row("input:text", "<input type=\"text\" name=\"|\">");
    row("link:css", "<link rel=\"stylesheet\" href=\"style.css\">");
    row("!", "<!DOCTYPE html>\n<html>\n\t<body>|</body>\n</html>");
    row("p>{Hi }+a", "<p>\n\tHi \n\t<a href=\"|\">|</a>\n</p>");
    row("my-widget", "<my-widget>|</my-widget>");
    // Failures leave the text as typed.
    row("ul>", "FAIL");
    row("ul>>li", "FAIL");
    row("li*0", "FAIL");
    row("p{open", "FAIL");
    row("a[href", "FAIL");
    row("(li", "FAIL");
    row("hello", "FAIL");
    row("hello world", "FAIL");
    row("img>b", "FAIL");
    row("(a+b)>i", "FAIL");
    row("div*101>p*100", "FAIL");
}

void AbbreviationTest::expandsToIndentedMarkup()
{
    QFETCH(QString, abbreviation);
    QFETCH(QString, expected);
    const Abbreviation::Table table = Abbreviation::parseTable(
        "a=a[href]\r\nimg=img[src alt]\nlink:css=link[rel=stylesheet href=style.css]\r\n"
        "input:text=input[type=text name]\r\nselect=select[name]\r\n"
        "!={<!DOCTYPE html>}+html>body\r\nbroken line\r\n=x\r\n");
    QCOMPARE(shown(abbreviation, table), expected);
}

void AbbreviationTest::findsWhereTheAbbreviationStarts_data()
{
    QTest::addColumn<QString>("line"); // the caret at "|"
    QTest::addColumn<int>("start");    // -1: none
    QTest::newRow("alone") << "ul>li*3|" << 0;
    QTest::newRow("after blank") << "  text ul>li|" << 7;
    QTest::newRow("after tag") << "<div>ul>li|</div>" << 5;
    QTest::newRow("after closing tag") << "</a>p.x|" << 4;
    QTest::newRow("after quoted attribute") << "<p class=\"x\">a|" << 13;
    QTest::newRow("text with blanks") << "x p{a b}|" << 2;
    QTest::newRow("attribute with blanks") << "a[title=\"a b\"]|" << 0;
    QTest::newRow("inside a tag name") << "<di|" << -1;
    QTest::newRow("glued to text") << "&amp;ul|" << -1;
    QTest::newRow("caret inside") << "ul|>li" << -1;
    QTest::newRow("unbalanced") << "a b]|" << -1;
    QTest::newRow("nothing") << "a |" << -1;
}

void AbbreviationTest::findsWhereTheAbbreviationStarts()
{
    QFETCH(QString, line);
    QFETCH(int, start);
    const qsizetype caret = line.indexOf(u'|');
    line.remove(caret, 1);
    QCOMPARE(Abbreviation::start(line, caret).value_or(-1), start);
}

QTEST_GUILESS_MAIN(AbbreviationTest)
#include "AbbreviationTest.moc"
