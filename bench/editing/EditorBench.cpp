// Figures for the editor on large generated documents: keystrokes, caret moves, the status
// line, far jumps and the colouring that follows them, very long lines, switching documents,
// loading and memory. Run under a display (xvfb-run -a) with the program built for release;
// "--huge" adds a page of one 150 MB line, "--long-lines" stops after the pages of one line.

#include "bench/support/BenchFigures.h"
#include "editing/Editor.h"
#include "editing/EditorAccessibility.h"
#include "editing/EditorStyles.h"
#include "editing/TextSearch.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Quillorn;
using Quillorn::Bench::generateDocument;
using Quillorn::Bench::msSince;

namespace {

using S = QsciScintillaBase;

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

struct Figures {
    double median = 0;
    double worst = 0;
};

template <typename F> Figures measure(int rounds, F&& action)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        action();
        times.push_back(msSince(timer));
        settle();
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void key(QWidget* target, int key, const QString& text = {},
         Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void typeX(Editor& editor)
{
    key(&editor, Qt::Key_X, QStringLiteral("x"));
    editor.viewport()->repaint();
}

// Whether the text is coloured from the top down to the last line on screen: the editor colours
// everything above the view, so that the view's colours are right, and the rest as it comes
// into view.
bool colouredThroughView(const Editor& editor)
{
    const long lastOnScreen = editor.SendScintilla(S::SCI_GETFIRSTVISIBLELINE) +
                              editor.SendScintilla(S::SCI_LINESONSCREEN);
    const long lastLine = std::min(
        editor.SendScintilla(S::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(lastOnScreen)),
        editor.SendScintilla(S::SCI_GETLINECOUNT) - 1);
    return editor.SendScintilla(S::SCI_GETENDSTYLED) >=
           editor.SendScintilla(S::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(lastLine));
}

// Runs the event loop until the text is coloured through the view; the milliseconds it took,
// or -1 when it was not within a minute.
double waitUntilColoured(Editor& editor)
{
    QElapsedTimer timer;
    timer.start();
    while (!colouredThroughView(editor)) {
        if (timer.elapsed() > 60000)
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return msSince(timer);
}

// Forgets the colours of the document shown (they are made again from the start) and puts the
// view and the caret at the top.
void uncolour(Editor& editor)
{
    editor.SendScintilla(S::SCI_GOTOPOS, 0UL);
    settle();
    editor.SendScintilla(S::SCI_STARTSTYLING, 0UL, 0L);
    editor.viewport()->repaint();
    settle();
}

// A minified page: head, style sheet, script and body all on one line of about `size` bytes.
QByteArray generateOneLinePage(qint64 size)
{
    QByteArray text;
    text.reserve(size + 4096);
    text += "<!DOCTYPE html><html><head><title>One line</title><style>";
    qint64 n = 0;
    while (text.size() < size / 10) {
        const QByteArray i = QByteArray::number(n++);
        text += ".c" + i + "{color:#369;margin:0 " + i + "px}";
    }
    text += "</style><script>";
    while (text.size() < size * 4 / 10) {
        const QByteArray i = QByteArray::number(n++);
        text += "var v" + i + "=function(a){return a*" + i + "+\"x\"};";
    }
    text += "</script></head><body>";
    while (text.size() < size - 32) {
        const QByteArray i = QByteArray::number(n++);
        text += "<div class=\"c" + i + "\"><p>Item " + i + " <b>bold</b> <a href=\"/p\">" + i +
                "</a></p></div>";
    }
    text += "</body></html>";
    return text;
}

void report(const char* what, const Figures& f)
{
    std::printf("  %-46s median %8.3f ms   worst %8.3f ms\n", what, f.median, f.worst);
}

void editingAtTheEnd(Editor& editor, qint64 size)
{
    std::printf("%lld MB document\n", static_cast<long long>(size >> 20));
    QsciDocument document = editor.createDocument(LexerKind::Html);
    editor.setDocument(document);
    QByteArray text = generateDocument(size);
    QElapsedTimer timer;
    timer.start();
    editor.loadBytes(text);
    const double load = msSince(timer);
    timer.start();
    editor.viewport()->repaint();
    std::printf("  %-46s %8.1f ms (+ first paint %.1f ms)\n", "load + colour first screen", load,
                msSince(timer));
    text.clear();
    text.squeeze();

    // Far jumps from the top of an uncoloured document: the view must show at once.
    uncolour(editor);
    timer.start();
    key(&editor, Qt::Key_End, {}, Qt::ControlModifier);
    editor.viewport()->repaint();
    std::printf("  %-46s %8.1f ms\n", "Ctrl+End: key + first paint", msSince(timer));
    std::printf("  %-46s %8.1f ms after the jump\n", "  coloured down to the view (the whole text)",
                waitUntilColoured(editor));

    uncolour(editor);
    // The last block's function name: it occurs once, a few hundred bytes before the end.
    const QByteArray tail = editor.bytes().right(2000);
    const qint64 nameAt = tail.lastIndexOf("function show");
    const QString lastName =
        QString::fromLatin1(tail.mid(nameAt + 9, tail.indexOf('(', nameAt) - nameAt - 9));
    TextSearch search(&editor);
    timer.start();
    const bool found = search.findNext(lastName, TextSearch::Direction::All);
    const double searching = msSince(timer);
    editor.viewport()->repaint();
    std::printf("  %-46s %8.1f ms (of which the search %.1f ms)%s\n",
                "find near the end + first paint", msSince(timer), searching,
                found ? "" : " NOT FOUND");
    std::printf("  %-46s %8.1f ms after the find\n", "  coloured down to the view",
                waitUntilColoured(editor));

    uncolour(editor);
    QScrollBar* bar = editor.verticalScrollBar();
    timer.start();
    bar->setValue(bar->maximum() / 2);
    editor.viewport()->repaint();
    std::printf("  %-46s %8.1f ms\n", "scroll bar to the middle + first paint", msSince(timer));
    std::printf("  %-46s %8.1f ms after the jump\n", "  coloured down to the view",
                waitUntilColoured(editor));

    // Typing at the end while the colours are still being made.
    uncolour(editor);
    key(&editor, Qt::Key_End, {}, Qt::ControlModifier);
    editor.viewport()->repaint();
    std::vector<double> catchingUp;
    while (!colouredThroughView(editor) && catchingUp.size() < 200) {
        QElapsedTimer one;
        one.start();
        typeX(editor);
        catchingUp.push_back(msSince(one));
        QCoreApplication::processEvents();
    }
    std::sort(catchingUp.begin(), catchingUp.end());
    if (!catchingUp.empty())
        std::printf("  %-46s median %8.3f ms   worst %8.3f ms (%zu keys)\n",
                    "keystroke at end while colouring catches up",
                    catchingUp[catchingUp.size() / 2], catchingUp.back(), catchingUp.size());
    waitUntilColoured(editor);
    settle();

    QWidget* target = &editor;
    report("keystroke at end, coloured (insert + repaint)", measure(25, [&] { typeX(editor); }));
    report("Backspace at end (+ repaint)", measure(25, [&] {
               key(target, Qt::Key_Backspace);
               editor.viewport()->repaint();
           }));
    report("Enter at end, indenting (+ repaint)", measure(25, [&] {
               key(target, Qt::Key_Return);
               editor.viewport()->repaint();
           }));
    report("caret move left at end (+ repaint)", measure(25, [&] {
               key(target, Qt::Key_Left);
               editor.viewport()->repaint();
           }));
    report("status line at end", measure(25, [&] { (void)editor.statusText(); }));
    editor.setDocument(editor.createDocument(LexerKind::PlainText));
}

// Opening and typing in a page that is one long line.
void oneLongLine(Editor& editor, qint64 size, int rounds)
{
    std::printf("One line of %lld MB\n", static_cast<long long>(size >> 20));
    editor.setDocument(editor.createDocument(LexerKind::Html));
    QByteArray text = generateOneLinePage(size);
    QElapsedTimer timer;
    timer.start();
    editor.loadBytes(text);
    const double load = msSince(timer);
    editor.viewport()->repaint();
    std::printf("  %-46s %8.1f ms (load %.1f ms + first paint %.1f ms)\n", "open", msSince(timer),
                load, msSince(timer) - load);
    text.clear();
    text.squeeze();
    editor.SendScintilla(S::SCI_GOTOPOS, 300UL);
    editor.viewport()->repaint();
    settle();
    report("keystroke in the style sheet (+ repaint)", measure(rounds, [&] { typeX(editor); }));
    editor.SendScintilla(S::SCI_GOTOPOS, static_cast<unsigned long>(size / 4));
    editor.viewport()->repaint();
    settle();
    report("keystroke in the script (+ repaint)", measure(rounds, [&] { typeX(editor); }));
    editor.SendScintilla(S::SCI_DOCUMENTEND);
    editor.viewport()->repaint();
    settle();
    report("keystroke at the end (insert + repaint)", measure(rounds, [&] { typeX(editor); }));
    report("caret move left at the end (+ repaint)", measure(rounds, [&] {
               key(&editor, Qt::Key_Left);
               editor.viewport()->repaint();
           }));
    editor.setDocument(editor.createDocument(LexerKind::PlainText));
}

// Opening a page of one long line, best of `rounds` (a fresh editor each time, so that no
// measured text is left from the round before), beside the editor component with the same
// colours and fonts but its own small caches opening the same page. The machine's speed changes
// from one minute to the next; the ratio of the two changes much less.
void openingBesideTheComponent(qint64 size, int rounds)
{
    const QByteArray text = generateOneLinePage(size);
    double ours = 1e9;
    double component = 1e9;
    for (int round = 0; round < rounds; ++round) {
        {
            Editor editor;
            editor.resize(1000, 700);
            editor.show();
            settle();
            editor.setDocument(editor.createDocument(LexerKind::Html));
            QElapsedTimer timer;
            timer.start();
            editor.loadBytes(text);
            editor.viewport()->repaint();
            ours = std::min(ours, msSince(timer));
        }
        QsciScintilla stock;
        stock.setUtf8(true);
        auto* lexer = new QsciLexerHTML(&stock);
        stock.setLexer(lexer);
        EditorStyles::apply(&stock, lexer, EditorStyles::editorFont());
        stock.resize(1000, 700);
        stock.show();
        settle();
        QElapsedTimer timer;
        timer.start();
        stock.SendScintilla(S::SCI_APPENDTEXT, static_cast<unsigned long>(text.size()),
                            text.constData());
        // What its first paint of the line does: colour it, then lay it out whole.
        stock.SendScintilla(S::SCI_COLOURISE, 0UL, -1L);
        stock.SendScintilla(S::SCI_POINTXFROMPOSITION, 0UL, static_cast<long>(text.size()));
        stock.viewport()->repaint();
        component = std::min(component, msSince(timer));
    }
    std::printf("Opening one line of %lld MB, best of %d\n", static_cast<long long>(size >> 20),
                rounds);
    std::printf("  %-46s %8.1f ms\n", "this editor", ours);
    std::printf("  %-46s %8.1f ms   ratio %.2f\n", "the component with its own caches", component,
                ours / component);
}

// The same keystroke in the editor component as it comes, with its own accessibility and every
// modification event, for comparison.
void stockComponent(qint64 size)
{
    QsciScintilla stock;
    stock.setUtf8(true);
    stock.setLexer(new QsciLexerHTML(&stock));
    const QByteArray text = generateDocument(size);
    stock.SendScintilla(S::SCI_APPENDTEXT, static_cast<unsigned long>(text.size()),
                        text.constData());
    stock.resize(1000, 700);
    stock.show();
    settle();
    stock.SendScintilla(S::SCI_DOCUMENTEND);
    stock.viewport()->repaint();
    std::printf("Stock component, %lld MB, for comparison\n", static_cast<long long>(size >> 20));
    report("keystroke at end (insert + repaint)", measure(5, [&] {
               key(&stock, Qt::Key_X, QStringLiteral("x"));
               stock.viewport()->repaint();
           }));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    EditorAccessibility::install();
    Editor editor;
    editor.resize(1000, 700);
    editor.show();
    settle();

    constexpr qint64 MB = 1024 * 1024;
    if (argc > 1 && QByteArray(argv[1]) == "--stock")
        stockComponent(20 * MB);
    oneLongLine(editor, 1 * MB, 9);
    oneLongLine(editor, 10 * MB, 5);
    openingBesideTheComponent(10 * MB, 3);
    if (argc > 1 && QByteArray(argv[1]) == "--huge")
        oneLongLine(editor, 150 * MB, 1);
    if (argc > 1 && QByteArray(argv[1]) == "--long-lines")
        return 0;
    editingAtTheEnd(editor, 20 * MB);
    editingAtTheEnd(editor, 100 * MB);

    std::printf("Two 100 MB documents\n");
    const qint64 before = Bench::residentKiB();
    QsciDocument first = editor.createDocument(LexerKind::Html);
    QsciDocument second = editor.createDocument(LexerKind::Html);
    {
        QByteArray text = generateDocument(100 * MB);
        const qint64 size = text.size();
        editor.setDocument(first);
        editor.loadBytes(text);
        text.clear();
        text.squeeze();
        QElapsedTimer timer;
        timer.start();
        editor.SendScintilla(S::SCI_COLOURISE, 0UL, -1L);
        const double colourAll = msSince(timer);
        settle();
        const qint64 after = Bench::residentKiB();
        std::printf("  %-46s %8.1f ms\n", "colour all of 100 MB", colourAll);
        std::printf("  %-46s %8.1f MB for %.1f MB of text: %.2f x (process RSS %.1f MB)\n",
                    "memory once fully coloured", (after - before) / 1024.0, size / double(MB),
                    (after - before) * 1024.0 / size, after / 1024.0);
    }
    editor.SendScintilla(S::SCI_GOTOPOS, static_cast<unsigned long>(50 * MB));
    const Editor::ViewState firstView = editor.viewState();
    {
        QByteArray text = generateDocument(100 * MB);
        editor.setDocument(second);
        editor.loadBytes(text);
    }
    editor.SendScintilla(S::SCI_GOTOPOS, static_cast<unsigned long>(10 * MB));
    editor.viewport()->repaint();
    Editor::ViewState secondView = editor.viewState();
    Editor::ViewState firstViewNow = firstView;
    bool onFirst = false;
    report("tab switch (setDocument + view state + paint)", measure(10, [&] {
               if (onFirst) {
                   firstViewNow = editor.viewState();
                   editor.setDocument(second);
                   editor.restoreViewState(secondView);
               } else {
                   secondView = editor.viewState();
                   editor.setDocument(first);
                   editor.restoreViewState(firstViewNow);
               }
               onFirst = !onFirst;
               editor.viewport()->repaint();
           }));
    report("  of which setDocument alone", measure(10, [&] {
               editor.setDocument(onFirst ? second : first);
               onFirst = !onFirst;
           }));
    report("  of which the component's own document swap", measure(10, [&] {
               editor.QsciScintilla::setDocument(onFirst ? second : first);
               onFirst = !onFirst;
           }));
    return 0;
}
