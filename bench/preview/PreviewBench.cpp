// What the browser view costs: the first start of the browser engine (an empty page shown in
// the pane) and, with the engine up, the switch from the code view to the browser view of an
// edited 1 MB page until it has loaded (copy written, page loaded and laid out). Best of five
// switches.

#include "app/MainWindow.h"
#include "bench/support/BenchFigures.h"
#include "platform/BrowserEngine.h"
#include "preview/PreviewPane.h"
#include "support/AppFixture.h"
#include "support/MainWindowDriver.h"

#include <QApplication>
#include <QEventLoop>
#include <QRadioButton>

#include <algorithm>
#include <cstdio>

using namespace Quillorn;
using Quillorn::Bench::msSince;

int main(int argc, char** argv)
{
    BrowserEngine::prepare();
    QApplication app(argc, argv);
    Test::AppFixture f;
    MainWindow window(f.context);
    Test::MainWindowDriver::show(window);
    const QString path = f.document(QStringLiteral("page.html"), Bench::generateDocument(1 << 20));
    Test::MainWindowDriver::openThroughDialog(f, window, path);
    // Unsaved, so that every switch writes a fresh copy of the whole text.
    window.currentDocument().replaceSelection(QStringLiteral("<!-- edited -->"));
    PreviewPane* pane = window.previewPane();
    auto* code = window.findChild<QRadioButton*>(QStringLiteral("PreviewMode0"));
    auto* browser = window.findChild<QRadioButton*>(QStringLiteral("PreviewMode1"));

    const double engineStart = Bench::timeUntil(pane, &PreviewPane::loadFinished, [pane] {
        pane->show();
        pane->clear();
    });
    pane->hide();

    double switchBest = 1e9;
    double ownBest = 1e9; // the editor's part: the copy written and the page handed over
    for (int round = 0; round < 5; ++round) {
        switchBest = std::min(
            switchBest, Bench::timeUntil(pane, &PreviewPane::loadFinished, [browser, &ownBest] {
                QElapsedTimer own;
                own.start();
                browser->setChecked(true);
                ownBest = std::min(ownBest, msSince(own));
            }));
        // Back to the code view; its empty page is loaded before the next round.
        Bench::timeUntil(pane, &PreviewPane::loadFinished, [code] { code->setChecked(true); });
    }
    std::printf("first start of the browser engine:          %8.1f ms\n", engineStart);
    std::printf(
        "switch to the browser view of a 1 MB page:  %8.1f ms (%.1f ms before the engine)\n",
        switchBest, ownBest);
    return 0;
}
