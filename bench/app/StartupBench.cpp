// Start-up costs: the main window's load handler (the work behind the splash) and the
// resident memory of the editor with no document open.
#include "app/MainWindow.h"
#include "bench/support/BenchFigures.h"
#include "support/ScriptedPrompter.h"
#include "support/TestEnvironment.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace Quillorn;

namespace {

void MainWindowLoadHandler(benchmark::State& state)
{
    Test::TestEnvironment env;
    env.writeFile(QStringLiteral("settings.dat"),
                  "Language=russian\r\nLastOpened=/a/b.html\\\\\\/c/d.php\r\nTidy=true\r\n");
    Test::ScriptedPrompter prompter;
    for (auto _ : state) {
        AppContext context{env.appDir(), prompter, {}, {}};
        MainWindow window(context);
        benchmark::DoNotOptimize(window.menus().menu1);
    }
}
BENCHMARK(MainWindowLoadHandler)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void ResidentMemoryWithNoDocument(benchmark::State& state)
{
    Test::TestEnvironment env;
    Test::ScriptedPrompter prompter;
    AppContext context{env.appDir(), prompter, {}, {}};
    MainWindow window(context);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        QCoreApplication::processEvents();
    state.counters["RSS_MiB"] = double(Bench::residentKiB()) / 1024.0;
}
BENCHMARK(ResidentMemoryWithNoDocument)->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
