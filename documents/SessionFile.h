#pragma once

#include "documents/FileIO.h"

#include <QString>
#include <QStringList>

namespace Quillorn {

// Session and project files (".qlp"): one document path per line, CR LF between lines and
// none after the last. A session lists the open documents in slot order, a document without
// a file as an empty line; a project lists the documents the user chose.
class SessionFile {
public:
    // More than this is not a list of documents: only ten can be open at once.
    static constexpr int MaxLines = 1000;
    static constexpr qint64 MaxBytes = 1024 * 1024;
    static constexpr int MaxPathLength = 4096;
    // How deep lists may name further lists.
    static constexpr int MaxNesting = 8;
    // How many lists one expansion reads at most.
    static constexpr int MaxLists = 64;

    // `paths` joined with CR LF; an empty last path is followed by one more CR LF.
    static QString compose(const QStringList& paths);

    // Writes `paths` to `path` (replacing it).
    static FileIO::WriteResult write(const QString& path, const QStringList& paths,
                                     const QString& language);

    // Adds `documentPath` as the last line of the project `projectPath`.
    static FileIO::WriteResult appendEntry(const QString& projectPath, const QString& documentPath,
                                           const QString& language);

    struct Listing {
        QStringList lines; // in order; an empty line stands for a document without a file
        bool readable = false;
        bool truncated = false; // more than MaxLines lines or MaxBytes bytes
        int skipped = 0;        // lines that cannot be paths (control bytes, far too long)
    };

    // The lines of a list file, ended by CR LF or LF; a line end after the last line starts
    // no further line.
    static Listing read(const QString& path, const QString& language);

    struct Expansion {
        QStringList documents; // every document to open, in order, lists expanded in place
        QStringList loops;     // lists not opened again because they were already being read
        bool readable = false; // the list itself could be read
        bool truncated = false;
        int skipped = 0;
        int listsRead = 0;
    };

    // The documents a list names, taking lists named in it in their place. A list that names
    // itself, or one that names it back, is read only once, so opening it always ends.
    static Expansion expand(const QString& path, const QString& language);
};

} // namespace Quillorn
