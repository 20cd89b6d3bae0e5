#include "tags/ReferenceWindow.h"
#include "platform/LangStrings.h"
#include "support/ScriptedPrompter.h"
#include "support/TestEnvironment.h"
#include "tags/StringTarget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>

using namespace Quillorn;

class ReferenceWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void selectingAnItemShowsItsDescription();
    void doubleClickInsertsTheCodeAtTheCaret();
    void enterInsertsAndFoldersInsertNothing();
    void filterKeepsMatchingItems();
    void openReferenceShowsTheFileOrSaysWhyNot();

private:
    static ReferenceTree sampleTree();
    static QTreeWidgetItem* find(QTreeWidget* tree, const QString& name);

    LangStrings m_strings;
};

void ReferenceWindowTest::initTestCase()
{
    QVERIFY(m_strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/english/main.lng"),
                           QStringLiteral("english")));
}

ReferenceTree ReferenceWindowTest::sampleTree()
{
    ReferenceTree tree;
    tree.title = QStringLiteral("Sample");
    tree.folders.append({QStringLiteral("Strings"),
                         {{QStringLiteral("trim"), QStringLiteral("Strips white space."),
                           QStringLiteral("trim($s)")},
                          {QStringLiteral("strlen"), QStringLiteral("Length of a string."),
                           QStringLiteral("strlen($s)")}}});
    tree.folders.append(
        {QStringLiteral("Math"),
         {{QStringLiteral("abs"), QStringLiteral("Absolute value."), QStringLiteral("abs($n)")}}});
    return tree;
}

QTreeWidgetItem* ReferenceWindowTest::find(QTreeWidget* tree, const QString& name)
{
    const auto found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void ReferenceWindowTest::selectingAnItemShowsItsDescription()
{
    Test::StringTarget target;
    ReferenceWindow window(target, m_strings);
    window.setTree(sampleTree());
    QCOMPARE(window.windowTitle(), QStringLiteral("Sample"));
    QCOMPARE(window.treeWidget()->topLevelItemCount(), 2);
    window.treeWidget()->setCurrentItem(find(window.treeWidget(), QStringLiteral("strlen")));
    QCOMPARE(window.descriptionLabel()->text(), QStringLiteral("Length of a string."));
    QCOMPARE(window.findChild<QPlainTextEdit*>(QStringLiteral("code"))->toPlainText(),
             QStringLiteral("strlen($s)"));
    window.treeWidget()->setCurrentItem(window.treeWidget()->topLevelItem(1));
    QVERIFY(window.descriptionLabel()->text().isEmpty());
}

void ReferenceWindowTest::doubleClickInsertsTheCodeAtTheCaret()
{
    Test::StringTarget target(QStringLiteral("$x = ;"), 5, 0);
    ReferenceWindow window(target, m_strings);
    window.setTree(sampleTree());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTreeWidget* tree = window.treeWidget();
    QTreeWidgetItem* item = find(tree, QStringLiteral("trim"));
    tree->expandItem(item->parent());
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(target.text(), QStringLiteral("$x = trim($s);"));
    QVERIFY(window.isVisible());
}

void ReferenceWindowTest::enterInsertsAndFoldersInsertNothing()
{
    Test::StringTarget target(QStringLiteral("old"), 0, 3);
    ReferenceWindow window(target, m_strings);
    window.setTree(sampleTree());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTreeWidget* tree = window.treeWidget();
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(1));
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(target.text(), QStringLiteral("old"));
    tree->setCurrentItem(find(tree, QStringLiteral("abs")));
    QTest::keyClick(tree, Qt::Key_Enter);
    QCOMPARE(target.text(), QStringLiteral("abs($n)"));
}

void ReferenceWindowTest::filterKeepsMatchingItems()
{
    Test::StringTarget target;
    ReferenceWindow window(target, m_strings);
    window.setTree(sampleTree());
    window.show();
    QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("filter")),
                     QStringLiteral("LENGTH"));
    QTreeWidget* tree = window.treeWidget();
    QVERIFY(!find(tree, QStringLiteral("strlen"))->isHidden());
    QVERIFY(find(tree, QStringLiteral("trim"))->isHidden());
    QVERIFY(tree->topLevelItem(1)->isHidden());
    // A folder name that matches shows the whole folder.
    window.setFilter(QStringLiteral("math"));
    QVERIFY(!tree->topLevelItem(1)->isHidden());
    QVERIFY(!find(tree, QStringLiteral("abs"))->isHidden());
    window.setFilter(QString());
    QVERIFY(!find(tree, QStringLiteral("trim"))->isHidden());
    QVERIFY(!tree->topLevelItem(0)->isHidden());
}

void ReferenceWindowTest::openReferenceShowsTheFileOrSaysWhyNot()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    Test::StringTarget target;
    Test::ScriptedPrompter prompter;
    QWidget mainWindow;
    prompter.expectMessage(QStringLiteral("Cannot open the reference ") +
                               env.path(QStringLiteral("missing.QLT")) +
                               QStringLiteral(":\nThe file is missing."),
                           Prompter::Icon::Exclamation);
    QVERIFY(!ReferenceWindow::openReference(env.path(QStringLiteral("missing.QLT")),
                                            QStringLiteral("english"), target, m_strings, prompter,
                                            &mainWindow));

    // An empty file is no error: the window opens, named after the file, with nothing in it.
    QVERIFY(env.writeFile(QStringLiteral("empty.QLT"), QByteArray()));
    QPointer<ReferenceWindow> window = ReferenceWindow::openReference(
        env.path(QStringLiteral("empty.QLT")), QStringLiteral("english"), target, m_strings,
        prompter, &mainWindow);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("empty.QLT"));
    QCOMPARE(window->treeWidget()->topLevelItemCount(), 0);
    QVERIFY(!window->insertCurrent());
    window->close();
    QTRY_VERIFY(window.isNull());
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

QTEST_MAIN(ReferenceWindowTest)
#include "ReferenceWindowTest.moc"
