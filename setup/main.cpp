// The installer program. It loads no Qt library: the unattended installation, the usage and a
// wrong argument are handled here, and only the setup window loads its module, which this
// program carries inside it.
#include "setup/core/Installation.h"
#include "setup/core/SetupCommandLine.h"
#include "setup/core/SetupPlaces.h"
#include "setup/core/WizardModule.h"

#include <climits>
#include <csignal>
#include <cstdio>
#include <string>
#include <unistd.h>

using namespace Quillorn;

// The setup window's module, put between these two labels when the program is linked
// (WizardModuleBytes.cpp).
extern "C" const char quillsetupWizardModule[];
extern "C" const char quillsetupWizardModuleEnd[];

namespace {

// `text` with its CR LF line breaks as LF, and a line end.
void print(FILE* stream, std::string text)
{
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    std::fputs(text.c_str(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// The program's own file, where its payload is.
std::string ownPath(const char* argv0)
{
    char path[PATH_MAX];
    const ssize_t size = ::readlink("/proc/self/exe", path, sizeof path);
    return size > 0 && size_t(size) < sizeof path ? std::string(path, size_t(size)) : argv0;
}

// One progress line: the bar's value and the action, its lines trimmed and joined by spaces.
std::string progressLine(int bar, const std::string& action)
{
    char value[8];
    std::snprintf(value, sizeof value, "%3d%% ", bar);
    std::string line = value;
    constexpr const char* Spaces = " \t\r\n\f\v";
    for (size_t start = 0; start <= action.size();) {
        size_t end = action.find("\r\n", start);
        if (end == std::string::npos)
            end = action.size();
        const std::string piece = action.substr(start, end - start);
        const size_t first = piece.find_first_not_of(Spaces);
        if (start > 0)
            line += ' ';
        if (first != std::string::npos)
            line += piece.substr(first, piece.find_last_not_of(Spaces) - first + 1);
        start = end + 2;
    }
    return line;
}

// The installation without windows or pauses, its progress on standard output, one line a
// step.
int installUnattended(const Installation::Choice& choice, const std::string& installer)
{
    Installation installation(
        choice, SetupPlaces::current(),
        [](int bar, const std::string& action) { print(stdout, progressLine(bar, action)); });
    std::string error = installation.prepare(installer);
    if (error.empty())
        error = installation.runToEnd();
    if (error.empty())
        return 0;
    print(stderr, error);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const SetupCommandLine::Request request = SetupCommandLine::parse(argc, argv);
    const SetupStrings strings(request.language);
    if (!request.wrongArgument.empty()) {
        print(stderr,
              SetupStrings::filled(strings.text(SetupStr::UnknownOption), {request.wrongArgument}));
        print(stderr, strings.text(SetupStr::Usage));
        return 2;
    }
    if (request.help) {
        print(stdout, strings.text(SetupStr::Usage));
        return 0;
    }
    const std::string installer = ownPath(argv[0]);
    if (request.unattended) {
        // A reader of the progress that goes away (a pipe into head) must not end the
        // installation half way.
        std::signal(SIGPIPE, SIG_IGN);
        return installUnattended(request.choice(SetupPlaces::current()), installer);
    }

    std::string error;
    const WizardModule::Entry wizard = WizardModule::load(
        {quillsetupWizardModule, size_t(quillsetupWizardModuleEnd - quillsetupWizardModule)},
        error);
    if (!wizard) {
        print(stderr, SetupStrings::filled(strings.text(SetupStr::WindowNotLoaded), {error}));
        return 1;
    }
    return wizard(argc, argv, installer.c_str());
}
