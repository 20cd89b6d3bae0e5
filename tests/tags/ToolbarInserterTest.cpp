#include "tags/ToolbarInserter.h"
#include "platform/LangStrings.h"
#include "support/ScriptedPrompter.h"
#include "tags/FontChoice.h"
#include "tags/StringTarget.h"
#include "tags/ToolbarAction.h"

#include <QTest>

using namespace Quillorn;

class ToolbarInserterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void buttonsInsertTheirTexts_data();
    void buttonsInsertTheirTexts();
    void playerBlocksHaveEveryPart_data();
    void playerBlocksHaveEveryPart();
    void promptedValuesAreFilledIn_data();
    void promptedValuesAreFilledIn();
    void cancelledPromptInsertsNothing();
    void windowActionsAreLeftToTheToolBar();
    void fillPutsValuesInAsTheyAre_data();
    void fillPutsValuesInAsTheyAre();
    void fontTextHasChosenStylesInOrder_data();
    void fontTextHasChosenStylesInOrder();

private:
    LangStrings m_strings;
};

void ToolbarInserterTest::initTestCase()
{
    QVERIFY(m_strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/english/main.lng"),
                           QStringLiteral("english")));
}

void ToolbarInserterTest::buttonsInsertTheirTexts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0 dd, empty") << 0 << ""
                                 << "[<dd></dd>]";
    QTest::newRow("5 ul around selection") << 5 << "a"
                                           << "[<ul>a</ul>]";
    QTest::newRow("6 ordered list block") << 6 << ""
                                          << "[<ol>\r\n\t<li>\r\n</ol>]";
    QTest::newRow("7 definition list block") << 7 << "gone"
                                             << "[<dl>\r\n\t<dt><dd>\r\n</dl>]";
    QTest::newRow("8 unordered list block") << 8 << ""
                                            << "[<ul>\r\n\t<li>\r\n</ul>]";
    QTest::newRow("13 tr") << 13 << "x"
                           << "[<tr>x</tr>]";
    QTest::newRow("17 noscript") << 17 << ""
                                 << "[<noscript></noscript>]";
    QTest::newRow("18 br") << 18 << ""
                           << "[<br>]";
    QTest::newRow("19 hr replaces") << 19 << "x"
                                    << "[<hr>]";
    QTest::newRow("21 non-breaking space") << 21 << ""
                                           << "[&nbsp;]";
    QTest::newRow("22 p") << 22 << "t"
                          << "[<p>t</p>]";
    QTest::newRow("24 applet wrap")
        << 24 << "alt"
        << "[<applet code=\"\" codebase = \"\" width=\"\" height=\"\">alt</applet>]";
    QTest::newRow("25 layer wrap, empty")
        << 25 << ""
        << "[<div id=\"dhtml_layer\" style=\"position:absolute; left: 1px; top:1px; width: 100px; "
           "height: 100px; z-index:1\"></div>]";
    QTest::newRow("26 embed wrap") << 26 << "m"
                                   << "[<embed src=\"\">m</embed>]";
    QTest::newRow("27 sound")
        << 27 << ""
        << "[<embed src=\"\" autostart=\"false\" hidden=\"false\" loop=\"0\">]";
    QTest::newRow("28 video")
        << 28 << ""
        << "[<embed src=\"\" autostart=\"false\" width=\"200\" height=\"200\">]";
    QTest::newRow("32 left") << 32 << "t"
                             << "[<div style=\"text-align: left\">t</div>]";
    QTest::newRow("33 right") << 33 << "t"
                              << "[<div style=\"text-align: right\">t</div>]";
    QTest::newRow("34 center") << 34 << "t"
                               << "[<div style=\"text-align: center\">t</div>]";
    QTest::newRow("35 justify") << 35 << ""
                                << "[<div style=\"text-align: justify\"></div>]";
}

void ToolbarInserterTest::buttonsInsertTheirTexts()
{
    QFETCH(int, index);
    QFETCH(QString, selected);
    const QList<ToolbarAction> table = ToolbarAction::table();
    QCOMPARE(table.size(), ToolbarAction::count);
    Test::StringTarget target(QLatin1Char('[') + selected + QLatin1Char(']'), 1, selected.size());
    Test::ScriptedPrompter prompter;
    ToolbarInserter inserter(target, prompter, m_strings);
    QVERIFY(inserter.run(table.at(index)));
    QTEST(target.text(), "expected");
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void ToolbarInserterTest::playerBlocksHaveEveryPart_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("embed");
    QTest::newRow("29 flash")
        << 29
        << "<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" "
           "codebase=\"http://download.macromedia.com/pub/shockwave/cabs/flash/"
           "swflash.cab#version=6,0,0,0\" width=\"200\" height=\"200\">"
        << "<embed src=\"\" pluginspage=\"http://www.macromedia.com/go/getflashplayer\" "
           "type=\"application/x-shockwave-flash\" width=\"200\" height=\"200\"></embed>";
    QTest::newRow("30 director")
        << 30
        << "<object classid=\"clsid:166B1BCA-3F9C-11CF-8075-444553540000\" "
           "codebase=\"http://download.macromedia.com/pub/shockwave/cabs/director/"
           "sw.cab#version=8,5,0,0\" width=\"200\" height=\"200\">"
        << "<embed src=\"\" pluginspage=\"http://www.macromedia.com/shockwave/download/\" "
           "type=\"application/x-director\" width=\"200\" height=\"200\"></embed>";
}

void ToolbarInserterTest::playerBlocksHaveEveryPart()
{
    QFETCH(int, index);
    QFETCH(QString, object);
    QFETCH(QString, embed);
    const QStringList lines = ToolbarAction::table().at(index).text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines, (QStringList{object, QStringLiteral("<param name=\"src\" value=\"\">"), embed,
                                 QStringLiteral("</object>")}));
}

