#pragma once

#include <QByteArrayView>
#include <QString>

#include <sys/types.h>

namespace Quillorn {

// Writes a file as a new one in place of whatever had its name (Posix::FreshFile), for the
// callers that hold Qt's paths and bytes.
class FreshFile {
public:
    // 0, or the errno of the failure.
    static int write(const QString& path, QByteArrayView bytes, mode_t mode);
};

} // namespace Quillorn
