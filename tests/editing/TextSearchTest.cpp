#include "editing/TextSearch.h"
#include "editing/Editor.h"

#include <QTest>

using namespace Quillorn;
using S = QsciScintillaBase;
using Direction = TextSearch::Direction;

namespace {
struct Selection {
    long start;
    long end;
};

Selection selection(const Editor& editor)
{
    return {editor.SendScintilla(S::SCI_GETSELECTIONSTART),
            editor.SendScintilla(S::SCI_GETSELECTIONEND)};
}
} // namespace

class TextSearchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsInEachDirection_data();
    void findsInEachDirection();
    void replaceReplacesOnlyAMatchingSelection();
    void replaceAllCountsAndUndoesAsOneStep();
    void emptyWordFindsNothing();
};

void TextSearchTest::findsInEachDirection_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("expectedStart"); // -1: nothing found
    // "cat" at 0, 8 and 19 ("CAT" in capitals: letter case does not matter).
    QTest::newRow("down from the start") << int(Direction::Down) << 0 << 0;
    QTest::newRow("down from the middle") << int(Direction::Down) << 9 << 19;
    QTest::newRow("down past the last") << int(Direction::Down) << 21 << -1;
    QTest::newRow("up from the end") << int(Direction::Up) << 27 << 19;
    QTest::newRow("up from the middle") << int(Direction::Up) << 19 << 8;
    QTest::newRow("up before the first") << int(Direction::Up) << 1 << -1;
    QTest::newRow("all wraps to the top") << int(Direction::All) << 21 << 0;
    QTest::newRow("all goes on down") << int(Direction::All) << 1 << 8;
}

void TextSearchTest::findsInEachDirection()
{
    QFETCH(int, direction);
    QFETCH(int, caret);
    QFETCH(int, expectedStart);
    Editor editor;
    editor.loadBytes("cat dog cat\r\nbird, CAT.\xd0\xba\xd1\x82");
    editor.SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(caret), caret);
    TextSearch search(&editor);
    const bool found = search.findNext(QStringLiteral("cat"), Direction(direction));
    QCOMPARE(found, expectedStart >= 0);
    if (found) {
        QCOMPARE(selection(editor).start, expectedStart);
        QCOMPARE(selection(editor).end, expectedStart + 3);
    } else {
        QCOMPARE(selection(editor).start, caret);
    }
}

void TextSearchTest::replaceReplacesOnlyAMatchingSelection()
{
    Editor editor;
    editor.loadBytes("one two one two");
    TextSearch search(&editor);
    // Nothing selected: the first press only finds.
    QVERIFY(search.replaceAndFindNext(QStringLiteral("two"), QStringLiteral("2"), Direction::Down));
    QCOMPARE(editor.bytes(), QByteArray("one two one two"));
    QCOMPARE(selection(editor).start, 4);
    QVERIFY(search.replaceAndFindNext(QStringLiteral("two"), QStringLiteral("2"), Direction::Down));
    QCOMPARE(editor.bytes(), QByteArray("one 2 one two"));
    QCOMPARE(selection(editor).start, 10);
    // The last one is replaced, and then there is no next one.
    QVERIFY(
        !search.replaceAndFindNext(QStringLiteral("two"), QStringLiteral("2"), Direction::Down));
    QCOMPARE(editor.bytes(), QByteArray("one 2 one 2"));
}

void TextSearchTest::replaceAllCountsAndUndoesAsOneStep()
{
    Editor editor;
    editor.loadBytes(QByteArray("a\0b a\0b x", 9));
    TextSearch search(&editor);
    QCOMPARE(search.replaceAll(QStringLiteral("b"), QStringLiteral("bb")), 2);
    QCOMPARE(editor.bytes(), QByteArray("a\0bb a\0bb x", 11));
    // A replacement that holds the word is not searched again.
    QCOMPARE(search.replaceAll(QStringLiteral("x"), QStringLiteral("xx")), 1);
    editor.undo();
    editor.undo();
    QCOMPARE(editor.bytes(), QByteArray("a\0b a\0b x", 9));
    QCOMPARE(search.replaceAll(QStringLiteral("zzz"), QStringLiteral("y")), 0);
}

void TextSearchTest::emptyWordFindsNothing()
{
    Editor editor;
    editor.loadBytes("abc");
    TextSearch search(&editor);
    QVERIFY(!search.findNext(QString(), Direction::All));
    QCOMPARE(search.replaceAll(QString(), QStringLiteral("x")), 0);
    QCOMPARE(editor.bytes(), QByteArray("abc"));
}

QTEST_MAIN(TextSearchTest)
#include "TextSearchTest.moc"
