// Opening documents as a user does: a generated 20 MB and 100 MB page opened into a slot of
// the main window until its first screen is coloured and painted, and a file handed to a
// running editor by a second `quillorn FILE` until its tab shows. Run under a display
// (xvfb-run -a) with the program built for release.

#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "bench/support/BenchFigures.h"
#include "documents/SingleInstance.h"
#include "support/ScriptedPrompter.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTabBar>
#include <QTemporaryDir>

#include <cstdio>

using namespace Quillorn;

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void closeAll(MainWindow& window)
{
    while (window.currentSlot() >= 0) {
        window.closeCurrentTab();
    }
}

void measureOpen(MainWindow& window, const QString& path, const char* label)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.files().openDocument(path, false);
        window.editor()->viewport()->repaint();
        best = std::min(best, Bench::msSince(timer));
        settle();
        closeAll(window);
        settle();
    }
    std::printf("open %-7s into a slot, first screen coloured and painted: %8.1f ms (best of 3)\n",
                label, best);
}

void measureHandOff(MainWindow& window, const QString& program, const QString& path)
{
    const int before = window.documents().usedCount();
    QElapsedTimer timer;
    timer.start();
    QProcess second;
    second.start(program, {path});
    while (window.documents().usedCount() == before && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    const double shown = Bench::msSince(timer);
    second.waitForFinished(5000);
    std::printf("quillorn FILE handed to the running editor, until its tab shows: %6.1f ms "
                "(second process exit code %d)\n",
                shown, second.exitCode());
    closeAll(window);
}

} // namespace

int main(int argc, char** argv)
{
    // The hand-off socket lives in the runtime folder: a private one keeps a running editor
    // of the user's out of the measurement.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QApplication app(argc, argv);

    Test::TestEnvironment env;
    Test::ScriptedPrompter prompter;
    AppContext context{env.appDir(), prompter, {}, {}};
    MainWindow window(context);
    window.resize(1200, 800);
    window.show();
    settle();

    QTemporaryDir files;
    for (const auto& [megabytes, label] : {std::pair{20, "20 MB"}, std::pair{100, "100 MB"}}) {
        const QString path = files.filePath(QStringLiteral("page%1.html").arg(megabytes));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(Bench::generateDocument(qint64(megabytes) * 1024 * 1024)) < 0)
            return 1;
        file.close();
        measureOpen(window, path, label);
    }

    SingleInstance instance;
    if (!instance.listen()) {
        std::printf("hand-off: could not listen\n");
        return 1;
    }
    QObject::connect(&instance, &SingleInstance::openRequested, &window,
                     [&window](const QString& path) { window.files().openDocument(path, true); });
    const QString small = files.filePath(QStringLiteral("small.html"));
    QFile smallFile(small);
    if (!smallFile.open(QIODevice::WriteOnly))
        return 1;
    smallFile.write("<p>hello</p>\r\n");
    smallFile.close();
    const QString program =
        QCoreApplication::applicationDirPath() + QLatin1String("/../bin/quillorn");
    for (int run = 0; run < 3; ++run)
        measureHandOff(window, program, small);
    return 0;
}
