#include "tags/TagListFile.h"

#include "platform/ProgramFile.h"

namespace Quillorn {

namespace {
const QLatin1String kEntryEnd("||");
const QLatin1String kCaptionEnd("///");
// A tag list is a few kilobytes; of a far larger file only the beginning is read.
constexpr qint64 MaxListSize = 4 * 1024 * 1024;
} // namespace

QStringList TagListFile::split(const QString& text)
{
    QStringList pieces = text.split(kEntryEnd);
    // The piece after the last "||" is not an entry; without any "||" that is the whole text.
    pieces.removeLast();
    return pieces;
}

QStringList TagListFile::read(const QString& path, const QString& language)
{
    return split(ProgramFile::read(path, MaxListSize, language).text);
}

QString TagListFile::withoutLeadingLineEnd(const QString& piece)
{
    // Only line ends are removed: a hand-written first entry without its CR LF keeps its
    // caption whole. Blank lines between entries go the same way.
    qsizetype start = 0;
    while (start < piece.size() &&
           (piece.at(start) == QLatin1Char('\r') || piece.at(start) == QLatin1Char('\n')))
        ++start;
    return piece.mid(start);
}

TagListFile::Entry TagListFile::entry(const QString& fullEntry)
{
    Entry result;
    const qsizetype cut = fullEntry.indexOf(kCaptionEnd);
    if (cut < 0) {
        result.caption = fullEntry;
        return result;
    }
    result.caption = fullEntry.left(cut);
    result.text = fullEntry.mid(cut + kCaptionEnd.size());
    result.hasText = true;
    return result;
}

} // namespace Quillorn
