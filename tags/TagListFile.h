#pragma once

#include <QString>
#include <QStringList>

namespace Quillorn {

// Reads a tag-list file: entries written as a line end, the caption, "///", the inserted text
// and "||". Keeps the raw pieces as the file has them and splits one entry into its parts.
class TagListFile {
public:
    struct Entry {
        QString caption;
        QString text;
        // False for an entry without "///": it has a caption but nothing to insert.
        bool hasText = false;
    };

    // The pieces of `text` before the last "||", each still starting with its line end.
    // A text without "||" has no pieces.
    static QStringList split(const QString& text);

    // The whole file at `path`, decoded for `language` and split; a file that cannot be read
    // has no pieces.
    static QStringList read(const QString& path, const QString& language);

    // A raw piece as the tag window keeps it: without the line ends that start it (CR LF,
    // or LF alone in files edited here).
    static QString withoutLeadingLineEnd(const QString& piece);

    // Caption and inserted text of a full entry ("caption///text"), split at the first "///";
    // later "///" belong to the text.
    static Entry entry(const QString& fullEntry);
};

} // namespace Quillorn
