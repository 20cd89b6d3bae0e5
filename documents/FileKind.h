#pragma once

#include "platform/Str.h"

#include <QString>
#include <QStringList>

namespace Quillorn {

// What a file is, told by its name alone: the kind decides the tab picture, the Save As
// filter and whether the file is a list of documents (a session or project).
class FileKind {
public:
    enum class Kind { Html, JavaScript, Css, Php, Other };

    // The text from the last "." of the file name on (".html"), empty when the name has none.
    // A "." in a folder name does not count.
    static QString extension(const QString& path);

    // The kind of `path`, its extension compared exactly: "page.HTML" is not an HTML page.
    static Kind kindOf(const QString& path);
    static Kind kindOfExtension(const QString& extension);

    // Whether `path` names a session or project file: its last four characters, lower-cased,
    // are ".qlp".
    static bool isProjectFile(const QString& path);

    // The extensions of a kind, first the one new documents get (".html", ".htm").
    static QStringList extensions(Kind kind);

    // The kind's name in the file dialogs ("HTML page" .. "All files").
    static Str dialogName(Kind kind);

    // File name of the kind's picture in the program's icons/ folder; empty for other kinds,
    // whose picture is the desktop's icon for the file.
    static QString iconFileName(Kind kind);

    // Full path of the kind's picture below `appDir`, empty for other kinds.
    static QString iconPath(Kind kind, const QString& appDir);
};

} // namespace Quillorn
