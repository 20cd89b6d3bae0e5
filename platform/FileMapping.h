#pragma once

#include "platform/FileFailure.h"

#include <QByteArrayView>
#include <QString>

namespace Quillorn {

// A regular file mapped whole and read-only into memory, for reading a large file once without
// copying it: its pages come from the system's cache as they are touched, where a fresh buffer
// would first have to be faulted in page by page. Only for files nobody shortens while they
// are mapped, such as a program's own running file, which the system keeps from being written.
class FileMapping {
public:
    FileMapping() = default;
    FileMapping(FileMapping&& other) noexcept;
    FileMapping& operator=(FileMapping&& other) noexcept;
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;
    ~FileMapping();

    // The regular file at `path` mapped; on failure the mapping is empty and `failure` says why.
    static FileMapping map(const QString& path, FileFailure& failure);

    QByteArrayView bytes() const { return {m_data, m_size}; }

private:
    void release();

    const char* m_data = nullptr;
    qsizetype m_size = 0;
};

} // namespace Quillorn
