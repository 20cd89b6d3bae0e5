// What the Tidy commands cost beside Tidy itself: a "Correct" conversion of a 1 MB page through
// the editor (work file, run, cut, generator line, replacement as one undo step) against the
// same Tidy run on the same file directly; and the progress bar's run before a check. Best of
// five rounds each.

#include "bench/support/BenchFigures.h"
#include "bench/support/BenchWindow.h"
#include "platform/BrowserEngine.h"
#include "tools/CheckWindow.h"
#include "tools/ProcessRunner.h"
#include "tools/ToolCommands.h"

#include <QApplication>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>

using namespace Quillorn;
using Quillorn::Bench::msSince;

int main(int argc, char** argv)
{
    BrowserEngine::prepare();
    QApplication app(argc, argv);
    Bench::BenchWindow bench;
    Test::AppFixture& f = bench.fixture;
    MainWindow& window = bench.window;
    const QByteArray page = Bench::generateDocument(1 << 20);
    const QString path = bench.open(page);
    ToolCommands& tools = window.tools();
    const QString tidy = ToolCommands::tidyProgram(f.env.appDir());

    double directBest = 1e9;
    double convertBest = 1e9;
    for (int round = 0; round < 5; ++round) {
        ProcessRunner runner;
        RunOptions options;
        options.channels = RunChannels::Separate;
        directBest = std::min(
            directBest, Bench::timeUntil(&runner, &ProcessRunner::finished, [&] {
                runner.start(QLatin1Char('"') + tidy + "\" -raw -q -c \"" + path + '"', options);
            }));
        convertBest = std::min(convertBest, Bench::timeUntil(&tools, &ToolCommands::done, [&] {
                                   tools.convert(ToolCommands::TidyCommand::Correct);
                               }));
        window.editor()->undo();
    }
    std::printf("Tidy -c on a 1 MB page, directly:          %8.1f ms\n", directBest);
    std::printf("the same through the editor's conversion:  %8.1f ms (%.2f times)\n", convertBest,
                convertBest / directBest);

    double progressBest = 1e9;
    for (int round = 0; round < 5; ++round) {
        tools.checkDocument();
        CheckWindow* check = tools.checkWindow();
        progressBest =
            std::min(progressBest, Bench::timeUntil(check, &CheckWindow::progressDone, [] {}));
        Bench::timeUntil(&tools, &ToolCommands::done, [] {});
    }
    std::printf("progress bar before a check:               %8.1f ms\n", progressBest);
    return 0;
}
