#include "tags/ReferenceTreeFile.h"

#include "platform/FileReader.h"
#include "platform/ProgramText.h"

#include <algorithm>

namespace Quillorn {

namespace {

const QChar kTitleEnd(0x01);
const QChar kFolderSeparator(0x02);
const QChar kItemStart(0x03);
const QChar kFieldSeparator(0x04);

bool isSeparator(QChar c)
{
    return c == kTitleEnd || c == kFolderSeparator || c == kItemStart || c == kFieldSeparator;
}

QString withoutSeparators(QString text)
{
    text.removeIf(isSeparator);
    return text;
}

QString cleanName(const QString& text)
{
    return withoutSeparators(text).trimmed();
}

// The length of `bytes` without an incomplete UTF-8 sequence at its end, as a file cut off
// in the middle of a character has.
qsizetype withoutCutCharacter(const QByteArray& bytes)
{
    qsizetype end = bytes.size();
    for (int back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto c = static_cast<unsigned char>(bytes.at(bytes.size() - back));
        if ((c & 0xC0) == 0x80)
            continue;
        if (c >= 0xC0) {
            const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            if (length > back)
                end = bytes.size() - back;
        }
        break;
    }
    return end;
}

QString decode(const QByteArray& bytes, const QString& language)
{
    // A UTF-8 file cut off inside a character: the rest is read as UTF-8 without the broken
    // character, provided the rest holds other UTF-8 characters to show it is UTF-8 at all.
    const QByteArray whole = bytes.left(withoutCutCharacter(bytes));
    if (whole.size() < bytes.size() && ProgramText::isValidUtf8(whole)) {
        const bool hasMultiByte =
            std::any_of(whole.cbegin(), whole.cend(), [](char c) { return (c & 0x80) != 0; });
        if (hasMultiByte)
            return ProgramText::decode(whole, language);
    }
    return ProgramText::decode(bytes, language);
}

ReferenceTree::Item parseItem(const QString& piece)
{
    ReferenceTree::Item item;
    const QStringList fields = piece.split(kFieldSeparator);
    item.name = cleanName(fields.value(0));
    item.description = cleanName(fields.value(1));
    // Further field separators cannot be told apart from the code: they are dropped.
    item.code = withoutSeparators(fields.mid(2).join(QString()));
    return item;
}

} // namespace

ReferenceTree ReferenceTreeFile::parse(const QString& text)
{
    ReferenceTree tree;
    // The title ends at the byte 1; a file that lacks it, or has a folder or an item first,
    // has its title end where that begins.
    qsizetype titleEnd = text.size();
    for (const QChar c : {kTitleEnd, kFolderSeparator, kItemStart}) {
        const qsizetype at = text.indexOf(c);
        if (at >= 0 && at < titleEnd)
            titleEnd = at;
    }
    tree.title = cleanName(text.left(titleEnd));
    if (titleEnd == text.size())
        return tree;
    const qsizetype bodyStart = text.at(titleEnd) == kTitleEnd ? titleEnd + 1 : titleEnd;

    const QStringList folderPieces = text.mid(bodyStart).split(kFolderSeparator);
    for (const QString& folderPiece : folderPieces) {
        const QStringList itemPieces = folderPiece.split(kItemStart);
        ReferenceTree::Folder folder;
        // A field separator before the first item belongs to nothing the tree can show.
        folder.name = cleanName(itemPieces.first().section(kFieldSeparator, 0, 0));
        for (qsizetype i = 1; i < itemPieces.size(); ++i) {
            ReferenceTree::Item item = parseItem(itemPieces.at(i));
            if (item.name.isEmpty() && item.description.isEmpty() && item.code.isEmpty())
                continue;
            folder.items.append(item);
        }
        if (folder.name.isEmpty() && folder.items.isEmpty())
            continue;
        tree.folders.append(folder);
    }
    return tree;
}

ReferenceTreeFile::ReadResult ReferenceTreeFile::read(const QString& path, const QString& language)
{
    ReadResult result;
    const FileReader::Result read =
        FileReader::read(path, maximumSize, FileReader::Oversize::Refuse);
    result.failure = read.failure;
    if (read.ok())
        result.tree = parse(decode(read.bytes, language));
    return result;
}

} // namespace Quillorn
