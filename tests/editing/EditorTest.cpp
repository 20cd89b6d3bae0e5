#include "editing/Editor.h"
#include "editing/CompletionList.h"
#include "editing/EditorAccessibility.h"
#include "editing/EditorStyles.h"
#include "editing/LineCommands.h"
#include "editing/StyleBlockColourer.h"
#include "platform/LangStrings.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Quillorn;
using S = QsciScintillaBase;

namespace {

const QString Languages = QStringLiteral(QUILLORN_TEST_DATA "/editing/languages");

// A shown editor holding one document of `kind` loaded with `text`.
std::unique_ptr<Editor> makeEditor(const QByteArray& text = {}, LexerKind kind = LexerKind::Html)
{
    auto editor = std::make_unique<Editor>();
    editor->loadLanguageFiles(Languages);
    editor->resize(700, 400);
    editor->setDocument(editor->createDocument(kind));
    editor->loadBytes(text);
    editor->show();
    QApplication::setActiveWindow(editor.get());
    editor->setFocus();
    return editor;
}

long sci(const Editor& editor, unsigned int message, unsigned long w = 0, long l = 0)
{
    return editor.SendScintilla(message, w, l);
}

void setSelection(Editor& editor, long anchor, long caret)
{
    editor.SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(anchor), caret);
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class EditorTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void enterIndentsWithTheDocumentsLineEnd_data();
    void enterIndentsWithTheDocumentsLineEnd();
    void tabReplacesSelection_data();
    void tabReplacesSelection();
    void tabExpandsAbbreviationAndWalksItsEmptySpots();
    void tabExpandsOnlyInMarkupText_data();
    void tabExpandsOnlyInMarkupText();
    void insert2TagWrapsSelection_data();
    void insert2TagWrapsSelection();
    void shiftEnterInsertsParagraph();
    void ctrlDigitInsertsHeadingAndNothingElse_data();
    void ctrlDigitInsertsHeadingAndNothingElse();
    void ctrlEnterAndCtrlSpaceInsertEntities();
    void ctrlKeysRequestTabsAndTagEntry();

    void completionOpensOnLessThanAndNarrows();
    void completionMovesWithWrapAround();
    void completionDoubleClickInserts();
    void completionClosesOnEscapeFocusLossAndCaretBeforeStart();

    void pasteTakesPlainTextOnly();
    void contentChangedOnEveryKindOfEdit();

    void statusLine_data();
    void statusLine();
    void statusLineCountsTypedNonAsciiCharacters();

    void bytesRoundTripExactly_data();
    void bytesRoundTripExactly();
    void loadingLeavesNoUndoAndNoModifiedMark();
    void documentsKeepTextUndoAndViewApart();
    void switchingDocumentsDoesNotReLex();
    void lexerFollowsDocument();
    void phpKeywordsComeFromTheListFile();
    void styleSheetTokensGetTheirColours_data();
    void styleSheetTokensGetTheirColours();
    void typingInAStyleSheetKeepsItsColours_data();
    void typingInAStyleSheetKeepsItsColours();
    void lineNumbersFollowLineCountAndToggle();
    void wrapByWords();
    void modificationMaskStaysQuick();

    void foldBlocksOfAKnownPage_data();
    void foldBlocksOfAKnownPage();
    void foldsSurviveADocumentSwitchAndGoWhenSwitchedOff();
    void closingTagsAsTyped_data();
    void closingTagsAsTyped();
    void matchingTagIsMarkedAndJumpedTo();
    void typingGoesIntoEveryLineOfARectangle();
    void toggleCommentUsesTheLanguageAtTheLines_data();
    void toggleCommentUsesTheLanguageAtTheLines();
    void goToLineMovesTheCaretWithinTheText_data();
    void goToLineMovesTheCaretWithinTheText();
};

void EditorTest::initTestCase()
{
    EditorAccessibility::install();
}

void EditorTest::enterIndentsWithTheDocumentsLineEnd_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("CR LF, two spaces one tab")
        << QByteArray("x\r\n  \tabc") << 9 << QByteArray("x\r\n  \tabc\r\n  \t");
    QTest::newRow("LF, tab then spaces gives spaces first")
        << QByteArray("x\n\t  y") << 6 << QByteArray("x\n\t  y\n  \t");
    QTest::newRow("unindented line") << QByteArray("abc") << 3 << QByteArray("abc\r\n");
    QTest::newRow("lone CR document") << QByteArray("a\r b") << 4 << QByteArray("a\r b\r ");
    QTest::newRow("caret inside the leading run")
        << QByteArray("  \tabc") << 1 << QByteArray(" \r\n  \t \tabc");
    QTest::newRow("new document") << QByteArray() << 0 << QByteArray("\r\n");
}

void EditorTest::enterIndentsWithTheDocumentsLineEnd()
{
    QFETCH(QByteArray, text);
    QFETCH(int, caret);
    QFETCH(QByteArray, expected);
    auto editor = makeEditor(text);
    setSelection(*editor, caret, caret);
    QTest::keyClick(editor.get(), Qt::Key_Return);
    QCOMPARE(editor->bytes(), expected);
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS), expected.size() - (text.size() - caret));
}

void EditorTest::tabReplacesSelection_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("Tab with abc selected") << int(Qt::Key_Tab) << 0 << 3 << QByteArray("\tabc def");
    QTest::newRow("Shift+Tab with def selected backwards")
        << int(Qt::Key_Backtab) << 7 << 4 << QByteArray("abc \tdef");
    QTest::newRow("Tab without selection") << int(Qt::Key_Tab) << 3 << 3 << QByteArray("abc\t def");
}

