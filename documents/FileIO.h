#pragma once

#include "platform/FileFailure.h"
#include "platform/FileReader.h"

#include <QByteArray>
#include <QString>

namespace Quillorn {

class LangStrings;

// The documents' side of the file layer: a document's bytes read whole, the question asked
// before a very large one is loaded, the program's lists (sessions, projects, templates) as
// text with CR LF line ends, and the checked save. Failures are values the caller describes
// in the interface language.
class FileIO {
public:
    using ReadResult = FileReader::Result;
    using WriteResult = FileFailure;

    // Files larger than this are asked about before they are loaded; no list or template of
    // the program's is larger.
    static constexpr qint64 AskAboveBytes = 200LL * 1024 * 1024;

    // All bytes of a regular file. Folders, devices and pipes are refused (reading one could
    // block or never end).
    static ReadResult readWholeFile(const QString& path);
    // The same for a file a folder listing has just given as a regular file (links followed).
    static ReadResult readListedFile(const QString& path);

    // The size of the file at `path`, or -1 when it is not a readable regular file.
    static qint64 fileSize(const QString& path);
    static bool needsSizeQuestion(qint64 size) { return size > AskAboveBytes; }
    // The question asked before a file of `size` bytes is loaded.
    static QString sizeQuestion(const LangStrings& strings, const QString& path, qint64 size);

    // A text file of the program's own (a template), its lines (ended by CR LF or LF) joined
    // with CR LF, no CR LF after the last; decoded for `language`. Empty when unreadable.
    static QString readTextFile(const QString& path, const QString& language);

    // Writes `text` as it is (line ends kept) in the program's text encoding for `language`;
    // with `append`, after what the file already holds. On failure the old file is kept.
    static WriteResult writeTextFile(const QString& path, const QString& text, bool append,
                                     const QString& language);

    // Replaces the file at `path` with `bytes`, keeping its links, owner and mode; a link is
    // written through to the file it points at. On failure the old file is untouched.
    static WriteResult saveFile(const QString& path, const QByteArray& bytes);
};

} // namespace Quillorn
