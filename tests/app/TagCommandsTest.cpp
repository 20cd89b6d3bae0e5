#include "app/TagCommands.h"
#include "app/MainWindow.h"
#include "support/MainWindowDriver.h"
#include "tags/ReferenceWindow.h"
#include "tags/TagLists.h"
#include "tags/TagToolbar.h"
#include "tags/TagWindow.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillorn;
using S = QsciScintillaBase;

// Tags into the assembled main window's editor: the tag tool bar, the tag window opened by
// "Insert tag" and as the "Tags panel", Ctrl+B and the reference trees.
namespace {

using Fixture = Test::AppFixture;
using Test::MainWindowDriver;

// Opens a document holding `text` and selects `selected` characters from its start.
void openDocument(Fixture& f, MainWindow& window, const QByteArray& text, int selected = 0)
{
    f.env.writeFile(QStringLiteral("docs/page.html"), text);
    f.prompter.expectOpenFile(QString(), f.env.path(QStringLiteral("docs/page.html")));
    window.menus().openOld->trigger();
    window.editor()->SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(selected), 0L);
}

void clickToolbar(MainWindow& window, int index)
{
    TagToolbar* toolbar = window.tags().toolbar();
    QAction* action = toolbar->actionAt(index);
    QWidget* button = toolbar->widgetForAction(action);
    // A narrow screen moves buttons into the tool bar's overflow menu; pick it from there then.
    if (button && button->isVisible())
        QTest::mouseClick(button, Qt::LeftButton);
    else
        action->trigger();
}

void doubleClickRow(QListWidget* list, int row)
{
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void clickRow(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

QString withLf(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// The first item of the tree that inserts something (an item, not a folder).
QTreeWidgetItem* firstLeaf(QTreeWidgetItem* parent)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem* child = parent->child(i);
        QTreeWidgetItem* leaf = child->childCount() == 0 ? child : firstLeaf(child);
        if (leaf)
            return leaf;
    }
    return nullptr;
}

constexpr int BoldRow = 7;

} // namespace

class TagCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void toolbarInsertsIntoTheDocument_data();
    void toolbarInsertsIntoTheDocument();
    void insertingCommandsNeedADocument_data();
    void insertingCommandsNeedADocument();
    void insertTagWindowClosesAfterOneInsertion();
    void tagsPanelStaysOpenUntilUnchecked();
    void insertTagSwitchesThePanelOff();
    void categoriesShowTheirLists();
    void ctrlBInsertsTheBoldEntry_data();
    void ctrlBInsertsTheBoldEntry();
    void referenceTreeInsertsItsCode();
    void insertionsTakeTheDocumentLineEnd_data();
    void insertionsTakeTheDocumentLineEnd();
};

void TagCommandsTest::toolbarInsertsIntoTheDocument_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("expected");
    QTest::newRow("22 with selection") << 22 << 3 << "<p>abc</p> def";
    QTest::newRow("22 without selection") << 22 << 0 << "<p></p>abc def";
    QTest::newRow("18 replaces the selection") << 18 << 3 << "<br> def";
    QTest::newRow("6 block") << 6 << 0 << "<ol>\r\n\t<li>\r\n</ol>abc def";
    QTest::newRow("26 wraps the selection") << 26 << 3 << "<embed src=\"\">abc</embed> def";
    QTest::newRow("34 wraps the selection")
        << 34 << 3 << "<div style=\"text-align: center\">abc</div> def";
}

void TagCommandsTest::toolbarInsertsIntoTheDocument()
{
    QFETCH(int, index);
    QFETCH(int, selected);
    QFETCH(QString, expected);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window, QSize(1600, 800)));
    openDocument(f, window, "abc def", selected);
    clickToolbar(window, index);
    QCOMPARE(window.editor()->text(), expected);
    // An insertion is a change like typing.
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html *"));
    QVERIFY(window.editor()->hasFocus());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void TagCommandsTest::insertingCommandsNeedADocument_data()
{
    QTest::addColumn<bool>("hadDocument");
    QTest::newRow("at start") << false;
    QTest::newRow("last document closed") << true;
}