void EditorTest::tabReplacesSelection()
{
    QFETCH(int, key);
    QFETCH(int, anchor);
    QFETCH(int, caret);
    QFETCH(QByteArray, expected);
    auto editor = makeEditor("abc def");
    setSelection(*editor, anchor, caret);
    QTest::keyClick(editor.get(), Qt::Key(key),
                    key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(editor->bytes(), expected);
    QVERIFY(editor->hasFocus() || !QApplication::focusWidget());
}

void EditorTest::tabExpandsAbbreviationAndWalksItsEmptySpots()
{
    const QByteArray typed = "<body>\r\n\tul>li*2\r\n</body>\r\n";
    const QByteArray expanded =
        "<body>\r\n\t<ul>\r\n\t\t<li></li>\r\n\t\t<li></li>\r\n\t</ul>\r\n</body>\r\n";
    const long end = typed.indexOf("\r\n</body>");
    auto editor = makeEditor(typed);
    const auto caret = [&editor] {
        return sci(*editor, S::SCI_GETCURRENTPOS);
    };

    setSelection(*editor, end, end);
    QTest::keyClick(editor.get(), Qt::Key_Tab);
    QCOMPARE(editor->bytes(), expanded);
    QCOMPARE(caret(), expanded.indexOf("</li>"));
    // Away from the expansion its spots are forgotten: Tab is a tab.
    setSelection(*editor, 0, 0);
    QTest::keyClick(editor.get(), Qt::Key_Tab);
    QCOMPARE(editor->bytes(), '\t' + expanded);
    editor->undo();
    editor->undo();
    QCOMPARE(editor->bytes(), typed);

    setSelection(*editor, end, end);
    QTest::keyClick(editor.get(), Qt::Key_Tab);
    typeText(editor.get(), QStringLiteral("x"));
    QTest::keyClick(editor.get(), Qt::Key_Tab);
    QByteArray filled = expanded;
    filled.insert(expanded.indexOf("</li>"), 'x');
    QCOMPARE(caret(), filled.lastIndexOf("</li>"));
    // After the last spot Tab is a tab again.
    QTest::keyClick(editor.get(), Qt::Key_Tab);
    QCOMPARE(editor->bytes(), filled.insert(filled.lastIndexOf("</li>"), '\t'));
}

void EditorTest::tabExpandsOnlyInMarkupText_data()
{
    QTest::addColumn<QByteArray>("text"); // the caret at "|"
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("text with an entity")
        << QByteArray("<p>\n\tb{Hi & bye}+i|\n</p>")
        << QByteArray("<p>\n\t<b>Hi &amp; bye</b>\n\t<i></i>\n</p>");
    QTest::newRow("script") << QByteArray("<script>\nul>li|\n</script>")
                            << QByteArray("<script>\nul>li\t\n</script>");
    QTest::newRow("style sheet") << QByteArray("<style>\nul>li|\n</style>")
                                 << QByteArray("<style>\nul>li\t\n</style>");
    QTest::newRow("PHP") << QByteArray("<?php\nul>li|\n?>") << QByteArray("<?php\nul>li\t\n?>");
    QTest::newRow("attribute value")
        << QByteArray("<a title=\"ul>li|\">") << QByteArray("<a title=\"ul>li\t\">");
}

void EditorTest::tabExpandsOnlyInMarkupText()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    const long caret = text.indexOf('|');
    auto editor = makeEditor(text.remove(caret, 1));
    setSelection(*editor, caret, caret);
    QTest::keyClick(editor.get(), Qt::Key_Tab);
    QCOMPARE(editor->bytes(), expected);
}

void EditorTest::insert2TagWrapsSelection_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty selection") << QByteArray("ab") << 1 << 1 << QByteArray("a<B></B>b");
    QTest::newRow("word selected") << QByteArray("a word") << 2 << 6 << QByteArray("a <B>word</B>");
    QTest::newRow("invalid and NUL bytes kept")
        << QByteArray("x\xff\0y", 4) << 0 << 4 << QByteArray("<B>x\xff\0y</B>", 11);
}

void EditorTest::insert2TagWrapsSelection()
{
    QFETCH(QByteArray, text);
    QFETCH(int, anchor);
    QFETCH(int, caret);
    QFETCH(QByteArray, expected);
    auto editor = makeEditor(text);
    setSelection(*editor, anchor, caret);
    editor->insert2Tag(QStringLiteral("B"));
    QCOMPARE(editor->bytes(), expected);
    // The caret stands behind the inserted text.
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS),
             expected.size() - (text.size() - std::max(anchor, caret)));
}

