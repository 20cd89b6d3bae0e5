#include "tags/TagLists.h"
#include "support/TestEnvironment.h"
#include "tags/StringTarget.h"

#include <QRegularExpression>
#include <QTest>

using namespace Quillorn;
using Category = TagLists::Category;

Q_DECLARE_METATYPE(TagLists::Category)

class TagListsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void insertionFollowsTheCategory_data();
    void insertionFollowsTheCategory();
    void entriesWithNothingToInsertLeaveTheText_data();
    void entriesWithNothingToInsertLeaveTheText();
    void missingFilesLeaveTheirCategoryEmpty();
    void fileNameCaseDoesNotMatter();
    void shippedListsAreComplete_data();
    void shippedListsAreComplete();
    void shippedLanguagesInsertTheSameTexts();

private:
    static void writeLists(const Test::TestEnvironment& env);
};

void TagListsTest::writeLists(const Test::TestEnvironment& env)
{
    QVERIFY(env.writeFile(QStringLiteral("languages/english/HTMLTags.lng"),
                          "\r\nDivision///DIV||\r\nLink///<A HREF=\"\"></A>||"
                          "\r\nRow///<TR><TD>\r\n</TD></TR>||\r\nBroken||\r\nEmpty///||"));
    QVERIFY(env.writeFile(QStringLiteral("languages/english/JavaScriptTags.lng"),
                          "\r\nAlert///alert(\"\");||\r\nName only///B||"));
    QVERIFY(env.writeFile(QStringLiteral("languages/english/PHPTags.lng"),
                          "\r\nEcho///echo \"\";||\r\nComment///// a /// b||"));
}

void TagListsTest::insertionFollowsTheCategory_data()
{
    QTest::addColumn<Category>("category");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("focusRequests");
    QTest::newRow("html bare name, empty selection") << Category::Html << 0 << ""
                                                     << "x <DIV></DIV> y" << 1;
    QTest::newRow("html bare name wraps the selection") << Category::Html << 0 << "abc"
                                                        << "x <DIV>abc</DIV> y" << 1;
    QTest::newRow("html markup replaces the selection") << Category::Html << 1 << "abc"
                                                        << "x <A HREF=\"\"></A> y" << 0;
    QTest::newRow("html markup with line ends") << Category::Html << 2 << ""
                                                << "x <TR><TD>\r\n</TD></TR> y" << 0;
    QTest::newRow("javascript replaces the selection") << Category::JavaScript << 0 << "abc"
                                                       << "x alert(\"\"); y" << 0;
    QTest::newRow("javascript bare word is not an element") << Category::JavaScript << 1 << ""
                                                            << "x B y" << 0;
    QTest::newRow("php keeps later separators") << Category::Php << 1 << "abc"
                                                << "x // a /// b y" << 0;
}

void TagListsTest::insertionFollowsTheCategory()
{
    QFETCH(Category, category);
    QFETCH(int, row);
    QFETCH(QString, selected);
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    writeLists(env);
    TagLists lists;
    lists.load(env.path(QStringLiteral("languages/english")), QStringLiteral("english"));

    Test::StringTarget target(QStringLiteral("x ") + selected + QStringLiteral(" y"), 2,
                              selected.size());
    QVERIFY(lists.insert(category, row, target));
    QTEST(target.text(), "expected");
    QTEST(target.focusRequests(), "focusRequests");
}

void TagListsTest::entriesWithNothingToInsertLeaveTheText_data()
{
    QTest::addColumn<Category>("category");
    QTest::addColumn<int>("row");
    QTest::newRow("entry without caption end") << Category::Html << 3;
    QTest::newRow("entry with empty text") << Category::Html << 4;
    QTest::newRow("row past the end") << Category::Html << 5;
    QTest::newRow("negative row") << Category::Php << -1;
    QTest::newRow("css has no entries") << Category::Css << 0;
}

void TagListsTest::entriesWithNothingToInsertLeaveTheText()
{
    QFETCH(Category, category);
    QFETCH(int, row);
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    writeLists(env);
    TagLists lists;
    lists.load(env.path(QStringLiteral("languages/english")), QStringLiteral("english"));
    Test::StringTarget target(QStringLiteral("keep"), 0, 4);
    QVERIFY(!lists.insert(category, row, target));
    QCOMPARE(target.text(), QStringLiteral("keep"));
}