void TagCommandsTest::insertingCommandsNeedADocument()
{
    QFETCH(bool, hadDocument);
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window, QSize(1600, 800)));
    if (hadDocument) {
        openDocument(f, window, "abc");
        window.menus().clsW->trigger();
    }
    TagToolbar* toolbar = window.tags().toolbar();
    auto* insertTagButton = window.findChild<QPushButton*>(QStringLiteral("Command4"));
    QVERIFY(insertTagButton);
    window.menus().tagPanel->trigger();
    window.menus().phpReference->trigger();
    auto* reference = window.findChild<ReferenceWindow*>();
    QVERIFY(reference);
    reference->treeWidget()->setCurrentItem(
        firstLeaf(reference->treeWidget()->invisibleRootItem()));

    // Nothing asks or inserts: the prompter fails on any question.
    for (int index : {14, 22})
        QVERIFY(!toolbar->trigger(index));
    for (int index = 0; index < ToolbarAction::count; ++index)
        QCOMPARE(toolbar->actionAt(index)->isEnabled(), index == 31);
    QVERIFY(!window.menus().insertTag->isEnabled());
    QVERIFY(!insertTagButton->isEnabled());
    QVERIFY(!window.tags().window()->tagList()->isEnabled());
    QVERIFY(!window.tags().window()->activateEntry(TagLists::Category::Html, BoldRow));
    window.tags().activateEntry(BoldRow);
    QVERIFY(!reference->insertCurrent());
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn"));

    // A document enables them all again.
    openDocument(f, window, "abc");
    for (int index = 0; index < ToolbarAction::count; ++index)
        QVERIFY(toolbar->actionAt(index)->isEnabled());
    QVERIFY(window.menus().insertTag->isEnabled());
    QVERIFY(insertTagButton->isEnabled());
    QVERIFY(window.tags().window()->tagList()->isEnabled());
    QVERIFY(reference->insertCurrent());
    window.tags().activateEntry(BoldRow);
    QVERIFY(toolbar->trigger(18));
    // The reference item's code, the bold pair and the line break, each at the caret.
    const QString text = window.editor()->text();
    QVERIFY2(text.endsWith(QLatin1String("<B></B><br>abc")), qPrintable(text));
    QVERIFY(text.size() > 14);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void TagCommandsTest::insertTagWindowClosesAfterOneInsertion()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window, QSize(1600, 800)));
    openDocument(f, window, "abc def", 3);

    window.menus().insertTag->trigger();
    TagWindow* tags = window.tags().window();
    QVERIFY(tags);
    QVERIFY(QTest::qWaitForWindowExposed(tags));
    QVERIFY(!tags->panelMode());
    QVERIFY(tags->isModal());
    QVERIFY(!window.menus().tagPanel->isChecked());
    QCOMPARE(tags->categoryList()->currentRow(), 0);

    doubleClickRow(tags->tagList(), BoldRow);
    QCOMPARE(window.editor()->text(), QStringLiteral("<B>abc</B> def"));
    QTRY_VERIFY(!window.tags().window() || !window.tags().window()->isVisible());
    QVERIFY(!window.menus().tagPanel->isChecked());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void TagCommandsTest::tagsPanelStaysOpenUntilUnchecked()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window, QSize(1600, 800)));
    openDocument(f, window, "abc");

    window.menus().tagPanel->trigger();
    QVERIFY(window.menus().tagPanel->isChecked());
    TagWindow* panel = window.tags().window();
    QVERIFY(panel);
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    QVERIFY(panel->panelMode());
    QVERIFY(!panel->isModal());

    doubleClickRow(panel->tagList(), BoldRow);
    doubleClickRow(panel->tagList(), BoldRow);
    QCOMPARE(window.editor()->text(), QStringLiteral("<B></B><B></B>abc"));
    QVERIFY(panel->isVisible());
    QCOMPARE(window.tags().window(), panel);

    window.menus().tagPanel->trigger();
    QVERIFY(!window.menus().tagPanel->isChecked());
    QTRY_VERIFY(!window.tags().window() || !window.tags().window()->isVisible());

    // Closing the panel window itself unchecks the item.
    window.menus().tagPanel->trigger();
    panel = window.tags().window();
    QVERIFY(panel);
    QVERIFY(panel->close());
    QVERIFY(!window.menus().tagPanel->isChecked());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void TagCommandsTest::insertTagSwitchesThePanelOff()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window, QSize(1600, 800)));
    openDocument(f, window, "abc");
    window.menus().tagPanel->trigger();
    QVERIFY(window.tags().window());

    window.menus().insertTag->trigger();
    QVERIFY(!window.menus().tagPanel->isChecked());
    TagWindow* tags = window.tags().window();
    QVERIFY(tags);
    QVERIFY(!tags->panelMode());
    QVERIFY(tags->isVisible());
    const auto windows = window.findChildren<TagWindow*>();
    int shown = 0;
    for (TagWindow* w : windows)
        shown += w->isVisible() ? 1 : 0;
    QCOMPARE(shown, 1);

    doubleClickRow(tags->tagList(), BoldRow);
    QCOMPARE(window.editor()->text(), QStringLiteral("<B></B>abc"));
    QTRY_VERIFY(!window.tags().window() || !window.tags().window()->isVisible());
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void TagCommandsTest::categoriesShowTheirLists()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window, QSize(1600, 800)));
    openDocument(f, window, "abc", 3);
    window.menus().tagPanel->trigger();
    TagWindow* panel = window.tags().window();
    QVERIFY(panel);
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    QListWidget* categories = panel->categoryList();
    QCOMPARE(categories->count(), 4);
    for (int row = 0; row < 4; ++row)
        QCOMPARE(categories->item(row)->text(),
                 f.context.strings.value(Str(int(Str::CategoryHtmlTags) + row)));

    clickRow(categories, 2);
    QCOMPARE(panel->tagList()->count(), 0);
    // A double-click on the empty list changes nothing.
    QTest::mouseDClick(panel->tagList()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(window.editor()->text(), QStringLiteral("abc"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html"));

    for (int row : {0, 1, 3}) {
        clickRow(categories, row);
        QVERIFY2(panel->tagList()->count() > 0, qPrintable(categories->item(row)->text()));
    }
    // PHP entries replace the selection as they stand.
    clickRow(categories, 3);
    const QString caption = panel->tagList()->item(0)->text();
    doubleClickRow(panel->tagList(), 0);
    QVERIFY(window.editor()->text() != QLatin1String("abc"));
    QVERIFY(window.editor()->text().size() > 0);
    QVERIFY2(!window.editor()->text().contains(QLatin1String("abc")), qPrintable(caption));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void TagCommandsTest::ctrlBInsertsTheBoldEntry_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("panel");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty selection") << "english" << false << 0 << "<B></B>abc";
    QTest::newRow("word selected") << "english" << false << 3 << "<B>abc</B>";
    QTest::newRow("panel open") << "english" << true << 3 << "<B>abc</B>";
    QTest::newRow("russian lists") << "russian" << false << 3 << "<B>abc</B>";
}

void TagCommandsTest::ctrlBInsertsTheBoldEntry()
{
    QFETCH(QString, language);
    QFETCH(bool, panel);
    QFETCH(int, selected);
    QFETCH(QString, expected);
    Fixture f;
    QVERIFY(f.env.writeFile(QStringLiteral("settings.dat"),
                            "Language=" + language.toLatin1() + "\r\n"));
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window, QSize(1600, 800)));
    openDocument(f, window, "abc");
    if (panel)
        window.menus().tagPanel->trigger();
    window.editor()->SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(selected), 0L);

    QTest::keyClick(window.editor(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(window.editor()->text(), expected);
    QCOMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html *"));
    // The panel stays as it was.
    QCOMPARE(window.menus().tagPanel->isChecked(), panel);
    QCOMPARE(window.tags().window() && window.tags().window()->isVisible(), panel);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void TagCommandsTest::referenceTreeInsertsItsCode()
{
    Fixture f;
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window, QSize(1600, 800)));
    openDocument(f, window, "");
    clickToolbar(window, 31);

    const auto references = window.findChildren<ReferenceWindow*>();
    QCOMPARE(references.size(), 1);
    ReferenceWindow* reference = references.first();
    QVERIFY(reference->sourcePath().endsWith(QLatin1String("JS.QLT")));
    QTreeWidget* tree = reference->treeWidget();
    QTreeWidgetItem* leaf = firstLeaf(tree->invisibleRootItem());
    QVERIFY(leaf);
    tree->setCurrentItem(leaf);
    const auto* code = reference->findChild<QPlainTextEdit*>();
    QVERIFY(code);
    const QString shownCode = code->toPlainText();
    QVERIFY(!shownCode.isEmpty());

    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(withLf(window.editor()->text()), withLf(shownCode));
    QTRY_COMPARE(window.windowTitle(), QStringLiteral("Quillorn - page.html *"));
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

void TagCommandsTest::insertionsTakeTheDocumentLineEnd_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("lineEnd");
    const QStringList sources{"tool bar", "tag list", "reference tree"};
    const QList<std::pair<const char*, QString>> lineEnds{
        {"LF", "\n"}, {"CR LF", "\r\n"}, {"CR", "\r"}};
    for (const QString& source : sources) {
        for (const auto& [name, lineEnd] : lineEnds)
            QTest::addRow("%s, %s", qPrintable(source), name) << source << lineEnd;
    }
}