void EditorTest::shiftEnterInsertsParagraph()
{
    auto editor = makeEditor("text");
    setSelection(*editor, 0, 4);
    QTest::keyClick(editor.get(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(editor->bytes(), QByteArray("<P>text</P>"));
}

void EditorTest::ctrlDigitInsertsHeadingAndNothingElse_data()
{
    QTest::addColumn<int>("digit");
    for (int digit = 1; digit <= 6; ++digit)
        QTest::newRow(qPrintable(QStringLiteral("Ctrl+%1").arg(digit))) << digit;
}

void EditorTest::ctrlDigitInsertsHeadingAndNothingElse()
{
    QFETCH(int, digit);
    auto editor = makeEditor();
    // The platform sends the digit as text with the key; it must not be inserted too.
    QTest::sendKeyEvent(QTest::Press, editor.get(), Qt::Key(Qt::Key_0 + digit),
                        QString::number(digit), Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Release, editor.get(), Qt::Key(Qt::Key_0 + digit),
                        QString::number(digit), Qt::ControlModifier);
    const QByteArray tag = "H" + QByteArray::number(digit);
    QCOMPARE(editor->bytes(), "<" + tag + "></" + tag + ">");
}

void EditorTest::ctrlEnterAndCtrlSpaceInsertEntities()
{
    auto editor = makeEditor("a-b");
    setSelection(*editor, 1, 2);
    QTest::keyClick(editor.get(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(editor->bytes(), QByteArray("a<BR>b"));
    QTest::keyClick(editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(editor->bytes(), QByteArray("a<BR>&nbsp;b"));
}

void EditorTest::ctrlKeysRequestTabsAndTagEntry()
{
    auto editor = makeEditor("abc");
    QSignalSpy next(editor.get(), &Editor::nextTabRequested);
    QSignalSpy previous(editor.get(), &Editor::previousTabRequested);
    QSignalSpy tagEntry(editor.get(), &Editor::tagEntryRequested);
    QTest::keyClick(editor.get(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(editor.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(editor.get(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(next.count(), 1);
    QCOMPARE(previous.count(), 1);
    QCOMPARE(tagEntry.count(), 1);
    QCOMPARE(tagEntry.first().first().toInt(), 7);
    QCOMPARE(editor->bytes(), QByteArray("abc"));
}

void EditorTest::completionOpensOnLessThanAndNarrows()
{
    auto editor = makeEditor("x");
    setSelection(*editor, 1, 1);
    CompletionList* list = editor->completionList();
    QCOMPARE(list->objectName(), QStringLiteral("SyntaxHTML"));
    QVERIFY(!list->isVisible());
    QTest::keyClicks(editor.get(), "<");
    QVERIFY(editor->isCompletionOpen());
    QVERIFY(list->isVisible());
    QCOMPARE(editor->completionStart(), 2);
    QCOMPARE(list->currentText(), QStringLiteral("?php"));
    QTest::keyClicks(editor.get(), "ta");
    QCOMPARE(list->currentText(), QStringLiteral("TABLE>"));
    QTest::keyClick(editor.get(), Qt::Key_Backspace);
    QTest::keyClicks(editor.get(), "r");
    QCOMPARE(list->currentText(), QStringLiteral("TR>"));
    QTest::keyClick(editor.get(), Qt::Key_Return);
    QVERIFY(!editor->isCompletionOpen());
    QVERIFY(!list->isVisible());
    QCOMPARE(editor->bytes(), QByteArray("x<TR>"));
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS), 5);
}

void EditorTest::completionMovesWithWrapAround()
{
    auto editor = makeEditor();
    QTest::keyClicks(editor.get(), "<");
    CompletionList* list = editor->completionList();
    QCOMPARE(list->currentRow(), 0);
    QTest::keyClick(editor.get(), Qt::Key_Up);
    QCOMPARE(list->currentRow(), list->count() - 1);
    QTest::keyClick(editor.get(), Qt::Key_Down);
    QCOMPARE(list->currentRow(), 0);
    QTest::keyClick(editor.get(), Qt::Key_Down);
    QCOMPARE(list->currentText(), QStringLiteral("A>"));
    // The arrows moved in the list, not the caret through the text.
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS), 1);
    QTest::keyClick(editor.get(), Qt::Key_Enter);
    QCOMPARE(editor->bytes(), QByteArray("<A>"));
}

void EditorTest::completionDoubleClickInserts()
{
    auto editor = makeEditor("<p>");
    // Otherwise "</" is completed to "</p>" at once and the list closes.
    editor->setCompleteClosingTags(false);
    setSelection(*editor, 3, 3);
    QTest::keyClicks(editor.get(), "</");
    CompletionList* list = editor->completionList();
    QCOMPARE(list->currentText(), QStringLiteral("/A>"));
    QListWidgetItem* item = list->findItems(QStringLiteral("/TD>"), Qt::MatchExactly).value(0);
    QVERIFY(item);
    const QRect rect = list->visualItemRect(item);
    // A double click is a press and release, then a second press that the platform marks.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(editor->bytes(), QByteArray("<p></TD>"));
    QVERIFY(!editor->isCompletionOpen());
}

void EditorTest::completionClosesOnEscapeFocusLossAndCaretBeforeStart()
{
    auto editor = makeEditor("ab");
    setSelection(*editor, 2, 2);
    QTest::keyClicks(editor.get(), "<");
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    QVERIFY(!editor->isCompletionOpen());
    QCOMPARE(editor->bytes(), QByteArray("ab<"));

    QTest::keyClicks(editor.get(), "<");
    QVERIFY(editor->isCompletionOpen());
    QTest::keyClick(editor.get(), Qt::Key_Left);
    QTest::keyClick(editor.get(), Qt::Key_Left);
    QVERIFY(!editor->isCompletionOpen());
    // Enter is an ordinary line end again.
    QTest::keyClick(editor.get(), Qt::Key_Return);
    QCOMPARE(editor->bytes(), QByteArray("ab\r\n<<"));

    setSelection(*editor, 6, 6);
    QTest::keyClicks(editor.get(), "<");
    QVERIFY(editor->isCompletionOpen());
    QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(editor.get(), &focusOut);
    QVERIFY(!editor->isCompletionOpen());
    QVERIFY(!editor->completionList()->isVisible());
}

void EditorTest::pasteTakesPlainTextOnly()
{
    auto editor = makeEditor("[]");
    setSelection(*editor, 1, 1);
    auto* mime = new QMimeData;
    mime->setHtml(QStringLiteral("<b>bold</b> <i>text</i>"));
    mime->setText(QStringLiteral("bold text é"));
    QGuiApplication::clipboard()->setMimeData(mime);
    QSignalSpy changed(editor.get(), &Editor::contentChanged);
    bool pastingSeen = false;
    connect(editor.get(), &Editor::contentChanged, this,
            [&] { pastingSeen = pastingSeen || editor->isPasting(); });
    QTest::keyClick(editor.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor->bytes(), QByteArray("[bold text \xc3\xa9]"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(pastingSeen);
    QVERIFY(!editor->isPasting());
    // One undo step takes the whole paste back.
    editor->undo();
    QCOMPARE(editor->bytes(), QByteArray("[]"));
}

void EditorTest::contentChangedOnEveryKindOfEdit()
{
    auto editor = makeEditor("abc");
    QSignalSpy changed(editor.get(), &Editor::contentChanged);
    setSelection(*editor, 3, 3);
    QTest::keyClicks(editor.get(), "d");
    QCOMPARE(changed.count(), 1);
    QTest::keyClick(editor.get(), Qt::Key_Backspace);
    QCOMPARE(changed.count(), 2);
    QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->bytes(), QByteArray("abcd"));
    QCOMPARE(changed.count(), 3);
    editor->undo();
    QCOMPARE(changed.count(), 4);
    editor->redo();
    QCOMPARE(editor->bytes(), QByteArray("abcd"));
    QCOMPARE(changed.count(), 5);
    QGuiApplication::clipboard()->setText(QStringLiteral("!"));
    editor->paste();
    QCOMPARE(changed.count(), 6);
    // A change made without a key still reaches the signal, once control is back.
    editor->SendScintilla(S::SCI_INSERTTEXT, 0UL, "x");
    QTRY_COMPARE(changed.count(), 7);
    // Loading and switching documents are not edits.
    editor->setDocument(editor->createDocument(LexerKind::Css));
    editor->loadBytes("p {}");
    QTest::qWait(20);
    QCOMPARE(changed.count(), 7);
}

void EditorTest::statusLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start") << QByteArray("abc\r\ndef") << 0 << 0 << "Line: 1  Symbol: 0";
    QTest::newRow("mid-line") << QByteArray("abcdef") << 4 << 4 << "Line: 1  Symbol: 4";
    QTest::newRow("after CR LF") << QByteArray("ab\r\ncdef") << 6 << 6 << "Line: 2  Symbol: 2";
    QTest::newRow("after LF") << QByteArray("ab\ncd\nef") << 7 << 7 << "Line: 3  Symbol: 1";
    QTest::newRow("after lone CR") << QByteArray("ab\rcd") << 3 << 3 << "Line: 2  Symbol: 0";
    QTest::newRow("non-ASCII counts characters")
        << QByteArray("x\r\n\xd0\x9f\xd1\x80\xd0\xb8") << 9 << 9 << "Line: 2  Symbol: 3";
    QTest::newRow("selection") << QByteArray("one\r\ntwo three") << 5 << 14
                               << "Line: 2  Symbol: 9  Selected: 9 symbol(s)";
    QTest::newRow("selection over a line end")
        << QByteArray("ab\r\ncd") << 1 << 5 << "Line: 2  Symbol: 1  Selected: 4 symbol(s)";
}

void EditorTest::statusLine()
{
    QFETCH(QByteArray, text);
    QFETCH(int, anchor);
    QFETCH(int, caret);
    QFETCH(QString, expected);
    auto editor = makeEditor(text);
    setSelection(*editor, anchor, caret);
    QSignalSpy status(editor.get(), &Editor::statusTextChanged);
    // Shift alone moves nothing but is a key like any other: the status line follows.
    QTest::keyClick(editor.get(), Qt::Key_Shift);
    QVERIFY(status.count() >= 2);
    QCOMPARE(status.last().first().toString(), expected);
}

void EditorTest::statusLineCountsTypedNonAsciiCharacters()
{
    auto editor = makeEditor();
    LangStrings strings;
    QVERIFY(strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/russian/main.lng"),
                         QStringLiteral("russian")));
    editor->setLangStrings(&strings);
    QSignalSpy status(editor.get(), &Editor::statusTextChanged);
    typeText(editor.get(), QStringLiteral("Привет"));
    QCOMPARE(editor->bytes(), QStringLiteral("Привет").toUtf8());
    QCOMPARE(status.last().first().toString(),
             strings.value(Str::StatusLine) + "1  " + strings.value(Str::StatusSymbol) + "6");
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {},
                      QPoint(int(sci(*editor, S::SCI_POINTXFROMPOSITION, 0, 0)) + 1, 5));
    QCOMPARE(status.last().first().toString(),
             strings.value(Str::StatusLine) + "1  " + strings.value(Str::StatusSymbol) + "0");
}

void EditorTest::bytesRoundTripExactly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("NUL bytes") << QByteArray("a\0b\0\0c", 6);
    QTest::newRow("invalid UTF-8") << QByteArray("\xff\xfe<p>\xc3(\xe2\x82</p>");
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd\r\n");
    QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf<html>");
    QTest::newRow("empty") << QByteArray();
}

void EditorTest::bytesRoundTripExactly()
{
    QFETCH(QByteArray, bytes);
    auto editor = makeEditor(bytes);
    QCOMPARE(editor->bytes(), bytes);
    QCOMPARE(sci(*editor, S::SCI_GETLENGTH), bytes.size());
}

void EditorTest::loadingLeavesNoUndoAndNoModifiedMark()
{
    auto editor = makeEditor("old");
    QTest::keyClicks(editor.get(), "x");
    QVERIFY(editor->isModified());
    editor->loadBytes("new text");
    QCOMPARE(editor->bytes(), QByteArray("new text"));
    QVERIFY(!editor->isModified());
    QVERIFY(!editor->isUndoAvailable());
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS), 0);
}

void EditorTest::documentsKeepTextUndoAndViewApart()
{
    QByteArray longText;
    for (int i = 0; i < 300; ++i)
        longText += "line " + QByteArray::number(i) + "\n";
    auto editor = makeEditor(longText);
    const QsciDocument first = editor->document();
    // Scroll down and select in the first document, and edit it.
    setSelection(*editor, 1000, 1010);
    editor->SendScintilla(S::SCI_SETFIRSTVISIBLELINE, 120UL);
    QTest::keyClicks(editor.get(), "A");
    const Editor::ViewState firstView = editor->viewState();
    QCOMPARE(firstView.firstVisibleLine, 120);

    QsciDocument second = editor->createDocument(LexerKind::Css);
    editor->setDocument(second);
    QCOMPARE(editor->bytes(), QByteArray());
    QVERIFY(!editor->isUndoAvailable());
    QTest::keyClicks(editor.get(), "b{}");
    QTest::keyClick(editor.get(), Qt::Key_Return);
    QCOMPARE(editor->bytes(), QByteArray("b{}\r\n"));
    const Editor::ViewState secondView = editor->viewState();

    editor->setDocument(first);
    QCOMPARE(editor->lineEnd(), EditRules::LineEnd::Lf);
    editor->restoreViewState(firstView);
    QCOMPARE(editor->viewState(), firstView);
    QCOMPARE(sci(*editor, S::SCI_GETFIRSTVISIBLELINE), 120);
    editor->undo();
    QCOMPARE(editor->bytes(), longText);
    QVERIFY(!editor->isUndoAvailable());

    editor->setDocument(second);
    QCOMPARE(editor->lineEnd(), EditRules::LineEnd::CrLf);
    editor->restoreViewState(secondView);
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS), 5);
    editor->undo();
    editor->undo();
    QVERIFY(editor->bytes().size() < 5);
    QCOMPARE(editor->lexerKind(), LexerKind::Css);
}

