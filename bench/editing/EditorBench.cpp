// Figures for the editor on large generated documents: keystrokes, caret moves, the status
// line, switching documents, loading and memory. Run under a display (xvfb-run -a) with the
// program built for release.

#include "bench/support/BenchFigures.h"
#include "editing/Editor.h"
#include "editing/EditorAccessibility.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>

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

void key(QWidget* target, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
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

    timer.start();
    editor.SendScintilla(S::SCI_DOCUMENTEND);
    editor.viewport()->repaint();
    std::printf("  %-46s %8.1f ms (one time: colours all above)\n", "jump to end", msSince(timer));
    settle();

    QWidget* target = &editor;
    report("keystroke at end (insert + repaint)", measure(25, [&] {
               key(target, Qt::Key_X, QStringLiteral("x"));
               editor.viewport()->repaint();
           }));
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
