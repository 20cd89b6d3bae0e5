// Throughput of the process runner: 100 MB of a program's output captured through it, beside
// the same bytes through a plain shell pipe into cat, both measured here; best of five rounds.
// Decoding the captured bytes as the text result is measured apart: callers that only want
// the bytes (a converter) never pay for it.

#include "bench/support/BenchFigures.h"
#include "tools/ProcessRunner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>

#include <algorithm>
#include <cstdio>

using namespace Quillorn;
using Quillorn::Bench::msSince;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr qint64 Size = 100000000;
    const QString producer = QStringLiteral("head -c %1 /dev/zero").arg(Size);
    RunOptions options;
    options.outputCap = 2 * Size;

    double pipeBest = 1e9;
    double runnerBest = 1e9;
    RunResult result;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        QProcess shell;
        shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), producer + " | cat > /dev/null"});
        shell.waitForFinished(-1);
        pipeBest = std::min(pipeBest, msSince(timer));

        ProcessRunner runner;
        QEventLoop loop;
        QObject::connect(&runner, &ProcessRunner::finished, &loop, [&](const RunResult& got) {
            result = got;
            loop.quit();
        });
        timer.restart();
        runner.start(producer, options);
        loop.exec();
        runnerBest = std::min(runnerBest, msSince(timer));
        if (result.status != RunStatus::Finished || result.output.size() != Size) {
            std::printf("the runner gave %lld bytes, status %d\n",
                        static_cast<long long>(result.output.size()), int(result.status));
            return 1;
        }
    }
    const double megabytes = Size / 1e6;
    std::printf("100 MB through head | cat > /dev/null: %7.1f ms, %6.0f MB/s\n", pipeBest,
                megabytes / pipeBest * 1000);
    std::printf("100 MB captured through the runner:   %7.1f ms, %6.0f MB/s\n", runnerBest,
                megabytes / runnerBest * 1000);
    std::printf("runner / pipe throughput: %.2f (best of 5 each)\n", pipeBest / runnerBest);
    QElapsedTimer timer;
    timer.start();
    const qsizetype characters = result.text().size();
    std::printf("text result of the 100 MB (%lld characters): %.1f ms\n",
                static_cast<long long>(characters), msSince(timer));
    return 0;
}