void EditorTest::switchingDocumentsDoesNotReLex()
{
    QByteArray big;
    while (big.size() < 4 * 1024 * 1024)
        big += "<p class=\"a\">text <?php echo $x; ?></p>\r\n";
    auto editor = makeEditor(big);
    const QsciDocument first = editor->document();
    const long styledAfterLoad = sci(*editor, S::SCI_GETENDSTYLED);
    QVERIFY(styledAfterLoad > 0);
    QVERIFY(styledAfterLoad < big.size() / 2);
    editor->setDocument(editor->createDocument(LexerKind::JavaScript));
    editor->setDocument(editor->createDocument(LexerKind::PlainText));
    editor->setDocument(first);
    QVERIFY(sci(*editor, S::SCI_GETENDSTYLED) < big.size() / 2);
}

void EditorTest::lexerFollowsDocument()
{
    const QByteArray css = "body { color: red; }";
    auto editor = makeEditor(css, LexerKind::Css);
    QCOMPARE(editor->lexerKind(), LexerKind::Css);
    editor->SendScintilla(S::SCI_COLOURISE, 0UL, -1L);
    const long selectorStyle = sci(*editor, S::SCI_GETSTYLEAT, 1);
    const long propertyStyle = sci(*editor, S::SCI_GETSTYLEAT, 8);
    QVERIFY(selectorStyle != propertyStyle);

    QsciDocument script = editor->createDocument(LexerKind::JavaScript);
    editor->setDocument(script);
    editor->loadBytes("var x = 'text'; // note");
    editor->SendScintilla(S::SCI_COLOURISE, 0UL, -1L);
    QCOMPARE(editor->lexerKind(), LexerKind::JavaScript);
    QVERIFY(sci(*editor, S::SCI_GETSTYLEAT, 0) != sci(*editor, S::SCI_GETSTYLEAT, 9));
    // Every style is drawn in the editor's one font.
    char font[128] = {};
    char defaultFont[128] = {};
    editor->SendScintilla(S::SCI_STYLEGETFONT,
                          static_cast<unsigned long>(sci(*editor, S::SCI_GETSTYLEAT, 0)), font);
    editor->SendScintilla(S::SCI_STYLEGETFONT, static_cast<unsigned long>(S::STYLE_DEFAULT),
                          defaultFont);
    QCOMPARE(QByteArray(font), QByteArray(defaultFont));

    editor->setDocument(editor->createDocument(LexerKind::PlainText));
    QCOMPARE(editor->lexerKind(), LexerKind::PlainText);
}

