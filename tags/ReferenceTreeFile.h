#pragma once

#include "platform/FileFailure.h"
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
        // Why the file could not be read, if it could not.
        FileFailure failure;
        bool ok() const { return failure.ok(); }
    };

    // Files larger than this are refused: a reference tree is a few hundred kilobytes.
    static constexpr qint64 maximumSize = 32 * 1024 * 1024;

    // The tree in `text`. Damaged text (cut off, separators missing or out of order) gives
    // what can be read: stray separators are dropped, missing parts are empty.
    static ReferenceTree parse(const QString& text);

    // The file at `path`, decoded as the program's text files are for `language`; a file
    // that is no regular file or is larger than maximumSize is refused.
    static ReadResult read(const QString& path, const QString& language);
};

} // namespace Quillorn
