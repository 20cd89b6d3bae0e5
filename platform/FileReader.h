#pragma once

#include "platform/FileFailure.h"
#include "platform/FileHandle.h"
#include "platform/posix/RegularFile.h"

#include <QByteArray>
#include <QString>

#include <limits>

namespace Quillorn {

// Reads the bytes of regular files only: folders, devices, pipes and sockets are refused
// (checked on the opened descriptor, opened so that a pipe never blocks), and never more than
// the caller's cap is read, so no file can stall the program or fill its memory.
class FileReader {
public:
    // What a file larger than the cap gives: its first `cap` bytes, or a TooLarge failure.
    enum class Oversize { Cut, Refuse };

    static constexpr qint64 NoCap = std::numeric_limits<qint64>::max();

    struct Result {
        QByteArray bytes;
        bool truncated = false; // the file held more than the cap (Oversize::Cut)
        FileFailure failure;
        bool ok() const { return failure.ok(); }
    };

    // What is known of a path before it is opened: nothing, or that a folder listing has just
    // given it as a regular file (links followed). Such a path is not looked at again before
    // it is opened, a system call less for each file of a folder; the opened descriptor is
    // checked all the same.
    enum class Listed { No, AsRegularFile };

    static Result read(const QString& path, qint64 cap, Oversize oversize = Oversize::Cut,
                       Listed listed = Listed::No);

    // `path` opened for reading when it is a regular file (checked before opening unless
    // `listed` says so, and again on the descriptor), with its size; else not open, and
    // `failure` tells why.
    static FileHandle openRegular(const QString& path, FileFailure& failure, qint64& size,
                                  Listed listed = Listed::No);

    // The size of the regular file at `path`, or -1 when there is none or it cannot be read.
    static qint64 size(const QString& path);

    // What a refusal of the file layer below is as a failure.
    static FileFailure::Kind kindOf(Posix::RegularFile::Refusal refusal);
};

} // namespace Quillorn