void EditorTest::phpKeywordsComeFromTheListFile()
{
    const QByteArray text = "<?php frobnicate strlen; ?>";
    auto editor = makeEditor(text);
    editor->SendScintilla(S::SCI_COLOURISE, 0UL, -1L);
    constexpr long phpWord = 121;
    QCOMPARE(sci(*editor, S::SCI_GETSTYLEAT, 7), phpWord);
    QVERIFY(sci(*editor, S::SCI_GETSTYLEAT, 18) != phpWord);
}

void EditorTest::styleSheetTokensGetTheirColours_data()
{
    using Kind = CssTokenizer::Kind;
    QTest::addColumn<QByteArray>("piece");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("kind"); // -1: the HTML lexer's own colour
    QTest::newRow("selector") << QByteArray("body") << QByteArray() << int(Kind::Selector);
    QTest::newRow("at-rule") << QByteArray("@media") << QByteArray() << int(Kind::AtRule);
    QTest::newRow("property") << QByteArray("color") << QByteArray() << int(Kind::Property);
    QTest::newRow("value") << QByteArray("red") << QByteArray() << int(Kind::Value);
    QTest::newRow("string") << QByteArray("'x'") << QByteArray() << int(Kind::String);
    QTest::newRow("comment") << QByteArray("note") << QByteArray() << int(Kind::Comment);
    QTest::newRow("brace") << QByteArray("{") << QByteArray() << int(Kind::Punctuation);
    QTest::newRow("tag outside") << QByteArray("html") << QByteArray() << -1;
    QTest::newRow("PHP inside") << QByteArray("echo") << QByteArray() << -1;
    QTest::newRow("after a <style> in a script string")
        << QByteArray("body") << QByteArray("script") << -1;
}

