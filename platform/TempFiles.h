#pragma once

#include "platform/FileFailure.h"
#include "platform/FileHandle.h"

#include <QString>

namespace Quillorn {

// Temporary files with random upper-case hexadecimal names ("3FA09C1B.tmp"), each created
// anew (never through an existing name or link), in a folder of the user's own or beside a
// file being saved.
class TempFiles {
public:
    struct Created {
        FileHandle file; // open for writing
        QString path;
        FileFailure failure;
        bool ok() const { return failure.ok(); }
    };

    // The user's own folder for temporary files: "quillorn" below the XDG cache folder, made
    // private (0700) and refused unless it is a real folder of this user. A copy kept there
    // outlives a crash of the program. Empty when there is no such folder.
    static QString userFolder();

    // `path` as a folder only this user can reach: made (0700) when missing, and given back
    // only when it is a real folder (not a link) of this user that others cannot enter; with
    // `tighten`, such a folder of ours that others may enter is closed first. Empty otherwise.
    static QString privateFolder(const QString& path, bool tighten);

    // `digits` random upper-case hexadecimal digits.
    static QString randomHex(int digits = 8);

    // A new empty file `folder` + "/" + `prefix` + random digits + `suffix` with `mode`,
    // created exclusively. `path` in the failure is the folder.
    static Created create(const QString& folder, const QString& prefix, const QString& suffix,
                          mode_t mode = 0600);
};

} // namespace Quillorn
