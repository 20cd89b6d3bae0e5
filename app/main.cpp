#include "app/AppContext.h"
#include "app/Startup.h"
#include "platform/AppPaths.h"
#include "platform/QtPrompter.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillorn"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLORN_VERSION));

    Quillorn::QtPrompter prompter;
    Quillorn::AppContext context{Quillorn::AppPaths::appDir(), prompter, {}, {}};
    Quillorn::Startup startup(context);

    // One path on the command line; words split by the shell are joined back.
    startup.start(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    return QApplication::exec();
}
