#pragma once

#include "platform/FileFailure.h"
#include "platform/FileReader.h"

#include <QString>

namespace Quillorn {

// The program's own text files (settings, language files, tag lists, reference trees,
// sessions, templates) read and written through the file layer: regular files only, at most
// the caller's cap, decoded and encoded as program text (the language's code page or UTF-8).
class ProgramFile {
public:
    struct Text {
        QString text;
        bool truncated = false; // the file held more than the cap; `text` is its beginning
        FileFailure failure;
        bool ok() const { return failure.ok(); }
    };

    // The file's text, decoded for `language`; its lines keep their ends as written (CR LF
    // or LF, see ProgramText::terminatedLines).
    static Text read(const QString& path, qint64 cap, const QString& language,
                     FileReader::Oversize oversize = FileReader::Oversize::Cut);

    // Replaces the file with `text` (line ends as given) encoded for `language`, checked
    // through to the disk: on failure the old file stays as it was.
    static FileFailure write(const QString& path, const QString& text, const QString& language);
};

} // namespace Quillorn
