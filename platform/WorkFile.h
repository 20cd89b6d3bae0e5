#pragma once

#include "platform/FileFailure.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace Quillorn {

// A temporary file written once and removed with its owner: a copy of a document for an
// outside program to read, or a page for the browser view. Its name is random and it is
// created exclusively, never through an existing name or link.
class WorkFile {
public:
    WorkFile() = default;
    WorkFile(WorkFile&& other) noexcept;
    WorkFile& operator=(WorkFile&& other) noexcept;
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;
    ~WorkFile();

    // `bytes` in a new file `folder` + "/" + `prefix` + random digits + `suffix`, private
    // unless `mode` says otherwise (a page another user's web server must read). On failure no
    // file is left and `failure` says why.
    static WorkFile write(const QString& folder, const QString& prefix, const QString& suffix,
                          const QByteArray& bytes, FileFailure& failure, mode_t mode = 0600);

    bool exists() const { return !m_path.isEmpty(); }
    // Empty when there is no file.
    const QString& path() const { return m_path; }

private:
    explicit WorkFile(const QString& path)
        : m_path(path)
    {
    }
    void remove();

    QString m_path;
};

} // namespace Quillorn
