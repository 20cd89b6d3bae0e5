#include "editing/FindWindow.h"
#include "editing/Editor.h"
#include "platform/LangStrings.h"
#include "support/ScriptedPrompter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Quillorn;
using S = QsciScintillaBase;

namespace {
LangStrings english()
{
    LangStrings strings;
    strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/english/main.lng"),
                 QStringLiteral("english"));
    return strings;
}

template <typename T> T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QLatin1String(name));
}
} // namespace

class FindWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionsFollowTheMode();
    void findNextSaysThatsAllAtTheEnd();
    void replaceAllReportsTheCount();
    void replaceStepsThroughMatches();
};

void FindWindowTest::captionsFollowTheMode()
{
    const LangStrings strings = english();
    Test::ScriptedPrompter prompter;
    Editor editor;
    editor.loadBytes("some word here");
    editor.SendScintilla(S::SCI_SETSEL, 5UL, 9L);
    FindWindow window(&editor, strings, prompter);
    QCOMPARE(window.objectName(), QStringLiteral("FindF"));
    window.open(FindWindow::Mode::Find);
    QCOMPARE(window.windowTitle(), QStringLiteral("Find"));
    QCOMPARE(child<QLineEdit>(&window, "Word")->text(), QStringLiteral("word"));
    QCOMPARE(child<QPushButton>(&window, "FindNext")->text(), QStringLiteral("Find next"));
    QCOMPARE(child<QRadioButton>(&window, "DirAll")->text(), QStringLiteral("All"));
    QCOMPARE(child<QRadioButton>(&window, "DirDown")->text(), QStringLiteral("Down"));
    QCOMPARE(child<QRadioButton>(&window, "DirUp")->text(), QStringLiteral("Up"));
    QVERIFY(!child<QPushButton>(&window, "ReplaceAll")->isVisible());
    window.open(FindWindow::Mode::Replace);
    QCOMPARE(window.windowTitle(), QStringLiteral("Replace"));
    QVERIFY(child<QPushButton>(&window, "ReplaceAll")->isVisible());
    QCOMPARE(child<QPushButton>(&window, "ReplaceAll")->text(), QStringLiteral("Replace all"));
    QCOMPARE(child<QPushButton>(&window, "ReplaceOne")->text(), QStringLiteral("Replace"));
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void FindWindowTest::findNextSaysThatsAllAtTheEnd()
{
    const LangStrings strings = english();
    Test::ScriptedPrompter prompter;
    prompter.expectMessage(QStringLiteral("That's all"));
    Editor editor;
    editor.loadBytes("x ab y AB z");
    FindWindow window(&editor, strings, prompter);
    window.open(FindWindow::Mode::Find);
    child<QRadioButton>(&window, "DirDown")->setChecked(true);
    child<QLineEdit>(&window, "Word")->setText(QStringLiteral("ab"));
    QPushButton* findNext = child<QPushButton>(&window, "FindNext");
    QTest::mouseClick(findNext, Qt::LeftButton);
    QCOMPARE(editor.SendScintilla(S::SCI_GETSELECTIONSTART), 2);
    QTest::mouseClick(findNext, Qt::LeftButton);
    QCOMPARE(editor.SendScintilla(S::SCI_GETSELECTIONSTART), 7);
    QTest::mouseClick(findNext, Qt::LeftButton);
    QCOMPARE(editor.SendScintilla(S::SCI_GETSELECTIONSTART), 7);
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void FindWindowTest::replaceAllReportsTheCount()
{
    const LangStrings strings = english();
    Test::ScriptedPrompter prompter;
    prompter.expectMessage(QStringLiteral("Count of changes: 4"));
    Editor editor;
    editor.loadBytes("<b>a</b> <B>b</B>");
    FindWindow window(&editor, strings, prompter);
    window.open(FindWindow::Mode::Replace);
    child<QLineEdit>(&window, "Word")->setText(QStringLiteral("b>"));
    child<QLineEdit>(&window, "ReplaceWith")->setText(QStringLiteral("strong>"));
    QTest::mouseClick(child<QPushButton>(&window, "ReplaceAll"), Qt::LeftButton);
    QCOMPARE(editor.bytes(), QByteArray("<strong>a</strong> <strong>b</strong>"));
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void FindWindowTest::replaceStepsThroughMatches()
{
    const LangStrings strings = english();
    Test::ScriptedPrompter prompter;
    prompter.expectMessage(QStringLiteral("That's all"));
    Editor editor;
    editor.loadBytes("a-a");
    FindWindow window(&editor, strings, prompter);
    window.open(FindWindow::Mode::Replace);
    child<QRadioButton>(&window, "DirUp")->setChecked(true);
    editor.SendScintilla(S::SCI_SETSEL, 3UL, 3L);
    child<QLineEdit>(&window, "Word")->setText(QStringLiteral("a"));
    child<QLineEdit>(&window, "ReplaceWith")->setText(QStringLiteral("bb"));
    QPushButton* replace = child<QPushButton>(&window, "ReplaceOne");
    QTest::mouseClick(replace, Qt::LeftButton); // finds the last "a"
    QTest::mouseClick(replace, Qt::LeftButton); // replaces it, finds the first
    QCOMPARE(editor.bytes(), QByteArray("a-bb"));
    QTest::mouseClick(replace, Qt::LeftButton); // replaces it: nothing more
    QCOMPARE(editor.bytes(), QByteArray("bb-bb"));
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

QTEST_MAIN(FindWindowTest)
#include "FindWindowTest.moc"
