#pragma once

#include "platform/LangStrings.h"

#include <QString>
#include <QStringList>

namespace Quillorn {

// What the editor's command line asks for: the files to open and whether the splash shows, or
// an answer on the terminal (the help, the version, a wrong option) instead of a start.
class CommandLine {
public:
    enum class Action { Start, Help, Version, UnknownOption };

    struct Request {
        Action action = Action::Start;
        QStringList files; // each argument that names a file, as given
        bool splash = true;
        QString unknownOption;
    };

    // Reads `arguments` (without the program name). Up to "--", an argument that begins with
    // "-" (other than "-" alone) is an option; every other argument is one file. An empty
    // argument names nothing.
    static Request parse(const QStringList& arguments);

    struct Answer {
        int exitCode = 0;
        QString standardOutput;
        QString standardError;
    };

    // What a request that does not start the editor prints, in the language of `strings`;
    // `program` is the name the program was started by.
    static Answer answer(const Request& request, const LangStrings& strings, const QString& program,
                         const QString& version);

    // What the main window opens first: the files named on the command line, else the last
    // session when `openLastSession` is on, else nothing.
    static QStringList initialOpen(const QStringList& files, bool openLastSession,
                                   const QString& lastSessionPath);

    // The string table of the language the settings in the program folder `appDir` name;
    // english when that cannot be read.
    static LangStrings strings(const QString& appDir);

private:
    static QString usage(const LangStrings& strings, const QString& program);
};

} // namespace Quillorn
