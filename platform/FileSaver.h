#pragma once

#include "platform/FileFailure.h"

#include <QByteArray>
#include <QString>

namespace Quillorn {

// Saves a file so that a failure never leaves it half written and a success keeps what the
// file was: its other names (hard links), owner, group and mode. Where a new file renamed over
// the old one keeps all that, the save is that rename (atomic); otherwise the file is written
// in place, after a full copy of its old bytes is kept in the user's own folder to put back
// should the write fail.
class FileSaver {
public:
    // Replaces the file at `path` (a link is written through to the file it names) with
    // `bytes`; a new file gets the mode the umask leaves. On failure the old file is as it was.
    // Temporary files of an earlier save of the same file that was cut short are removed.
    static FileFailure save(const QString& path, const QByteArray& bytes);
};

} // namespace Quillorn
