// The setup window as a shared module of its own, which the installer program loads only when
// the window is wanted: everything Qt is in here. Its one visible symbol is the entry.
#include "platform/QtPrompter.h"
#include "setup/SetupWizard.h"
#include "setup/core/SetupCommandLine.h"

#include <QApplication>
#include <QFile>

using namespace Quillorn;

extern "C" __attribute__((visibility("default"))) int
quillsetupWizardMain(int argc, char** argv, const char* installerPath)
{
    const SetupCommandLine::Request request = SetupCommandLine::parse(argc, argv);
    // The arguments are the installer's own: Qt reads none of them.
    static int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QtPrompter prompter;
    const SetupPlaces places = SetupPlaces::current();
    SetupWizard wizard(prompter, request.choice(places), places, QFile::decodeName(installerPath));
    prompter.setParentWidget(&wizard);
    QObject::connect(&wizard, &SetupWizard::finished, &app, &QCoreApplication::exit);
    wizard.show();
    return QApplication::exec();
}
