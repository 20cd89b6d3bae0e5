#include "editing/LongLineWatch.h"
#include "editing/Editor.h"
#include "editing/EditorAccessibility.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Quillorn;
using S = QsciScintillaBase;

namespace {

const QString Languages = QStringLiteral(QUILLORN_TEST_DATA "/editing/languages");

QByteArray line(qint64 length, char c = 'a')
{
    return QByteArray(length, c);
}

std::unique_ptr<Editor> shownEditor()
{
    auto editor = std::make_unique<Editor>();
    editor->loadLanguageFiles(Languages);
    editor->resize(700, 400);
    editor->show();
    QApplication::setActiveWindow(editor.get());
    editor->setFocus();
    return editor;
}

void load(Editor& editor, const QByteArray& text)
{
    editor.setDocument(editor.createDocument(LexerKind::Html));
    editor.loadBytes(text);
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The style of every byte of the document shown.
QByteArray styles(const Editor& editor)
{
    const long length = editor.SendScintilla(S::SCI_GETLENGTH);
    QByteArray styled(2 * length + 2, '\0');
    editor.SendScintilla(S::SCI_GETSTYLEDTEXT, 0L, length, styled.data());
    QByteArray result(length, '\0');
    for (long i = 0; i < length; ++i)
        result[i] = styled[2 * i + 1];
    return result;
}

} // namespace

class LongLineWatchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { EditorAccessibility::install(); }
    void longLineIsTold_data();
    void longLineIsTold();
    void longLineIsToldOncePerDocument();
    void typingIntoALongLineIsOrdinaryTyping();
    void typingIntoALongLineKeepsTheColoursRight_data();
    void typingIntoALongLineKeepsTheColoursRight();
};

void LongLineWatchTest::longLineIsTold_data()
{
    constexpr qint64 Long = LongLineWatch::LongLine;
    QByteArray manyShortLines;
    for (int i = 0; i < 100000; ++i)
        manyShortLines += "<p>" + QByteArray::number(i) + "</p>\r\n";
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("caret");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("loaded") << line(Long + 1) << qint64(-1) << 0 << 1;
    QTest::newRow("a megabyte exactly is not long") << line(Long) << qint64(-1) << 0 << 0;
    QTest::newRow("after many short lines")
        << manyShortLines + line(Long + 1) + "\r\nend" << qint64(-1) << 0 << 1;
    QTest::newRow("typed past") << line(Long) << Long << int(Qt::Key_X) << 1;
    QTest::newRow("lines joined") << line(Long / 2) + "\n" + line(Long / 2 + 1, 'b') << Long / 2 + 1
                                  << int(Qt::Key_Backspace) << 1;
}

void LongLineWatchTest::longLineIsTold()
{
    QFETCH(QByteArray, text);
    QFETCH(qint64, caret);
    QFETCH(int, key);
    QFETCH(int, expected);
    auto editor = shownEditor();
    QSignalSpy told(editor.get(), &Editor::longLineFound);
    load(*editor, text);
    if (key) {
        QCOMPARE(told.count(), 0);
        editor->SendScintilla(S::SCI_GOTOPOS, static_cast<unsigned long>(caret));
        QTest::keyClick(editor.get(), Qt::Key(key), Qt::NoModifier);
    }
    QCOMPARE(told.count(), expected);
}

void LongLineWatchTest::longLineIsToldOncePerDocument()
{
    auto editor = shownEditor();
    QSignalSpy told(editor.get(), &Editor::longLineFound);
    load(*editor, line(LongLineWatch::LongLine + 1));
    const QsciDocument document = editor->document();
    typeText(editor.get(), QStringLiteral("y"));
    load(*editor, "short");
    editor->setDocument(document);
    typeText(editor.get(), QStringLiteral("z"));
    QCOMPARE(told.count(), 1);

    load(*editor, line(LongLineWatch::LongLine + 10));
    QCOMPARE(told.count(), 2);
}

void LongLineWatchTest::typingIntoALongLineIsOrdinaryTyping()
{
    // The same keys in a short line and in a long one (which takes another way in).
    const QString typed = QStringLiteral("b\u00e9 c<");
    QList<QByteArray> results;
    for (const qint64 length : {qint64(100), LongLineWatch::SlowLine * 2}) {
        auto editor = shownEditor();
        const QByteArray text = "<p>" + line(length) + "</p>";
        load(*editor, text);
        editor->SendScintilla(S::SCI_GOTOPOS, 10UL);
        typeText(editor.get(), typed);
        QVERIFY(editor->isCompletionOpen());
        const QByteArray inserted = typed.toUtf8();
        QCOMPARE(editor->bytes(), text.left(10) + inserted + text.mid(10));
        QCOMPARE(editor->SendScintilla(S::SCI_GETCURRENTPOS), 10 + inserted.size());
        QCOMPARE(editor->statusPosition().column, 10 + typed.size());
        editor->undo();
        results.append(editor->bytes().left(20));
        editor->undo();
        results.append(editor->bytes().left(20));
    }
    QCOMPARE(results.mid(2), results.mid(0, 2));
}