void EditorTest::styleSheetTokensGetTheirColours()
{
    QFETCH(QByteArray, piece);
    QFETCH(QByteArray, after);
    QFETCH(int, kind);
    const QByteArray text =
        "<html><STYLE type=\"text/css\">\r\n@media print { body { color: red; content: 'x' } "
        "/* note */ p { <?php echo 1; ?> }\r\n}\r\n</STYLE>\r\n"
        "<script>var s = \"<style>\";</script>\r\nbody { x: y }\r\n";
    auto editor = makeEditor(text);
    QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    editor->viewport()->repaint();
    const long position = text.indexOf(piece, text.indexOf(after));
    const auto style = static_cast<unsigned char>(sci(*editor, S::SCI_GETSTYLEAT, position));
    if (kind < 0) {
        QVERIFY(style < StyleBlockColourer::FirstStyle);
        return;
    }
    const auto tokenKind = static_cast<CssTokenizer::Kind>(kind);
    QCOMPARE(style, StyleBlockColourer::style(tokenKind));
    QCOMPARE(sci(*editor, S::SCI_STYLEGETFORE, style),
             EditorStyles::toViewColour(StyleBlockColourer::colour(tokenKind)));
}

void EditorTest::typingInAStyleSheetKeepsItsColours_data()
{
    QByteArray oneLine = "<p>a</p><style>";
    while (oneLine.size() < 300 * 1024)
        oneLine += "b{c:d} ";
    oneLine += "i{j:red}</style><p>e</p>";
    QByteArray lines = "<p>a</p>\r\n<style>\r\n";
    for (int i = 0; i < 200; ++i)
        lines += "b { c: d }\r\n";
    lines += "i { j: red }\r\n</style>\r\n<p>e</p>\r\n";
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("short lines") << lines;
    QTest::newRow("one line past the slow length") << oneLine;
}

void EditorTest::typingInAStyleSheetKeepsItsColours()
{
    QFETCH(QByteArray, text);
    auto editor = makeEditor(text);
    QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    editor->viewport()->repaint();
    auto styleAt = [&](long position) {
        return int(static_cast<unsigned char>(sci(*editor, S::SCI_GETSTYLEAT, position)));
    };
    const int value = StyleBlockColourer::style(CssTokenizer::Kind::Value);
    const int property = StyleBlockColourer::style(CssTokenizer::Kind::Property);
    const long red = text.indexOf("red");
    setSelection(*editor, red, red);
    editor->viewport()->repaint();
    QCOMPARE(styleAt(red), value);

    const long first = text.indexOf("c");
    setSelection(*editor, first, first);
    typeText(editor.get(), QStringLiteral("ab"));
    editor->viewport()->repaint();
    QCOMPARE(editor->bytes(), text.left(first) + "ab" + text.mid(first));
    QCOMPARE(styleAt(first), property);
    QCOMPARE(styleAt(first + 2), property);
    // A colon turns the rest of the name into a value.
    typeText(editor.get(), QStringLiteral(":"));
    editor->viewport()->repaint();
    QCOMPARE(styleAt(first + 3), value);
    const QByteArray typed = editor->bytes();
    setSelection(*editor, typed.indexOf("red"), typed.indexOf("red"));
    editor->viewport()->repaint();
    QCOMPARE(styleAt(typed.indexOf("red")), value);
    QCOMPARE(styleAt(typed.indexOf("<p>e") + 3), 0);
}

void EditorTest::lineNumbersFollowLineCountAndToggle()
{
    auto editor = makeEditor("a\r\nb");
    QVERIFY(editor->lineNumbersVisible());
    const int narrow = editor->marginWidth(0);
    QVERIFY(narrow > 0);
    QByteArray many;
    for (int i = 0; i < 20000; ++i)
        many += "x\r\n";
    editor->loadBytes(many);
    QVERIFY(editor->marginWidth(0) > narrow);
    editor->setLineNumbersVisible(false);
    QCOMPARE(editor->marginWidth(0), 0);
    editor->setLineNumbersVisible(true);
    QVERIFY(editor->marginWidth(0) > narrow);
}

