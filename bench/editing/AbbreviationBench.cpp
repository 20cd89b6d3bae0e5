// Expanding a 200-element abbreviation ("table>tr*20>td*10", 221 elements with the table and
// its rows) with the shipped alias table; the target is at most 20 ms. Needs no display.

#include "bench/support/BenchFigures.h"
#include "editing/Abbreviation.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Quillorn;
using Quillorn::Bench::msSince;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int Rounds = 200;
    const Abbreviation::Table table =
        Abbreviation::loadTable(QCoreApplication::applicationDirPath() +
                                QLatin1String("/../bin/languages/abbreviations.lng"));
    const QString abbreviation = QStringLiteral("table>tr*20>td*10");
    Abbreviation::Format format;
    format.baseIndent = QStringLiteral("\t\t");

    std::vector<double> times;
    qsizetype bytes = 0;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const auto expansion = Abbreviation::expand(abbreviation, table, format);
        times.push_back(msSince(timer));
        bytes = expansion ? expansion->text.size() : -1;
    }
    std::sort(times.begin(), times.end());
    std::printf("expand 200-element abbreviation (%s, %lld bytes, %d aliases): median %.3f ms, "
                "worst %.3f ms over %d rounds (target at most 20 ms)\n",
                qPrintable(abbreviation), static_cast<long long>(bytes),
                static_cast<int>(table.aliases.size()), times[times.size() / 2], times.back(),
                Rounds);
    return bytes > 0 ? 0 : 1;
}
