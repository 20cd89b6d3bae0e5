#include "documents/SessionFile.h"

#include "documents/FileKind.h"
#include "platform/FileReader.h"
#include "platform/ProgramText.h"

#include <QFileInfo>

namespace Quillorn {

namespace {

// The same file under any name: links and "." or ".." resolved where the file exists.
QString identity(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool isGarbage(const QString& line)
{
    if (line.size() > SessionFile::MaxPathLength)
        return true;
    for (QChar c : line) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            return true;
    }
    return false;
}

void expandInto(const QString& path, const QString& language, QStringList& stack,
                SessionFile::Expansion& out, bool top)
{
    if (out.listsRead >= SessionFile::MaxLists) {
        out.truncated = true;
        return;
    }
    ++out.listsRead;
    const SessionFile::Listing listing = SessionFile::read(path, language);
    if (top)
        out.readable = listing.readable;
    out.truncated = out.truncated || listing.truncated;
    out.skipped += listing.skipped;
    stack.append(identity(path));
    for (const QString& line : listing.lines) {
        if (out.documents.size() >= SessionFile::MaxLines) {
            out.truncated = true;
            break;
        }
        if (!FileKind::isProjectFile(line)) {
            out.documents.append(line);
            continue;
        }
        if (stack.contains(identity(line)) || stack.size() > SessionFile::MaxNesting) {
            out.loops.append(line);
            continue;
        }
        expandInto(line, language, stack, out, false);
    }
    stack.removeLast();
}

} // namespace

QString SessionFile::compose(const QStringList& paths)
{
    QString text = paths.join(QLatin1String("\r\n"));
    // A line end after the last line starts no further line when read, so an empty last line
    // (a document without a file in the last slot) is ended to be read back.
    if (!paths.isEmpty() && paths.last().isEmpty())
        text += QLatin1String("\r\n");
    return text;
}

FileIO::WriteResult SessionFile::write(const QString& path, const QStringList& paths,
                                       const QString& language)
{
    return FileIO::writeTextFile(path, compose(paths), false, language);
}

FileIO::WriteResult SessionFile::appendEntry(const QString& projectPath,
                                             const QString& documentPath, const QString& language)
{
    // A line end goes before the new line only when there is a line to end: an empty list
    // would otherwise begin with an empty entry.
    QString text = documentPath;
    const FileReader::Result existing = FileReader::read(projectPath, FileReader::NoCap);
    if (!existing.bytes.isEmpty() && !existing.bytes.endsWith('\n'))
        text.prepend(QLatin1String("\r\n"));
    return FileIO::writeTextFile(projectPath, text, true, language);
}

SessionFile::Listing SessionFile::read(const QString& path, const QString& language)
{
    Listing listing;
    FileReader::Result read = FileReader::read(path, MaxBytes);
    if (!read.ok())
        return listing;
    listing.readable = true;
    QByteArray& bytes = read.bytes;
    if (read.truncated) {
        listing.truncated = true;
        // The cut line is not a whole path.
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
    }
    const QString text = ProgramText::decode(bytes, language);
    if (text.isEmpty())
        return listing;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (isGarbage(line)) {
            ++listing.skipped;
            continue;
        }
        if (listing.lines.size() >= MaxLines) {
            listing.truncated = true;
            break;
        }
        listing.lines.append(line);
    }
    return listing;
}

SessionFile::Expansion SessionFile::expand(const QString& path, const QString& language)
{
    Expansion expansion;
    QStringList stack;
    expandInto(path, language, stack, expansion, true);
    return expansion;
}

} // namespace Quillorn
