#include "platform/ProgramFile.h"

#include "platform/FileSaver.h"
#include "platform/ProgramText.h"

namespace Quillorn {

ProgramFile::Text ProgramFile::read(const QString& path, qint64 cap, const QString& language,
                                    FileReader::Oversize oversize)
{
    const FileReader::Result read = FileReader::read(path, cap, oversize);
    return {ProgramText::decode(read.bytes, language), read.truncated, read.failure};
}

FileFailure ProgramFile::write(const QString& path, const QString& text, const QString& language)
{
    return FileSaver::save(path, ProgramText::encode(text, language));
}

} // namespace Quillorn
