// The check after saving of a 1 MB page: from the save until all its marks are in the margin,
// against the same Tidy run on the saved file directly; the work the window's thread does for a
// result (reading the report, putting the marks in the margin); and the longest a key typed
// meanwhile takes, with whatever the window does before the next key, beside as many keys
// typed while no check runs. Best of five rounds each, the longest key over all of them.

#include "app/FileCommands.h"
#include "bench/support/BenchFigures.h"
#include "bench/support/BenchWindow.h"
#include "editing/CheckMarkers.h"
#include "platform/BrowserEngine.h"
#include "tools/CheckReport.h"
#include "tools/ProcessRunner.h"
#include "tools/SaveCheck.h"
#include "tools/ToolCommands.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>

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
    window.menus().checkAfterSaving->setChecked(true);
    Editor* editor = window.editor();
    const QString tidy = ToolCommands::tidyProgram(f.env.appDir());

    // Types keys while `more` says so; gives the longest key and how many were typed.
    const auto typeWhile = [editor](const std::function<bool(int)>& more, int& keys) {
        double longest = 0;
        for (keys = 0; more(keys); ++keys) {
            QElapsedTimer key;
            key.start();
            QTest::keyClick(editor, Qt::Key_A);
            QCoreApplication::processEvents();
            longest = std::max(longest, msSince(key));
        }
        return longest;
    };

    double directBest = 1e9;
    double checkBest = 1e9;
    double resultBest = 1e9;
    double busyLongest = 0;
    double quietLongest = 0;
    int keys = 0;
    qsizetype marks = 0;
    for (int round = 0; round < 5; ++round) {
        ProcessRunner runner;
        RunResult direct;
        QObject::connect(&runner, &ProcessRunner::finished,
                         [&direct](const RunResult& result) { direct = result; });
        directBest = std::min(directBest, Bench::timeUntil(&runner, &ProcessRunner::finished, [&] {
                                  runner.start(ToolCommands::tidyCheckCommand(tidy, path));
                              }));
        QElapsedTimer result;
        result.start();
        CheckReport::markDocument(window.currentDocument(), window.currentDocument().id(),
                                  CheckReport::trim(direct.text()), f.context.strings);
        resultBest = std::min(resultBest, msSince(result));

        QElapsedTimer check;
        check.start();
        Bench::timeUntil(&window.saveCheck(), &SaveCheck::checked, [&] { window.files().save(); });
        // The marks still going in a share at a time, at once.
        editor->checkMarkers().finish();
        checkBest = std::min(checkBest, msSince(check));
        marks = editor->checkMarkers().marks().size();

        QSignalSpy checked(&window.saveCheck(), &SaveCheck::checked);
        window.files().save();
        int typed = 0;
        busyLongest =
            std::max(busyLongest, typeWhile([&](int) { return checked.isEmpty(); }, typed));
        keys += typed;
        int quiet = 0;
        quietLongest =
            std::max(quietLongest, typeWhile([typed](int n) { return n < typed; }, quiet));
    }
    std::printf("Tidy -e on a 1 MB page, directly:           %8.1f ms\n", directBest);
    std::printf("save, check and %5lld marks in the margin:  %8.1f ms (%.2f times)\n",
                static_cast<long long>(marks), checkBest, checkBest / directBest);
    std::printf("a result on the window's thread:            %8.1f ms\n", resultBest);
    std::printf("longest of %5d keys typed during checks:   %8.2f ms\n", keys, busyLongest);
    std::printf("longest of as many keys with no check:      %8.2f ms\n", quietLongest);
    return 0;
}
