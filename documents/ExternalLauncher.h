#pragma once

#include "platform/Settings.h"
#include "platform/Str.h"

#include <optional>

#include <QString>

namespace Quillorn {

// Opens the current document in one of the user's external programs: first as a request on
// the program's local socket (named from its program and division), and when nothing takes
// it, by starting the program with the document's path.
class ExternalLauncher {
public:
    enum class Blocker { None, NoDocument, Unsaved };

    // Why the document cannot be handed on yet: none is shown, or it has unsaved changes.
    static Blocker blocker(bool documentShown, bool documentSaved);
    // "Open file first!" or "Save file first!" (nothing for None).
    static std::optional<Str> blockerMessage(Blocker blocker);

    // `ddeMessage` with every "%1" replaced by `path`.
    static QString requestText(const QString& ddeMessage, const QString& path);
    // The folder of `path`: the text up to and including its last "/" or "\".
    static QString workingFolder(const QString& path);

    enum class Way {
        Request, // a listening program acknowledged the request
        Started, // the program was started with the document
        Failed,
    };
    struct Result {
        Way way = Way::Failed;
        // For a failure: the message, with `subject` for its "%1".
        Str failure = Str::ProgramNotStarted;
        QString subject;
    };

    // Hands `documentPath` to `program`. The program is started without a shell, with the
    // path as its one argument, in the path's folder.
    static Result open(const ExternalProgram& program, const QString& documentPath,
                       int timeoutMs = 1000);
};

} // namespace Quillorn