void TagCommandsTest::insertionsTakeTheDocumentLineEnd()
{
    QFETCH(QString, source);
    QFETCH(QString, lineEnd);
    Fixture f;
    // Entries written with every kind of line end.
    QVERIFY(f.env.writeFile(QStringLiteral("languages/english/PHPTags.lng"),
                            "\r\nIf///if () {\r\n\tx;\n}\r||"));
    QVERIFY(f.env.writeFile(QStringLiteral("languages/JS.QLT"),
                            "Sample\x01Folder\x03if\x04Test\x04if () {\r\n\tx;\n}\r"));
    MainWindow window(f.context);
    QVERIFY(MainWindowDriver::show(window, QSize(1600, 800)));
    const QString document = QStringLiteral("a") + lineEnd + QStringLiteral("b") + lineEnd;
    openDocument(f, window, document.toLatin1());

    QString inserted = QStringLiteral("if () {\n\tx;\n}\n");
    if (source == QLatin1String("tool bar")) {
        clickToolbar(window, 6);
        inserted = QStringLiteral("<ol>\n\t<li>\n</ol>");
    } else if (source == QLatin1String("tag list")) {
        window.menus().tagPanel->trigger();
        QVERIFY(window.tags().window()->activateEntry(TagLists::Category::Php, 0));
    } else {
        clickToolbar(window, 31);
        auto* reference = window.findChild<ReferenceWindow*>();
        QVERIFY(reference);
        reference->treeWidget()->setCurrentItem(
            firstLeaf(reference->treeWidget()->invisibleRootItem()));
        QVERIFY(reference->insertCurrent());
    }
    QCOMPARE(window.editor()->text(), inserted.replace(QLatin1Char('\n'), lineEnd) + document);
    QVERIFY2(f.prompter.finished(), qPrintable(f.prompter.errors()));
}

QTEST_MAIN(TagCommandsTest)
#include "TagCommandsTest.moc"
