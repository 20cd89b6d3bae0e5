#include "app/AppContext.h"
#include "app/FileCommands.h"
#include "app/Startup.h"
#include "documents/SingleInstance.h"
#include "editing/EditorAccessibility.h"
#include "platform/AppPaths.h"
#include "platform/QtPrompter.h"

#include <QApplication>
#include <QStringList>

namespace {

// One path on the command line; words split by the shell are joined back.
QString commandLinePath(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' ')).trimmed();
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QString commandLine = commandLinePath(arguments);
    // One object decides, under its lock, whether this start hands over to a running editor or
    // is the editor, and keeps the lock until it listens. The hand-off is done before the
    // window system is reached, so that a second start ends quickly.
    Quillorn::SingleInstance instance;
    {
        QCoreApplication probe(argc, argv);
        const Quillorn::SingleInstance::HandOff handOff =
            instance.handOff(commandLine.isEmpty() ? QStringList() : QStringList{commandLine});
        if (handOff.done)
            return 0;
        commandLine = handOff.left.value(0);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillorn"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLORN_VERSION));

    instance.listen();

    Quillorn::EditorAccessibility::install();

    Quillorn::QtPrompter prompter;
    Quillorn::AppContext context{Quillorn::AppPaths::appDir(), prompter, {}, {}};
    Quillorn::Startup startup(context);
    QObject::connect(&instance, &Quillorn::SingleInstance::openRequested, &startup,
                     [&startup](const QString& path) {
                         Quillorn::MainWindow* main = startup.mainWindow();
                         if (!main)
                             return;
                         main->files().openDocument(path, true);
                         main->show();
                         main->raise();
                         main->activateWindow();
                     });
    QObject::connect(&instance, &Quillorn::SingleInstance::activationRequested, &startup,
                     [&startup] {
                         if (Quillorn::MainWindow* main = startup.mainWindow()) {
                             main->raise();
                             main->activateWindow();
                         }
                     });

    startup.start(commandLine);
    prompter.setParentWidget(startup.mainWindow());
    return QApplication::exec();
}
