#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillorn {

// The plug-ins a user can turn on and off: the files of the program's plug-ins folder that are
// plug-ins (libraries of this interface, executable programs), beside the files that the
// settings' "plugin" lines name, there or not.
class PluginCatalog {
public:
    struct Entry {
        QString file;         // below the plug-ins folder
        bool on = false;      // a "plugin" line names it
        bool missing = false; // a line names it, but the folder does not hold it
    };

    // The entries for the program folder `appDir` (with its trailing "/") and the values of
    // the "plugin" lines `lines`, by file name.
    static QList<Entry> entries(const QString& appDir, const QStringList& lines);

    // `lines` after `entries` were turned on and off: the lines of a file turned off go, a file
    // turned on that no line names gets one at the end, named after the file; every other line
    // stays as it is, where it is.
    static QStringList apply(const QStringList& lines, const QList<Entry>& entries);
};

} // namespace Quillorn
