#include "platform/QtPrompter.h"
#include "setup/Installation.h"
#include "setup/SetupCommandLine.h"
#include "setup/SetupPlaces.h"
#include "setup/SetupWizard.h"

#include <QApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>

using namespace Quillorn;

namespace {

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// The installation without windows or pauses, its progress on standard output, one line a
// step: the bar's value and the action, its line breaks turned into spaces.
int installUnattended(const Installation::Choice& choice)
{
    Installation installation(choice, SetupPlaces::current());
    QObject::connect(&installation, &Installation::progressed, &installation,
                     [](int bar, const QString& action) {
                         QStringList lines = action.split(QLatin1String("\r\n"));
                         for (QString& line : lines)
                             line = line.trimmed();
                         print(stdout,
                               QStringLiteral("%1% ").arg(bar, 3) + lines.join(QLatin1Char(' ')));
                     });
    QString error = installation.prepare(QCoreApplication::applicationFilePath());
    if (error.isEmpty())
        error = installation.runToEnd();
    if (error.isEmpty())
        return 0;
    print(stderr, error.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const SetupCommandLine::Request request = SetupCommandLine::parse(arguments);
    // The arguments are the installer's own: Qt reads none of them.
    int qtArgc = 1;
    const auto choice = [&request](const SetupPlaces& places) -> Installation::Choice {
        return {request.folder.value_or(places.proposedFolder()), request.language,
                request.desktopIcon};
    };

    if (request.help || !request.wrongArgument.isEmpty() || request.unattended) {
        QCoreApplication app(qtArgc, argv);
        const SetupStrings strings(request.language);
        const QString usage =
            strings.text(SetupStr::Usage).replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (!request.wrongArgument.isEmpty()) {
            print(stderr, strings.text(SetupStr::UnknownOption).arg(request.wrongArgument));
            print(stderr, usage);
            return 2;
        }
        if (request.help) {
            print(stdout, usage);
            return 0;
        }
        // A reader of the progress that goes away (a pipe into head) must not end the
        // installation half way.
        std::signal(SIGPIPE, SIG_IGN);
        return installUnattended(choice(SetupPlaces::current()));
    }

    QApplication app(qtArgc, argv);
    QtPrompter prompter;
    const SetupPlaces places = SetupPlaces::current();
    SetupWizard wizard(prompter, choice(places), places, QCoreApplication::applicationFilePath());
    prompter.setParentWidget(&wizard);
    QObject::connect(&wizard, &SetupWizard::finished, &app, &QCoreApplication::exit);
    wizard.show();
    return QApplication::exec();
}
