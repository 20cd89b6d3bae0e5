#include "platform/AppPaths.h"
#include "platform/FileReader.h"
#include "platform/QtPrompter.h"
#include "setup/core/InstallationFiles.h"
#include "setup/core/SetupPlaces.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/UninstallWindow.h"
#include "uninstall/Uninstallation.h"
#include "uninstall/WorkCopy.h"

#include <QApplication>
#include <QDir>

#include <csignal>
#include <cstdio>

using namespace Quillorn;

namespace {

// An installation log is a few kilobytes; a larger file is not one of ours.
constexpr qint64 MaxLogSize = 16 * 1024 * 1024;

QByteArray readLog(const QString& path)
{
    return FileReader::read(path, MaxLogSize).bytes;
}

// The installation log in `folder` (with a trailing "/").
QString logIn(const QString& folder)
{
    return folder + QString::fromStdString(InstallationFiles::log());
}

void print(FILE* stream, QString text)
{
    std::fputs(text.replace(QLatin1String("\r\n"), QLatin1String("\n")).toLocal8Bit().constData(),
               stream);
    std::fputc('\n', stream);
}

// The work itself, asked first: the window lists every logged file as it goes.
int removeWithWindow(Prompter& prompter, const QByteArray& log)
{
    Uninstallation work(log, SetupPlaces::current());
    UninstallWindow window(prompter, work);
    QObject::connect(&window, &UninstallWindow::finished, &window, &QWidget::close);
    if (!window.begin())
        return 0;
    return QApplication::exec();
}

// Without windows, in place: a running program can remove its own file here. Each list line
// goes to standard output; a log that is missing or foreign, or a file that could not be
// deleted, makes the exit code 1.
int removeUnattended()
{
    const QString folder = AppPaths::appDir();
    Uninstallation work(readLog(logIn(folder)), SetupPlaces::current());
    if (!work.hasFolder()) {
        print(stderr, UninstallTexts::noLog(folder));
        return 1;
    }
    if (!work.belongsTo(folder)) {
        print(stderr, UninstallTexts::foreignLog(folder));
        return 1;
    }
    int failed = 0;
    while (!work.atEnd()) {
        const Uninstallation::Removal removal = work.removeNext();
        print(stdout, removal.line);
        failed += removal.removed ? 0 : 1;
    }
    work.removeRest();
    if (failed == 0)
        return 0;
    print(stderr, UninstallTexts::notAllDeleted(failed));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const QString argument = argc == 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (argument == QLatin1String("--unattended")) {
        QCoreApplication app(argc, argv);
        // A reader of the list that goes away must not end the removal half way.
        std::signal(SIGPIPE, SIG_IGN);
        return removeUnattended();
    }
    if (argc > 2 || (argc == 2 && argument != WorkCopy::argument())) {
        print(stderr, UninstallTexts::usage());
        return 2;
    }

    // Qt reads none of the arguments.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QtPrompter prompter;
    if (argument == WorkCopy::argument()) {
        const WorkCopy copy(QCoreApplication::applicationDirPath());
        return removeWithWindow(prompter, readLog(copy.log()));
    }

    // The first start hands the work to a copy outside the installation folder.
    const QString folder = AppPaths::appDir();
    const QByteArray log = readLog(logIn(folder));
    const Uninstallation logged(log, SetupPlaces::current());
    if (logged.hasFolder() && !logged.belongsTo(folder)) {
        prompter.message(UninstallTexts::foreignLog(folder), Prompter::Icon::Critical,
                         UninstallTexts::title());
        return 1;
    }
    const WorkCopy copy(QDir::tempPath());
    const QString error = copy.make(QCoreApplication::applicationFilePath(), logIn(folder));
    if (!error.isEmpty()) {
        prompter.message(error, Prompter::Icon::Critical, UninstallTexts::title());
        return 1;
    }
    if (copy.start())
        return 0;
    // A temporary folder that allows no programs: the work is done from here, which this
    // system permits.
    return removeWithWindow(prompter, log);
}
