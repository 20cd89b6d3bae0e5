#pragma once

#include "platform/Str.h"

#include <QString>

namespace Quillorn {

class LangStrings;

// Why a file could not be read or saved, kept as facts (what went wrong, the path, the
// system's error number) so that the message is formed in the interface language when shown.
class FileFailure {
public:
    enum class Action { Read, Save };
    enum class Kind {
        None,          // no failure
        Missing,       // nothing at the path
        Folder,        // a folder where a file was expected
        NotRegular,    // a device, pipe or socket
        TooLarge,      // above the reader's cap
        NoName,        // an empty path to save to
        FolderMissing, // the folder to save into does not exist
        NoTemporary,   // no new file could be made beside the target
        NoBackup,      // no copy of the old bytes could be kept before writing in place
        System,        // the system refused: see systemError()
    };

    FileFailure() = default;
    FileFailure(Action action, Kind kind, QString path, int systemError = 0);

    static FileFailure reading(Kind kind, const QString& path, int systemError = 0)
    {
        return {Action::Read, kind, path, systemError};
    }
    static FileFailure saving(Kind kind, const QString& path, int systemError = 0)
    {
        return {Action::Save, kind, path, systemError};
    }

    bool ok() const { return m_kind == Kind::None; }
    Action action() const { return m_action; }
    Kind kind() const { return m_kind; }
    const QString& path() const { return m_path; }
    int systemError() const { return m_systemError; }

    // The path as messages show it, in quotation marks.
    static QString quoted(const QString& path);

    // The short reason ("it is a folder", the system's own text), for a sentence that names
    // the file itself.
    QString reason(const LangStrings& strings) const;

    // The whole sentence for the user: "<file> cannot be read: <reason>.", "Could not save
    // <file>: <reason>." and the like.
    QString describe(const LangStrings& strings) const;

    // `sentence` (with "%1" for the file and "%2" for the reason) filled for this failure.
    QString describe(const LangStrings& strings, Str sentence) const;

private:
    Action m_action = Action::Read;
    Kind m_kind = Kind::None;
    QString m_path;
    int m_systemError = 0;
};

} // namespace Quillorn
