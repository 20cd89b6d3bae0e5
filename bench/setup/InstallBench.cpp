// The unattended installation of the whole payload of build/bin/quillsetup beside a plain copy
// of the same files: as programs (the installer against `cp -r`, and the installer's start
// alone, `--help`, most of which is loading Qt's libraries) and inside this process (the
// installation's steps against a read-and-write copy), best of ten rounds each, with ratios.

#include "bench/support/BenchFigures.h"
#include "setup/PayloadContents.h"
#include "setup/core/Installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Quillorn;
using Quillorn::Bench::msSince;

namespace {

const QString BinDir = QStringLiteral(QUILLORN_BIN_DIR);

double timeProgram(const QString& program, const QStringList& arguments)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        std::printf("%s failed: %s\n", qPrintable(program),
                    process.readAllStandardError().constData());
        std::exit(1);
    }
    return msSince(timer);
}

// Each file read whole and written to its place below `to`, folders made on the way. (QFile::copy
// goes through a temporary file and a rename, several times slower than this.)
void copyFiles(const QStringList& files, const QString& from, const QString& to)
{
    for (const QString& file : files) {
        const QString target = to + QLatin1Char('/') + file;
        QDir().mkpath(QFileInfo(target).path());
        QFile source(from + QLatin1Char('/') + file);
        QFile copy(target);
        if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly) ||
            copy.write(source.readAll()) != source.size())
            std::printf("%s could not be copied\n", qPrintable(file));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    // The installer writes its desktop entries and its record below HOME and the XDG folders.
    for (const char* variable : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        qputenv(variable, QFile::encodeName(home.path() + QStringLiteral("/") + variable));
    QCoreApplication app(argc, argv);
    const PayloadContents::Result contents = PayloadContents::list(BinDir);
    if (!contents.ok()) {
        std::printf("%s\n", qPrintable(contents.error));
        return 1;
    }
    qint64 bytes = 0;
    for (const QString& file : contents.paths)
        bytes += QFileInfo(BinDir + QLatin1Char('/') + file).size();
    // `cp -r` copies a folder: one that holds the installer's files and nothing else.
    const QString staged = home.filePath(QStringLiteral("staged"));
    copyFiles(contents.paths, BinDir, staged);

    double installer = 1e9, start = 1e9, cp = 1e9, steps = 1e9, qfile = 1e9;
    for (int round = 0; round < 10; ++round) {
        const QString target = home.filePath(QStringLiteral("round%1").arg(round));
        installer = std::min(installer, timeProgram(BinDir + QStringLiteral("/quillsetup"),
                                                    {QStringLiteral("--unattended"),
                                                     QStringLiteral("--dir"), target + "/a"}));
        start = std::min(
            start, timeProgram(BinDir + QStringLiteral("/quillsetup"), {QStringLiteral("--help")}));
        cp = std::min(
            cp, timeProgram(QStringLiteral("cp"), {QStringLiteral("-r"), staged, target + "/b"}));
        QElapsedTimer timer;
        timer.start();
        Installation installation(
            {QFile::encodeName(target + "/c").toStdString(), SetupLanguage::English, true},
            SetupPlaces::current());
        std::string error = installation.prepare(
            QFile::encodeName(BinDir + QStringLiteral("/quillsetup")).toStdString());
        if (error.empty())
            error = installation.runToEnd();
        steps = std::min(steps, msSince(timer));
        if (!error.empty()) {
            std::printf("%s\n", error.c_str());
            return 1;
        }
        timer.restart();
        copyFiles(contents.paths, BinDir, target + "/d");
        qfile = std::min(qfile, msSince(timer));
    }
    std::printf("%lld files, %.1f MB; best of 10 rounds each\n",
                static_cast<long long>(contents.paths.size()), bytes / 1e6);
    std::printf("quillsetup --unattended:      %7.1f ms\n", installer);
    std::printf("cp -r of the same files:      %7.1f ms   ratio %.2f\n", cp, installer / cp);
    std::printf("quillsetup --help (its start): %6.1f ms   ratio without it %.2f\n", start,
                (installer - start) / cp);
    std::printf("installation in this process: %7.1f ms\n", steps);
    std::printf("read-and-write copy here:     %7.1f ms   ratio %.2f\n", qfile, steps / qfile);
    return 0;
}
