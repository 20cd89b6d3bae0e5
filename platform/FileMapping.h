#pragma once

#include "platform/FileFailure.h"
#include "platform/posix/Mapping.h"

#include <QByteArrayView>
#include <QString>

namespace Quillorn {

// A regular file mapped whole and read-only into memory (Posix::Mapping), with its failure
// told as the file layer tells it.
class FileMapping {
public:
    // The regular file at `path` mapped; on failure the mapping is empty and `failure` says why.
    static FileMapping map(const QString& path, FileFailure& failure);

    QByteArrayView bytes() const
    {
        return {m_mapping.bytes().data(), qsizetype(m_mapping.bytes().size())};
    }

private:
    Posix::Mapping m_mapping;
};

} // namespace Quillorn
