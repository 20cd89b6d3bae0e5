// What the browser view costs: the first start of the browser engine (an empty page shown in
// the pane) and, with the engine up, the switch from the code view to the browser view of an
// edited 1 MB page until it has loaded (copy written, page loaded and laid out), with the time
// until the page first shows content, as the page itself tells it. Best of five switches, for
// two pages: the generated one of the other benches (thousands of inline scripts and style
// sheets, each run or applied as it is read) and an article of paragraphs and a table.

#include "bench/support/BenchFigures.h"
#include "bench/support/BenchWindow.h"
#include "platform/BrowserEngine.h"
#include "preview/PreviewPane.h"

#include <QApplication>
#include <QEventLoop>
#include <QRadioButton>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>

using namespace Quillorn;
using Quillorn::Bench::msSince;

namespace {

// A 1 MB page of text: headed sections of paragraphs, each with a small table.
QByteArray generateArticle(qint64 size)
{
    QByteArray text = "<!DOCTYPE html>\n<html>\n<head>\n<title>Article</title>\n</head>\n<body>\n";
    for (qint64 n = 0; text.size() < size; ++n) {
        const QByteArray i = QByteArray::number(n);
        text += "<h2>Section " + i + "</h2>\n<p>Paragraph " + i +
                " of the article, with <em>some</em> words in <a href=\"#s" + i +
                "\">a link</a> and more text to fill the line of a reader.</p>\n"
                "<table><tr><th>Name</th><th>Value</th></tr><tr><td>item " +
                i + "</td><td>" + i + "</td></tr></table>\n";
    }
    return text + "</body>\n</html>\n";
}

void switchFigures(Bench::BenchWindow& bench, const char* what, const QString& name,
                   const QByteArray& page)
{
    bench.open(page, name);
    MainWindow& window = bench.window;
    // Unsaved, so that every switch writes a fresh copy of the whole text.
    window.currentDocument().replaceSelection(QStringLiteral("<!-- edited -->"));
    PreviewPane* pane = window.previewPane();
    auto* code = window.findChild<QRadioButton*>(QStringLiteral("PreviewMode0"));
    auto* browser = window.findChild<QRadioButton*>(QStringLiteral("PreviewMode1"));
    double switchBest = 1e9;
    double ownBest = 1e9;   // the editor's part: the copy written and the page handed over
    double paintBest = 1e9; // from the start of the navigation to the page's first content
    for (int round = 0; round < 5; ++round) {
        switchBest = std::min(
            switchBest, Bench::timeUntil(pane, &PreviewPane::loadFinished, [browser, &ownBest] {
                QElapsedTimer own;
                own.start();
                browser->setChecked(true);
                ownBest = std::min(ownBest, msSince(own));
            }));
        QEventLoop asked;
        pane->view()->page()->runJavaScript(
            QStringLiteral("performance.getEntriesByName('first-contentful-paint')[0].startTime"),
            [&asked, &paintBest](const QVariant& startTime) {
                if (startTime.isValid())
                    paintBest = std::min(paintBest, startTime.toDouble());
                asked.quit();
            });
        asked.exec();
        // Back to the code view; its empty page is loaded before the next round.
        Bench::timeUntil(pane, &PreviewPane::loadFinished, [code] { code->setChecked(true); });
    }
    std::printf("switch to the browser view of a 1 MB %s:\n", what);
    std::printf(
        "  first content shown:                      %8.1f ms (%.1f ms before the engine)\n",
        ownBest + paintBest, ownBest);
    std::printf("  whole page loaded:                        %8.1f ms\n", switchBest);
}

} // namespace

int main(int argc, char** argv)
{
    BrowserEngine::prepare();
    QApplication app(argc, argv);
    Bench::BenchWindow bench;
    // The pane shows beside an open document.
    bench.open(QByteArrayLiteral("<p>start</p>"), QStringLiteral("start.html"));
    PreviewPane* pane = bench.window.previewPane();
    const double engineStart = Bench::timeUntil(pane, &PreviewPane::loadFinished, [pane] {
        pane->show();
        pane->clear();
    });
    pane->hide();
    std::printf("first start of the browser engine:          %8.1f ms\n", engineStart);
    switchFigures(bench, "page of scripts and style sheets", QStringLiteral("scripts.html"),
                  Bench::generateDocument(1 << 20));
    switchFigures(bench, "article", QStringLiteral("article.html"), generateArticle(1 << 20));
    return 0;
}