void EditorTest::wrapByWords()
{
    auto editor = makeEditor("some words");
    editor->setWrapByWords(true);
    QVERIFY(editor->wrapsByWords());
    QCOMPARE(editor->wrapMode(), QsciScintilla::WrapWord);
    editor->setWrapByWords(false);
    QCOMPARE(editor->wrapMode(), QsciScintilla::WrapNone);
}

void EditorTest::modificationMaskStaysQuick()
{
    auto editor = makeEditor("abc");
    constexpr long quick = S::SC_MOD_CHANGEFOLD | S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE |
                           S::SC_MOD_CHANGESTYLE;
    QCOMPARE(sci(*editor, S::SCI_GETMODEVENTMASK), quick);
    editor->setDocument(editor->createDocument(LexerKind::Html));
    QCOMPARE(sci(*editor, S::SCI_GETMODEVENTMASK), quick);
    QCOMPARE(editor->objectName(), QStringLiteral("Rich"));
    QVERIFY(editor->isUtf8());
}

void EditorTest::foldBlocksOfAKnownPage_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<LexerKind>("kind");
    QTest::addColumn<long>("header");
    QTest::addColumn<long>("lastChild");
    QTest::newRow("nested elements")
        << QByteArray("<html>\r\n<body>\r\n<div>\r\n<p>x</p>\r\n</div>\r\n</body>\r\n</html>\r\n")
        << LexerKind::Html << 2L << 4L;
    QTest::newRow("PHP braces") << QByteArray(
                                       "<p>\r\n<?php\r\nif ($a) {\r\n  echo 1;\r\n}\r\n?>\r\n")
                                << LexerKind::Html << 2L << 4L;
    QTest::newRow("CSS rule") << QByteArray("a {\r\n  color: red;\r\n}\r\nb { }\r\n")
                              << LexerKind::Css << 0L << 2L;
    QTest::newRow("JavaScript function")
        << QByteArray("function f() {\r\n  return 1;\r\n}") << LexerKind::JavaScript << 0L << 2L;
}

void EditorTest::foldBlocksOfAKnownPage()
{
    QFETCH(QByteArray, text);
    QFETCH(LexerKind, kind);
    QFETCH(long, header);
    QFETCH(long, lastChild);
    auto editor = makeEditor(text, kind);
    editor->colour(0, text.size());
    QVERIFY(sci(*editor, S::SCI_GETFOLDLEVEL, header) & S::SC_FOLDLEVELHEADERFLAG);
    QCOMPARE(sci(*editor, S::SCI_GETLASTCHILD, header, -1), lastChild);
}

void EditorTest::foldsSurviveADocumentSwitchAndGoWhenSwitchedOff()
{
    auto editor = makeEditor("<div>\r\n<p>\r\nx\r\n</p>\r\n</div>\r\n");
    editor->foldAll();
    const Editor::ViewState state = editor->viewState();
    // The outermost blocks.
    QCOMPARE(state.foldedLines, (QList<qint64>{0}));

    const QsciDocument first = editor->document();
    editor->setDocument(editor->createDocument(LexerKind::Html));
    editor->setDocument(first);
    editor->restoreViewState(state);
    QCOMPARE(editor->viewState().foldedLines, state.foldedLines);
    QVERIFY(!sci(*editor, S::SCI_GETLINEVISIBLE, 2));

    editor->unfoldAll();
    QVERIFY(editor->viewState().foldedLines.isEmpty());
    QVERIFY(sci(*editor, S::SCI_GETLINEVISIBLE, 2));

    editor->foldAll();
    editor->setFoldingEnabled(false);
    QVERIFY(editor->viewState().foldedLines.isEmpty());
    QCOMPARE(sci(*editor, S::SCI_GETMARGINWIDTHN, 2), 0L);
    editor->foldAll();
    QVERIFY(editor->viewState().foldedLines.isEmpty());
}

void EditorTest::closingTagsAsTyped_data()
{
    // "|" stands for the caret, before typing and after.
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("addAfterOpening");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("innermost element") << QByteArray("<div><p>x|") << QStringLiteral("</") << false
                                       << QByteArray("<div><p>x</p>|");
    QTest::newRow("void element passed") << QByteArray("<td>x<br>|") << QStringLiteral("</")
                                         << false << QByteArray("<td>x<br></td>|");
    QTest::newRow("inside PHP") << QByteArray("<div><?php echo '|") << QStringLiteral("</") << false
                                << QByteArray("<div><?php echo '</|");
    QTest::newRow("inside a script") << QByteArray("<div><script>s = '|") << QStringLiteral("</")
                                     << false << QByteArray("<div><script>s = '</|");
    QTest::newRow("opening tag, adding on")
        << QByteArray("<div>|") << QStringLiteral("<p>") << true << QByteArray("<div><p>|</p>");
    QTest::newRow("opening tag, adding off")
        << QByteArray("<div>|") << QStringLiteral("<p>") << false << QByteArray("<div><p>|");
    QTest::newRow("void element, adding on")
        << QByteArray("<div>|") << QStringLiteral("<br>") << true << QByteArray("<div><br>|");
}

void EditorTest::closingTagsAsTyped()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, typed);
    QFETCH(bool, addAfterOpening);
    QFETCH(QByteArray, expected);
    auto editor = makeEditor(QByteArray(text).replace("|", ""));
    editor->setAddClosingTags(addAfterOpening);
    const long caret = text.indexOf('|');
    setSelection(*editor, caret, caret);
    typeText(editor.get(), typed);
    QCOMPARE(editor->bytes(), QByteArray(expected).replace("|", ""));
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS), long(expected.indexOf('|')));
}

