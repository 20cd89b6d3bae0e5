#pragma once

#include <QByteArray>
#include <QString>

namespace Quillorn {

// Reading and writing files: documents as bytes, the program's own lists (sessions, projects,
// templates) as text with CR LF line ends. Saving is atomic: the target is either the old
// file or the whole new one, never half written.
class FileIO {
public:
    enum class Failure { None, Missing, Folder, NotRegularFile, Unreadable, Unwritable };

    struct ReadResult {
        QByteArray bytes;
        Failure failure = Failure::None;
        QString error; // for the user, naming the file
        bool ok() const { return failure == Failure::None; }
    };

    struct WriteResult {
        Failure failure = Failure::None;
        QString error;
        bool ok() const { return failure == Failure::None; }
    };

    // Files larger than this are asked about before they are loaded.
    static constexpr qint64 AskAboveBytes = 200LL * 1024 * 1024;

    // All bytes of a regular file. Folders, devices and pipes are refused without being
    // opened (reading one could block or never end).
    static ReadResult readWholeFile(const QString& path);

    // The size of the file at `path`, or -1 when it is not a readable regular file.
    static qint64 fileSize(const QString& path);
    static bool needsSizeQuestion(qint64 size) { return size > AskAboveBytes; }
    // The question asked before a file of `size` bytes is loaded.
    static QString sizeQuestion(const QString& path, qint64 size);

    // A text file of the program's own (a template), its lines (ended by CR LF or LF) joined
    // with CR LF, no CR LF after the last; decoded for `language`. Empty when unreadable.
    static QString readTextFile(const QString& path, const QString& language);

    // Writes `text` as it is (line ends kept) in the program's text encoding for `language`;
    // with `append`, after what the file already holds. The write is atomic.
    static WriteResult writeTextFile(const QString& path, const QString& text, bool append,
                                     const QString& language);

    // Replaces the file at `path` with `bytes`: written to a new file beside it, flushed to
    // the disk and renamed over it, with the old file's permissions. A link is written through
    // to the file it points at. On failure the old file is untouched and the error says why.
    static WriteResult saveFile(const QString& path, const QByteArray& bytes);
};

} // namespace Quillorn
