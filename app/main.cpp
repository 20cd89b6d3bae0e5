#include "app/AppContext.h"
#include "app/FileCommands.h"
#include "app/Startup.h"
#include "documents/SingleInstance.h"
#include "editing/EditorAccessibility.h"
#include "platform/AppPaths.h"
#include "platform/QtPrompter.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillorn"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLORN_VERSION));

    // One path on the command line; words split by the shell are joined back.
    const QString commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' ')).trimmed();

    // An editor that already runs takes the file and comes to the front; this one ends.
    Quillorn::SingleInstance instance;
    if (!commandLine.isEmpty() && instance.handOff(commandLine))
        return 0;
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
