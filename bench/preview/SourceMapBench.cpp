// From the preview of a 1 MB page to its code: a Ctrl+click (a real mouse click with Ctrl on
// the browser view, on the page's last element) until the element's start tag is selected in
// the code view (the code is found and selected as the click script's console message
// arrives); and the marking of the page's copy (scanning its start tags and writing their
// positions). Best of five each.

#include "bench/support/BenchFigures.h"
#include "bench/support/BenchWindow.h"
#include "platform/BrowserEngine.h"
#include "preview/PreviewPane.h"
#include "preview/SourceMap.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>

using namespace Quillorn;
using Quillorn::Bench::msSince;

namespace {

QVariant evaluate(QWebEngineView* view, const QString& script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    return QTest::qWaitFor([&] { return done; }, 60000) ? result : QVariant();
}

} // namespace

int main(int argc, char** argv)
{
    BrowserEngine::prepare();
    QApplication app(argc, argv);
    Bench::BenchWindow bench;
    MainWindow& window = bench.window;
    const QByteArray page = Bench::generateDocument(1 << 20);
    bench.open(page);

    double markBest = 1e9;
    qsizetype tags = 0;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        const QList<SourceMap::Element> elements = SourceMap::scan(page);
        const QByteArray marked = SourceMap::marked(page, elements);
        markBest = std::min(markBest, msSince(timer));
        tags = elements.size();
    }

    auto* code = window.findChild<QRadioButton*>(QStringLiteral("PreviewMode0"));
    auto* browser = window.findChild<QRadioButton*>(QStringLiteral("PreviewMode1"));
    PreviewPane* pane = window.previewPane();
    double clickBest = 1e9;
    for (int round = 0; round < 5; ++round) {
        Bench::timeUntil(pane, &PreviewPane::loadFinished,
                         [browser] { browser->setChecked(true); });
        QWebEngineView* web = pane->view();
        // The last element of the page that shows, brought into view.
        const QVariantList target =
            evaluate(web,
                     QStringLiteral("(function () { var all = document.querySelectorAll("
                                    "'body [%1]'); for (var i = all.length - 1; i >= 0; --i) {"
                                    " var r = all[i].getClientRects(); if (r.length) {"
                                    " all[i].scrollIntoView(); r = all[i].getBoundingClientRect();"
                                    " return [r.x + 2, r.y + 2, +all[i].getAttribute('%1')]; } }"
                                    " return []; })()")
                         .arg(QLatin1String(SourceMap::Attribute)))
                .toList();
        if (target.size() != 3) {
            std::printf("no element found in the page\n");
            return 1;
        }
        const qint64 start = target[2].toLongLong();
        QElapsedTimer click;
        click.start();
        QTest::mouseClick(web->focusProxy(), Qt::LeftButton, Qt::ControlModifier,
                          QPoint(target[0].toInt(), target[1].toInt()));
        if (!QTest::qWaitFor(
                [&] {
                    return code->isChecked() && window.currentDocument().caretPosition() == start;
                },
                60000)) {
            std::printf("the click did not reach the code\n");
            return 1;
        }
        clickBest = std::min(clickBest, msSince(click));
        window.currentDocument().setCaretPosition(0);
    }
    std::printf("scan and mark %6lld start tags of a 1 MB page:  %8.1f ms\n",
                static_cast<long long>(tags), markBest);
    std::printf("Ctrl+click to the tag selected in the code:    %8.1f ms\n", clickBest);
    return 0;
}