void LongLineWatchTest::typingIntoALongLineKeepsTheColoursRight_data()
{
    QTest::addColumn<QByteArray>("text"); // '|' marks the caret
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("lexedAgain");
    const QString x = QStringLiteral("x");
    QTest::newRow("plain text") << QByteArray("<p>some wo|rds</p>") << x << false;
    QTest::newRow("space in plain text")
        << QByteArray("<p>some wo|rds</p>") << QStringLiteral(" ") << false;
    QTest::newRow("end of the page") << QByteArray("<p>a</p>wo|") << x << false;
    QTest::newRow("script string")
        << QByteArray("<script>var s = \"ab|c\";</script>") << x << false;
    QTest::newRow("script comment")
        << QByteArray("<script>/* ab|c */ var a;</script>") << x << false;
    QTest::newRow("style sheet value")
        << QByteArray("<style>p { color: re|d }</style>") << x << false;
    QTest::newRow("space in a style sheet")
        << QByteArray("<style>p { color: re|d }</style>") << QStringLiteral(" ") << false;
    QTest::newRow("style sheet at-rule")
        << QByteArray("<style>@med|ia print { p { x: y } }</style>") << x << false;
    QTest::newRow("script keyword becomes a name")
        << QByteArray("<script>va|r a;</script>") << x << false;
    QTest::newRow("script name becomes a keyword")
        << QByteArray("<script>var a; retur| a;</script>") << QStringLiteral("n") << false;
    QTest::newRow("script name") << QByteArray("<script>a = val|ue + 1;</script>") << x << false;
    QTest::newRow("script number")
        << QByteArray("<script>a = 1|2;</script>") << QStringLiteral("3") << false;
    QTest::newRow("letter into a script number")
        << QByteArray("<script>a = 1|2;</script>") << x << true;
    QTest::newRow("start of a script name")
        << QByteArray("<script>a = |bc + 1;</script>") << x << false;
    QTest::newRow("script member") << QByteArray("<script>a.b|c = 1;</script>") << x << true;
    QTest::newRow("script name with a dollar")
        << QByteArray("<script>$a|b = 1;</script>") << x << true;
    QTest::newRow("script name before a slash")
        << QByteArray("<script>a = b| / 2;</script>") << x << true;
    QTest::newRow("tag name") << QByteArray("<ta|ble></table>") << x << true;
    QTest::newRow("script end in a line comment")
        << QByteArray("<script>var a; // </scrip| b</script><p>c</p>") << QStringLiteral("t")
        << true;
    QTest::newRow("entity") << QByteArray("<p>a &am|p; b</p>") << x << true;
    QTest::newRow("PHP string") << QByteArray("<?php echo \"ab|c\"; ?>") << x << true;
    QTest::newRow("after a tag") << QByteArray("<p>|text</p>") << x << true;
    QTest::newRow("script type") << QByteArray("<script type=\"text/javas|cript\">var a;</script>")
                                 << x << true;
    QTest::newRow("punctuation") << QByteArray("<p>some wo|rds</p>") << QStringLiteral(";") << true;
}

void LongLineWatchTest::typingIntoALongLineKeepsTheColoursRight()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, typed);
    QFETCH(bool, lexedAgain);
    QByteArray page = "<html><body>";
    while (page.size() < LongLineWatch::SlowLine)
        page += "<p>filler</p>";
    page += text;
    const qint64 caret = page.indexOf('|');
    page.remove(caret, 1);
    auto editor = shownEditor();
    load(*editor, page);
    editor->SendScintilla(S::SCI_GOTOPOS, static_cast<unsigned long>(caret));
    // A wrong colour far before the caret, which only lexing the line again puts right.
    constexpr unsigned long Marked = 3;
    constexpr long WrongStyle = 20;
    editor->SendScintilla(S::SCI_STARTSTYLING, Marked);
    editor->SendScintilla(S::SCI_SETSTYLING, 1UL, WrongStyle);
    editor->SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(page.size()));

    typeText(editor.get(), typed);
    const QByteArray typedPage = page.left(caret) + typed.toUtf8() + page.mid(caret);
    QCOMPARE(editor->bytes(), typedPage);
    auto fresh = shownEditor();
    load(*fresh, typedPage);
    const QByteArray expected = styles(*fresh);
    QByteArray coloured = styles(*editor);
    QCOMPARE(coloured[Marked] != WrongStyle, lexedAgain);
    coloured[Marked] = expected[Marked];
    QCOMPARE(coloured, expected);
}

QTEST_MAIN(LongLineWatchTest)
#include "LongLineWatchTest.moc"
