#include "tags/TagWindow.h"
#include "platform/LangStrings.h"
#include "support/TestEnvironment.h"
#include "tags/StringTarget.h"
#include "tags/TagWindowLayout.h"

#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace Quillorn;

// The tag window as the user meets it: pick a category, double-click or press Enter on an
// entry, and see the text land in the editor.
class TagWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void categoriesComeFromTheLanguageTable_data();
    void categoriesComeFromTheLanguageTable();
    void doubleClickInsertsEntryOfEachCategory_data();
    void doubleClickInsertsEntryOfEachCategory();
    void cssCategoryIsEmpty();
    void windowClosesAfterOneInsertionUnlessPanel_data();
    void windowClosesAfterOneInsertionUnlessPanel();
    void enterOnAnEntryInsertsIt();
    void activatingAnEntryWorksWithoutAClick();
    void panelIsAToolWindowAndOtherwiseBlocksItsParent();
    void layoutFollowsTheWindowSize_data();
    void layoutFollowsTheWindowSize();
    void resizedWindowPlacesItsLists();

private:
    static void doubleClickRow(QListWidget* list, int row);
    static void clickRow(QListWidget* list, int row);

    std::unique_ptr<Test::TestEnvironment> m_env;
    LangStrings m_strings;
};

void TagWindowTest::init()
{
    m_env = std::make_unique<Test::TestEnvironment>();
    const QString folder = m_env->path(QStringLiteral("languages/english/"));
    QVERIFY(m_strings.load(folder + QStringLiteral("main.lng"), QStringLiteral("english")));
    QVERIFY(m_env->writeFile(QStringLiteral("languages/english/HTMLTags.lng"),
                             "\r\nDivision///DIV||\r\nLink///<A HREF=\"\"></A>||"));
    QVERIFY(m_env->writeFile(QStringLiteral("languages/english/JavaScriptTags.lng"),
                             "\r\nAlert///alert(\"\");||"));
    QVERIFY(m_env->writeFile(QStringLiteral("languages/english/PHPTags.lng"),
                             "\r\nEcho///echo \"\";||\r\nIf///if () {\r\n}||"));
}

void TagWindowTest::clickRow(QListWidget* list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void TagWindowTest::doubleClickRow(QListWidget* list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void TagWindowTest::categoriesComeFromTheLanguageTable_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("english") << "english"
                             << QStringList{"HTML tags", "JavaScript tags", "CSS tags", "PHP tags"};
    QTest::newRow("russian") << "russian"
                             << QStringList{"Теги HTML", "Теги JavaScript", "Теги CSS", "Теги PHP"};
}

void TagWindowTest::categoriesComeFromTheLanguageTable()
{
    QFETCH(QString, language);
    QFETCH(QStringList, captions);
    const QString folder = m_env->path(QStringLiteral("languages/") + language + QLatin1Char('/'));
    LangStrings strings;
    QVERIFY(strings.load(folder + QStringLiteral("main.lng"), language));
    Test::StringTarget target;
    TagWindow window(target, strings, folder, language);
    QStringList shown;
    for (int i = 0; i < window.categoryList()->count(); ++i)
        shown.append(window.categoryList()->item(i)->text());
    QCOMPARE(shown, captions);
    // The window opens on the HTML list.
    QCOMPARE(window.tagList()->count(), window.lists().entries(TagLists::Category::Html).size());
}

void TagWindowTest::doubleClickInsertsEntryOfEachCategory_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("expected");
    QTest::newRow("html name, no selection") << 0 << 0 << ""
                                             << "[<DIV></DIV>]";
    QTest::newRow("html name around selection") << 0 << 0 << "abc"
                                                << "[<DIV>abc</DIV>]";
    QTest::newRow("html markup, no selection") << 0 << 1 << ""
                                               << "[<A HREF=\"\"></A>]";
    QTest::newRow("html markup over selection") << 0 << 1 << "abc"
                                                << "[<A HREF=\"\"></A>]";
    QTest::newRow("javascript, no selection") << 1 << 0 << ""
                                              << "[alert(\"\");]";
    QTest::newRow("javascript over selection") << 1 << 0 << "abc"
                                               << "[alert(\"\");]";
    QTest::newRow("php, no selection") << 3 << 1 << ""
                                       << "[if () {\r\n}]";
    QTest::newRow("php over selection") << 3 << 0 << "abc"
                                        << "[echo \"\";]";
}

