#pragma once

#include "platform/posix/Descriptor.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>
#include <utility>

namespace Quillorn {

// An open file descriptor owned by one object and closed with it (Posix::Descriptor), with
// whole reads into Qt's byte arrays and copies. Errors are errno values.
class FileHandle : public Posix::Descriptor {
public:
    using Descriptor::Descriptor;
    using Descriptor::write;
    explicit FileHandle(Descriptor&& descriptor)
        : Descriptor(std::move(descriptor))
    {
    }

    // `path` opened with `flags` (close-on-exec always added); not open on failure, with
    // errno telling why.
    static FileHandle open(const QString& path, int flags, mode_t mode = 0);

    // Reads up to `maximum` bytes from the current position into `bytes` (replacing what it
    // held), stopping early only at the end of the file; room for `expected` bytes is made at
    // once. The end is a read that gives nothing; for a regular file of `regularSize` bytes
    // (above 0), already a read that reaches them and gives fewer bytes than asked, a system
    // call less per file (the pseudo-files of the system, which may come in pieces, have no
    // size). 0, or the errno of the failure.
    int read(qint64 maximum, QByteArray& bytes, qint64 expected = 0, qint64 regularSize = 0) const;

    int write(const QByteArray& bytes) const { return write(bytes.constData(), bytes.size()); }

    // Copies everything from `from`'s current position to the end into this file.
    int copyFrom(const FileHandle& from) const;

    // fsync: 0, or the errno of the failure.
    int sync() const;
};

} // namespace Quillorn
