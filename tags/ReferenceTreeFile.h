#pragma once

#include "tags/ReferenceTree.h"

#include <QByteArray>
#include <QString>

namespace Quillorn {

// Reads and writes reference-tree files: the title, the byte 1, then folders separated by the
// byte 2; a folder is its name followed by items, each introduced by the byte 3 and made of a
// name, the byte 4, a description, the byte 4 and the code.
class ReferenceTreeFile {
public:
    struct ReadResult {
        ReferenceTree tree;
        // Empty when the file was read; otherwise why not.
        QString error;
        bool ok() const { return error.isEmpty(); }
    };

    // Files larger than this are refused: a reference tree is a few hundred kilobytes.
    static constexpr qint64 maximumSize = 32 * 1024 * 1024;

    // The tree in `text`. Damaged text (cut off, separators missing or out of order) gives
    // what can be read: stray separators are dropped, missing parts are empty.
    static ReferenceTree parse(const QString& text);

    // The file at `path`, decoded as the program's text files are for `language`.
    static ReadResult read(const QString& path, const QString& language);

    // `tree` in the file's layout, as UTF-8. Separator characters inside texts are dropped,
    // since they cannot be written.
    static QByteArray serialize(const ReferenceTree& tree);

    // Writes `tree` to `path`; false with nothing left behind when that fails.
    static bool write(const QString& path, const ReferenceTree& tree);
};

} // namespace Quillorn