void TagWindowTest::doubleClickInsertsEntryOfEachCategory()
{
    QFETCH(int, category);
    QFETCH(int, row);
    QFETCH(QString, selected);
    Test::StringTarget target(QLatin1Char('[') + selected + QLatin1Char(']'), 1, selected.size());
    TagWindow window(target, m_strings, m_env->path(QStringLiteral("languages/english/")),
                     QStringLiteral("english"));
    window.setPanelMode(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    clickRow(window.categoryList(), category);
    QCOMPARE(window.categoryList()->currentRow(), category);
    doubleClickRow(window.tagList(), row);
    QTEST(target.text(), "expected");
}

void TagWindowTest::cssCategoryIsEmpty()
{
    Test::StringTarget target(QStringLiteral("keep"), 0, 4);
    TagWindow window(target, m_strings, m_env->path(QStringLiteral("languages/english/")),
                     QStringLiteral("english"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    clickRow(window.categoryList(), 2);
    QCOMPARE(window.tagList()->count(), 0);
    QTest::mouseDClick(window.tagList()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    QCOMPARE(target.text(), QStringLiteral("keep"));
    QVERIFY(window.isVisible());
}

void TagWindowTest::windowClosesAfterOneInsertionUnlessPanel_data()
{
    QTest::addColumn<bool>("panel");
    QTest::newRow("opened by Insert tag") << false;
    QTest::newRow("tags panel") << true;
}

void TagWindowTest::windowClosesAfterOneInsertionUnlessPanel()
{
    QFETCH(bool, panel);
    QWidget mainWindow;
    mainWindow.show();
    Test::StringTarget target;
    auto* window =
        new TagWindow(target, m_strings, m_env->path(QStringLiteral("languages/english/")),
                      QStringLiteral("english"), &mainWindow);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<TagWindow> alive(window);
    QSignalSpy closed(window, &TagWindow::closed);
    window->setPanelMode(panel);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    doubleClickRow(window->tagList(), 0);
    QCOMPARE(target.text(), QStringLiteral("<DIV></DIV>"));
    if (panel) {
        QVERIFY(window->isVisible());
        QCOMPARE(closed.count(), 0);
        doubleClickRow(window->tagList(), 1);
        QCOMPARE(target.text(), QStringLiteral("<DIV></DIV><A HREF=\"\"></A>"));
        window->close();
    }
    QCOMPARE(closed.count(), 1);
    QTRY_VERIFY(alive.isNull());
}

void TagWindowTest::enterOnAnEntryInsertsIt()
{
    Test::StringTarget target;
    TagWindow window(target, m_strings, m_env->path(QStringLiteral("languages/english/")),
                     QStringLiteral("english"));
    window.setPanelMode(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.tagList()->setFocus();
    window.tagList()->setCurrentRow(1);
    QTest::keyClick(window.tagList(), Qt::Key_Return);
    QCOMPARE(target.text(), QStringLiteral("<A HREF=\"\"></A>"));
    QTest::keyClick(window.tagList(), Qt::Key_Enter);
    QCOMPARE(target.text(), QStringLiteral("<A HREF=\"\"></A><A HREF=\"\"></A>"));
}

void TagWindowTest::activatingAnEntryWorksWithoutAClick()
{
    // Ctrl+B in the editor activates an HTML entry whatever category the window shows.
    Test::StringTarget target(QStringLiteral("word"), 0, 4);
    TagWindow window(target, m_strings, m_env->path(QStringLiteral("languages/english/")),
                     QStringLiteral("english"));
    QSignalSpy closed(&window, &TagWindow::closed);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.categoryList()->setCurrentRow(3);
    QVERIFY(window.activateEntry(TagLists::Category::Html, 0));
    QCOMPARE(target.text(), QStringLiteral("<DIV>word</DIV>"));
    QCOMPARE(closed.count(), 1);
    QVERIFY(!window.activateEntry(TagLists::Category::Html, 7));
}

void TagWindowTest::panelIsAToolWindowAndOtherwiseBlocksItsParent()
{
    QWidget mainWindow;
    mainWindow.show();
    Test::StringTarget target;
    TagWindow window(target, m_strings, m_env->path(QStringLiteral("languages/english/")),
                     QStringLiteral("english"), &mainWindow);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(QApplication::activeModalWidget(), &window);
    QCOMPARE(window.windowTitle(), QStringLiteral("Insert tag"));

    // Switched to a panel while shown, it stays shown and lets the main window work.
    window.setPanelMode(true);
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowType(), Qt::Tool);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(window.windowTitle(), QStringLiteral("Tags panel"));
}

void TagWindowTest::layoutFollowsTheWindowSize_data()
{
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<QRect>("categories");
    QTest::addColumn<QRect>("tags");
    QTest::newRow("usual") << QSize(200, 400) << QRect(1, 0, 198, 100) << QRect(1, 107, 198, 293);
    QTest::newRow("odd height") << QSize(150, 203) << QRect(1, 0, 148, 50)
                                << QRect(1, 57, 148, 146);
    QTest::newRow("too small for the gap") << QSize(1, 4) << QRect(0, 0, 0, 1) << QRect(0, 8, 0, 0);
    QTest::newRow("empty") << QSize(0, 0) << QRect(0, 0, 0, 0) << QRect(0, 7, 0, 0);
}

void TagWindowTest::layoutFollowsTheWindowSize()
{
    QFETCH(QSize, inner);
    const TagWindowLayout layout(inner);
    QTEST(layout.categories(), "categories");
    QTEST(layout.tags(), "tags");
}

void TagWindowTest::resizedWindowPlacesItsLists()
{
    Test::StringTarget target;
    TagWindow window(target, m_strings, m_env->path(QStringLiteral("languages/english/")),
                     QStringLiteral("english"));
    window.resize(300, 480);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const TagWindowLayout expected(window.contentsRect().size());
    QCOMPARE(window.categoryList()->geometry(), expected.categories());
    QCOMPARE(window.tagList()->geometry(), expected.tags());
    QCOMPARE(window.tagList()->geometry().bottom(), window.height() - 1);
}

QTEST_MAIN(TagWindowTest)
#include "TagWindowTest.moc"
