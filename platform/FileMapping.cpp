#include "platform/FileMapping.h"

#include "platform/FileReader.h"

#include <QFile>

namespace Quillorn {

FileMapping FileMapping::map(const QString& path, FileFailure& failure)
{
    FileMapping mapping;
    Posix::RegularFile::Refusal refusal;
    int error = 0;
    mapping.m_mapping = Posix::Mapping::map(QFile::encodeName(path).constData(), refusal, error);
    if (refusal != Posix::RegularFile::Refusal::None)
        failure = FileFailure::reading(FileReader::kindOf(refusal), path, error);
    return mapping;
}

} // namespace Quillorn