void EditorTest::matchingTagIsMarkedAndJumpedTo()
{
    auto editor = makeEditor("<div><p>x</p></div>");
    const auto marked = [&editor](long position) {
        return sci(*editor, S::SCI_INDICATORVALUEAT, S::INDIC_CONTAINER, position) != 0;
    };
    setSelection(*editor, 2, 2);
    QTRY_VERIFY(marked(15));
    QVERIFY(marked(1));
    QVERIFY(!marked(6));

    QVERIFY(editor->jumpToMatch());
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS), 15L);
    QTRY_VERIFY(marked(1));
    QVERIFY(editor->jumpToMatch());
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS), 1L);

    editor->setMatchHighlighting(false);
    QVERIFY(!marked(1) && !marked(15));
    setSelection(*editor, 8, 8);
    QVERIFY(!editor->jumpToMatch());
}

void EditorTest::typingGoesIntoEveryLineOfARectangle()
{
    auto editor = makeEditor("ab\r\ncd\r\nef\r\n");
    sci(*editor, S::SCI_SETRECTANGULARSELECTIONANCHOR, 1);
    sci(*editor, S::SCI_SETRECTANGULARSELECTIONCARET, 9);
    typeText(editor.get(), QStringLiteral("X"));
    QCOMPARE(editor->bytes(), QByteArray("aXb\r\ncXd\r\neXf\r\n"));
}

void EditorTest::toggleCommentUsesTheLanguageAtTheLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<LexerKind>("kind");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("html line") << QByteArray("<p>a</p>\r\n<br>") << LexerKind::Html << 2 << 2
                               << QByteArray("<!-- <p>a</p> -->\r\n<br>");
    QTest::newRow("html uncommented, indent kept")
        << QByteArray("  <!-- <p>a</p> -->\n") << LexerKind::Html << 0 << 0
        << QByteArray("  <p>a</p>\n");
    QTest::newRow("style sheet in a page")
        << QByteArray("<style>\n  p { color: red; }\n</style>\n") << LexerKind::Html << 12 << 12
        << QByteArray("<style>\n  /* p { color: red; } */\n</style>\n");
    QTest::newRow("script in a page")
        << QByteArray("<script>\nvar a = 1;\n</script>\n") << LexerKind::Html << 10 << 10
        << QByteArray("<script>\n// var a = 1;\n</script>\n");
    QTest::newRow("php in a page") << QByteArray("<p>\n<?php\necho 1;\n?>\n") << LexerKind::Html
                                   << 12 << 12 << QByteArray("<p>\n<?php\n// echo 1;\n?>\n");
    QTest::newRow("php # and // uncommented")
        << QByteArray("<?php\n# a\n\n  // b\n?>") << LexerKind::Html << 7 << 16
        << QByteArray("<?php\na\n\n  b\n?>");
    QTest::newRow("javascript file, selection ending at a line start")
        << QByteArray("a();\n  b();\nc();") << LexerKind::JavaScript << 0 << 12
        << QByteArray("// a();\n  // b();\nc();");
    QTest::newRow("mixed selection is commented")
        << QByteArray("// a();\nb();") << LexerKind::JavaScript << 0 << 10
        << QByteArray("// // a();\n// b();");
    QTest::newRow("css file") << QByteArray("p {}") << LexerKind::Css << 0 << 0
                              << QByteArray("/* p {} */");
    QTest::newRow("plain text has no comments")
        << QByteArray("p {}") << LexerKind::PlainText << 0 << 0 << QByteArray("p {}");
}

void EditorTest::toggleCommentUsesTheLanguageAtTheLines()
{
    QFETCH(QByteArray, text);
    QFETCH(LexerKind, kind);
    QFETCH(int, anchor);
    QFETCH(int, caret);
    QFETCH(QByteArray, expected);
    auto editor = makeEditor(text, kind);
    LineCommands lines(*editor);
    setSelection(*editor, anchor, caret);

    lines.toggleComment();
    QCOMPARE(editor->bytes(), expected);
    editor->undo();
    QCOMPARE(editor->bytes(), text);
}

void EditorTest::goToLineMovesTheCaretWithinTheText_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("position");

    // "one\r\nёжик\nthree": line 2 starts at byte 5, "ё" and "ж" take two bytes each.
    QTest::newRow("line") << QStringLiteral("2") << 5;
    QTest::newRow("line:column in characters") << QStringLiteral(" 2 : 3 ") << 9;
    QTest::newRow("column past the line's end") << QStringLiteral("1:40") << 3;
    QTest::newRow("line past the end") << QStringLiteral("99") << 14;
    QTest::newRow("garbage") << QStringLiteral("two") << 1;
    QTest::newRow("line 0") << QStringLiteral("0") << 1;
    QTest::newRow("cancelled") << QString() << 1;
}

void EditorTest::goToLineMovesTheCaretWithinTheText()
{
    QFETCH(QString, answer);
    QFETCH(int, position);
    auto editor = makeEditor(QStringLiteral("one\r\nёжик\nthree").toUtf8());
    LineCommands lines(*editor);
    setSelection(*editor, 1, 1);
    Test::ScriptedPrompter prompter;
    prompter.expectInput(QString(), answer);
    LangStrings strings;

    lines.askGoToLine(prompter, strings);
    QCOMPARE(sci(*editor, S::SCI_GETCURRENTPOS), position);
    QCOMPARE(sci(*editor, S::SCI_GETANCHOR), position);
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

QTEST_MAIN(EditorTest)

#include "EditorTest.moc"
