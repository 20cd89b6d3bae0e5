#include "editing/Editor.h"
#include "editing/EditorAccessibility.h"
#include "editing/StyleBlockColourer.h"

#include <QApplication>
#include <QTest>

#include <memory>

using namespace Quillorn;
using S = QsciScintillaBase;

namespace {

constexpr int Patient = 120000; // colouring megabytes on a loaded machine
constexpr long HtmlTagStyle = 1;

// About 100 000 lines: more than the editor component colours in one paint.
QByteArray longPage()
{
    QByteArray text = "<html>\n";
    for (int i = 0; i < 20000; ++i) {
        const QByteArray n = QByteArray::number(i);
        text += "<style>\n.a" + n + " { color: red; }\n</style>\n<p class=\"a" + n + "\">" + n +
                "</p>\n<script>var s" + n + " = '<p>';</script>\n";
    }
    return text + "</html>\n";
}

std::unique_ptr<Editor> shownEditor(const QByteArray& text)
{
    auto editor = std::make_unique<Editor>();
    editor->resize(700, 400);
    editor->setDocument(editor->createDocument(LexerKind::Html));
    editor->loadBytes(text);
    editor->show();
    QApplication::setActiveWindow(editor.get());
    editor->setFocus();
    return editor;
}

long endStyled(const Editor& editor)
{
    return editor.SendScintilla(S::SCI_GETENDSTYLED);
}

} // namespace

class BackgroundColourerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { EditorAccessibility::install(); }
    void jumpToTheEndShowsAtOnceAndColoursAllBehind();
    void colouringFollowsTheDocumentShown_data();
    void colouringFollowsTheDocumentShown();
};

void BackgroundColourerTest::jumpToTheEndShowsAtOnceAndColoursAllBehind()
{
    const QByteArray text = longPage();
    auto editor = shownEditor(text);
    QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    QTest::keyClick(editor.get(), Qt::Key_End, Qt::ControlModifier);
    editor->viewport()->repaint();
    QVERIFY(endStyled(*editor) < text.size());

    QTRY_COMPARE_WITH_TIMEOUT(endStyled(*editor), long(text.size()), Patient);
    QCOMPARE(editor->bytes(), text);
    const long lastTag = text.lastIndexOf("<p class");
    QCOMPARE(editor->SendScintilla(S::SCI_GETSTYLEAT, static_cast<unsigned long>(lastTag + 1)),
             HtmlTagStyle);
    // The style sheet on screen gets its colours once the lexer's colours are there.
    QTRY_COMPARE(static_cast<unsigned char>(editor->SendScintilla(
                     S::SCI_GETSTYLEAT, static_cast<unsigned long>(text.lastIndexOf("color")))),
                 StyleBlockColourer::style(CssTokenizer::Kind::Property));
}

void BackgroundColourerTest::colouringFollowsTheDocumentShown_data()
{
    QTest::addColumn<bool>("closeFirst");
    QTest::newRow("switched back") << false;
    QTest::newRow("closed while being coloured") << true;
}

void BackgroundColourerTest::colouringFollowsTheDocumentShown()
{
    QFETCH(bool, closeFirst);
    const QByteArray text = longPage();
    auto editor = shownEditor(text);
    QsciDocument first = editor->document();
    QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    QTest::keyClick(editor.get(), Qt::Key_End, Qt::ControlModifier);
    editor->viewport()->repaint();
    const Editor::ViewState atEnd = editor->viewState();

    const QByteArray small = "<p>small</p>\n<style>b { c: d }</style>\n";
    QsciDocument second = editor->createDocument(LexerKind::Html);
    editor->setDocument(second);
    editor->loadBytes(small);
    if (closeFirst)
        first = QsciDocument();
    QTRY_COMPARE(endStyled(*editor), long(small.size()));
    QCOMPARE(editor->bytes(), small);
    if (closeFirst)
        return;

    editor->setDocument(first);
    editor->restoreViewState(atEnd);
    QTRY_COMPARE_WITH_TIMEOUT(endStyled(*editor), long(text.size()), Patient);
    QCOMPARE(editor->bytes(), text);
    editor->setDocument(second);
    QCOMPARE(editor->bytes(), small);
}

QTEST_MAIN(BackgroundColourerTest)
#include "BackgroundColourerTest.moc"
