#include "documents/FileIO.h"

#include "platform/FileSaver.h"
#include "platform/LangStrings.h"
#include "platform/ProgramFile.h"
#include "platform/ProgramText.h"

#include <QFileInfo>

namespace Quillorn {

FileIO::ReadResult FileIO::readWholeFile(const QString& path)
{
    return FileReader::read(path, FileReader::NoCap);
}

FileIO::ReadResult FileIO::readListedFile(const QString& path)
{
    return FileReader::read(path, FileReader::NoCap, FileReader::Oversize::Cut,
                            FileReader::Listed::AsRegularFile);
}

qint64 FileIO::fileSize(const QString& path)
{
    return FileReader::size(path);
}

QString FileIO::sizeQuestion(const LangStrings& strings, const QString& path, qint64 size)
{
    const qint64 megabytes = (size + 512 * 1024) / (1024 * 1024);
    return strings.message(Str::LargeFileQuestion, FileFailure::quoted(path),
                           QString::number(megabytes));
}

QString FileIO::readTextFile(const QString& path, const QString& language)
{
    const ProgramFile::Text read =
        ProgramFile::read(path, AskAboveBytes, language, FileReader::Oversize::Refuse);
    const QString& text = read.text;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    // A line end after the last line does not start another one.
    if (!lines.isEmpty() && lines.last().isEmpty() && text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines.join(QLatin1String("\r\n"));
}

FileIO::WriteResult FileIO::writeTextFile(const QString& path, const QString& text, bool append,
                                          const QString& language)
{
    QString whole = text;
    if (append && QFileInfo::exists(path)) {
        const ProgramFile::Text existing =
            ProgramFile::read(path, AskAboveBytes, language, FileReader::Oversize::Refuse);
        if (!existing.ok())
            return existing.failure;
        // Encoded again as a whole, so the old and the new part never end up in two
        // different encodings.
        whole = existing.text + text;
    }
    return ProgramFile::write(path, whole, language);
}

FileIO::WriteResult FileIO::saveFile(const QString& path, const QByteArray& bytes)
{
    return FileSaver::save(path, bytes);
}

} // namespace Quillorn