void TagListsTest::missingFilesLeaveTheirCategoryEmpty()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    QVERIFY(env.writeFile(QStringLiteral("languages/english/PHPTags.lng"), "\r\nEcho///echo;||"));
    TagLists lists;
    lists.load(env.path(QStringLiteral("languages/english")), QStringLiteral("english"));
    QVERIFY(lists.entries(Category::Html).isEmpty());
    QVERIFY(lists.entries(Category::JavaScript).isEmpty());
    QVERIFY(lists.entries(Category::Css).isEmpty());
    QCOMPARE(lists.captions(Category::Php), QStringList{QStringLiteral("Echo")});

    // Loading again replaces the lists instead of adding to them.
    lists.load(env.path(QStringLiteral("languages/none")), QStringLiteral("english"));
    QVERIFY(lists.entries(Category::Php).isEmpty());
}

void TagListsTest::fileNameCaseDoesNotMatter()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    QVERIFY(env.writeFile(QStringLiteral("languages/english/htmltags.lng"), "\r\nBold///B||"));
    TagLists lists;
    lists.load(env.path(QStringLiteral("languages/english")), QStringLiteral("english"));
    QCOMPARE(lists.captions(Category::Html), QStringList{QStringLiteral("Bold")});
}

void TagListsTest::shippedListsAreComplete_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("boldCaption");
    QTest::newRow("english") << "english"
                             << "Bold";
    QTest::newRow("russian") << "russian"
                             << "Жирный";
}

void TagListsTest::shippedListsAreComplete()
{
    QFETCH(QString, language);
    Test::TestEnvironment env;
    TagLists lists;
    lists.load(env.path(QStringLiteral("languages/") + language), language);
    QVERIFY2(lists.entries(Category::Html).size() >= 60,
             qPrintable(QString::number(lists.entries(Category::Html).size())));
    QVERIFY(lists.entries(Category::JavaScript).size() >= 40);
    QVERIFY(lists.entries(Category::Php).size() >= 40);

    // Entry 7 of the HTML list is the one Ctrl+B activates.
    QCOMPARE(lists.text(Category::Html, 7), std::optional<QString>(QStringLiteral("B")));
    QTEST(lists.captions(Category::Html).at(7), "boldCaption");

    const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    const QRegularExpression elementName(QStringLiteral("^[A-Za-z][A-Za-z0-9]*$"));
    for (const Category category : {Category::Html, Category::JavaScript, Category::Php}) {
        const QStringList& entries = lists.entries(category);
        for (int row = 0; row < entries.size(); ++row) {
            const QString where = entries.at(row);
            const QString caption = lists.captions(category).at(row);
            QVERIFY2(!caption.trimmed().isEmpty(), qPrintable(where));
            QVERIFY2(lists.text(category, row).has_value(), qPrintable(where));
            QVERIFY2(!lists.text(category, row)->isEmpty(), qPrintable(where));
            if (language == QLatin1String("russian"))
                QVERIFY2(caption.contains(cyrillic), qPrintable(where));
            // An HTML text without markup is wrapped as an element, so it must be a name.
            if (category == Category::Html && !lists.text(category, row)->contains(u'<'))
                QVERIFY2(elementName.match(*lists.text(category, row)).hasMatch(),
                         qPrintable(where));
        }
    }
}

void TagListsTest::shippedLanguagesInsertTheSameTexts()
{
    Test::TestEnvironment env;
    TagLists english;
    TagLists russian;
    english.load(env.path(QStringLiteral("languages/english")), QStringLiteral("english"));
    russian.load(env.path(QStringLiteral("languages/russian")), QStringLiteral("russian"));
    for (const Category category : {Category::Html, Category::JavaScript, Category::Php}) {
        QCOMPARE(russian.entries(category).size(), english.entries(category).size());
        for (int row = 0; row < english.entries(category).size(); ++row)
            QCOMPARE(russian.text(category, row), english.text(category, row));
    }
}

QTEST_GUILESS_MAIN(TagListsTest)
#include "TagListsTest.moc"
