#pragma once

#include <QString>

#include <sys/types.h>

namespace Quillorn {

// What tells one state of a file from another without reading it: whether it is there, its
// size, its modification time and which file the name stands for. A file another program
// rewrote or replaced has a new stamp.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    dev_t device = 0;
    ino_t inode = 0;

    // The stamp of the file at `path` now (followed through links); a folder or device there
    // is no file.
    static FileStamp of(const QString& path);

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

} // namespace Quillorn