void ToolbarInserterTest::promptedValuesAreFilledIn_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("expected");
    QTest::newRow("14 applet") << 14 << QStringList{"Hello.class"} << ""
                               << "[<applet code=\"Hello.class\">]";
    QTest::newRow("15 document.write") << 15 << QStringList{"\"Hi\""} << "old"
                                       << "[document.write(\"Hi\")]";
    QTest::newRow("20 include") << 20 << QStringList{"menu.html"} << ""
                                << "[<!--#Include File=\"menu.html\"-->]";
    QTest::newRow("20 empty answer") << 20 << QStringList{""} << ""
                                     << "[<!--#Include File=\"\"-->]";
    QTest::newRow("23 object around selection")
        << 23 << QStringList{"clock", "clsid:1234", "120", "80", "clock.bin"} << "No clock"
        << "[<object id=\"clock\" classid=\"clsid:1234\" width=\"120\" height=\"80\" "
           "data=\"clock.bin\">No clock</object>]";
}

void ToolbarInserterTest::promptedValuesAreFilledIn()
{
    QFETCH(int, index);
    QFETCH(QStringList, answers);
    QFETCH(QString, selected);
    const ToolbarAction action = ToolbarAction::table().at(index);
    QCOMPARE(action.prompts.size(), answers.size());
    Test::StringTarget target(QLatin1Char('[') + selected + QLatin1Char(']'), 1, selected.size());
    Test::ScriptedPrompter prompter;
    for (int i = 0; i < answers.size(); ++i)
        prompter.expectInput(m_strings.value(action.prompts.at(i)), answers.at(i));
    ToolbarInserter inserter(target, prompter, m_strings);
    QVERIFY(inserter.run(action));
    QTEST(target.text(), "expected");
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void ToolbarInserterTest::cancelledPromptInsertsNothing()
{
    const ToolbarAction action = ToolbarAction::table().at(23);
    Test::StringTarget target(QStringLiteral("keep"), 0, 4);
    Test::ScriptedPrompter prompter;
    prompter.expectInput(QStringLiteral("Object id:"), QStringLiteral("clock"))
        .expectInput(QStringLiteral("Class id:"), QStringLiteral("clsid:1"))
        .expectInput(QStringLiteral("Width:"), QString());
    ToolbarInserter inserter(target, prompter, m_strings);
    QVERIFY(!inserter.run(action));
    QCOMPARE(target.text(), QStringLiteral("keep"));
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void ToolbarInserterTest::windowActionsAreLeftToTheToolBar()
{
    const QList<ToolbarAction> table = ToolbarAction::table();
    QCOMPARE(table.at(31).kind, ToolbarAction::Kind::ReferenceTree);
    QCOMPARE(table.at(31).text, QStringLiteral("JS.QLT"));
    QCOMPARE(table.at(36).kind, ToolbarAction::Kind::Font);
    Test::StringTarget target(QStringLiteral("keep"), 0, 4);
    Test::ScriptedPrompter prompter;
    ToolbarInserter inserter(target, prompter, m_strings);
    QVERIFY(!inserter.run(table.at(31)));
    QVERIFY(!inserter.run(table.at(36)));
    QCOMPARE(target.text(), QStringLiteral("keep"));
    for (const ToolbarAction& action : table)
        QVERIFY(!action.label.isEmpty());
}

void ToolbarInserterTest::fillPutsValuesInAsTheyAre_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("expected");
    QTest::newRow("value naming another field")
        << "a={1} b={2}" << QStringList{"{2}", "x"} << "a={2} b=x";
    QTest::newRow("selection field") << "<{1}>{sel}</{1}>" << QStringList{"q"} << "<q>S</q>";
    QTest::newRow("script braces stay") << "f() { {1} }" << QStringList{"go()"} << "f() { go() }";
    QTest::newRow("field without value stays") << "{3}" << QStringList{"x"} << "{3}";
    QTest::newRow("unclosed brace") << "a{1" << QStringList{"x"} << "a{1";
}

void ToolbarInserterTest::fillPutsValuesInAsTheyAre()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, values);
    QTEST(ToolbarInserter::fill(pattern, values, QStringLiteral("S")), "expected");
}

void ToolbarInserterTest::fontTextHasChosenStylesInOrder_data()
{
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strikeOut");
    QTest::addColumn<QString>("expected");
    const QString start = QStringLiteral("<font name=\"Arial\" size=\"4\" color=\"#FF8000\">");
    QTest::newRow("no style") << false << false << false << false << QString(start + "x</font>");
    QTest::newRow("all styles") << true << true << true << true
                                << QString(start + "<b><i><u><s>x</s></u></i></b></font>");
    QTest::newRow("italic and strike-out")
        << false << true << false << true << QString(start + "<i><s>x</s></i></font>");
    QTest::newRow("bold and underline")
        << true << false << true << false << QString(start + "<b><u>x</u></b></font>");
}

void ToolbarInserterTest::fontTextHasChosenStylesInOrder()
{
    FontChoice choice;
    choice.name = QStringLiteral("Arial");
    choice.size = QStringLiteral("4");
    choice.color = QColor(255, 128, 0);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, strikeOut);
    choice.bold = bold;
    choice.italic = italic;
    choice.underline = underline;
    choice.strikeOut = strikeOut;
    Test::StringTarget target(QStringLiteral("x"), 0, 1);
    Test::ScriptedPrompter prompter;
    ToolbarInserter(target, prompter, m_strings).insertFont(choice);
    QTEST(target.text(), "expected");
}

QTEST_GUILESS_MAIN(ToolbarInserterTest)
#include "ToolbarInserterTest.moc"
