#include "editing/PhpKeywords.h"

#include "platform/FileReader.h"
#include "platform/ProgramText.h"

namespace Quillorn {

namespace {
// The list is a few kilobytes; anything far larger is not one and is not read whole.
constexpr qint64 MaxListSize = 4 * 1024 * 1024;
} // namespace

QByteArray PhpKeywords::load(const QString& path)
{
    return parse(FileReader::read(path, MaxListSize).bytes);
}

QByteArray PhpKeywords::parse(const QByteArray& bytes)
{
    QByteArray list;
    const QStringList lines = ProgramText::terminatedLines(ProgramText::decode(bytes, {}));
    for (const QString& line : lines) {
        const QByteArray word = line.trimmed().toLower().toUtf8();
        // The lexer splits its list on blanks: a line holding one would add two keywords.
        if (word.isEmpty() || word.contains(' ') || word.contains('\t'))
            continue;
        if (!list.isEmpty())
            list += ' ';
        list += word;
    }
    return list;
}

} // namespace Quillorn
