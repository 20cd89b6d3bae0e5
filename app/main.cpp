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

// Hands `path` to an editor that already runs. Done before the window system is reached, so
// that a second start ends quickly.
bool handedOff(int& argc, char* argv[], const QString& path)
{
    if (path.isEmpty())
        return false;
    QCoreApplication probe(argc, argv);
    return Quillorn::SingleInstance().handOff(path);
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QString commandLine = commandLinePath(arguments);
    if (handedOff(argc, argv, commandLine))
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillorn"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLORN_VERSION));

    Quillorn::SingleInstance instance;
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

    startup.start(commandLine);
    prompter.setParentWidget(startup.mainWindow());
    return QApplication::exec();
}
