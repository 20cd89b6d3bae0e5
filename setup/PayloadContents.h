#pragma once

#include <QString>
#include <QStringList>

namespace Quillorn {

// Which files of the program folder the build lays out go into the installer: every file in
// it and below it (plug-ins added later included), but the installer itself, hidden files and
// the files the programs write as they run.
class PayloadContents {
public:
    struct Result {
        QStringList paths; // below the program folder, folders joined by "/", sorted
        QString error;     // a program missing from the folder
        bool ok() const { return error.isEmpty(); }
    };

    static Result list(const QString& programFolder);
};

} // namespace Quillorn
