#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "app/Startup.h"
#include "documents/SingleInstance.h"
#include "editing/EditorAccessibility.h"
#include "platform/AppPaths.h"
#include "platform/BrowserEngine.h"
#include "platform/QtPrompter.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    Quillorn::BrowserEngine::prepare();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const Quillorn::CommandLine::Request request = Quillorn::CommandLine::parse(arguments);
    // The arguments are files and options of ours: Qt reads none of them.
    int qtArgc = 1;

    // One object decides, under its lock, whether this start hands over to a running editor or
    // is the editor, and keeps the lock until it listens. All of this happens before the window
    // system is reached, so that a second start, the help and the version end quickly.
    Quillorn::SingleInstance instance;
    QStringList files;
    {
        QCoreApplication probe(qtArgc, argv);
        if (request.action != Quillorn::CommandLine::Action::Start) {
            const Quillorn::CommandLine::Answer answer = Quillorn::CommandLine::answer(
                request, Quillorn::CommandLine::strings(Quillorn::AppPaths::appDir()),
                QFileInfo(QString::fromLocal8Bit(argv[0])).fileName(),
                QStringLiteral(QUILLORN_VERSION));
            std::fputs(answer.standardOutput.toLocal8Bit().constData(), stdout);
            std::fputs(answer.standardError.toLocal8Bit().constData(), stderr);
            return answer.exitCode;
        }
        const Quillorn::SingleInstance::HandOff handOff = instance.handOff(request.files);
        if (handOff.done)
            return 0;
        files = handOff.left;
    }

    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillorn"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLORN_VERSION));

    Quillorn::EditorAccessibility::install();

    Quillorn::QtPrompter prompter;
    Quillorn::AppContext context{Quillorn::AppPaths::appDir(), prompter, {}, {}};
    Quillorn::Startup startup(context);
    QObject::connect(&instance, &Quillorn::SingleInstance::openRequested, &startup,
                     &Quillorn::Startup::takeRequest);
    QObject::connect(&instance, &Quillorn::SingleInstance::activationRequested, &startup,
                     [&startup] { startup.takeRequest(QString()); });
    QObject::connect(&startup, &Quillorn::Startup::mainWindowShown, &startup,
                     [&startup, &prompter] { prompter.setParentWidget(startup.mainWindow()); });
    instance.listen();

    startup.start(files, request.splash);
    return QApplication::exec();
}
