#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillorn {

struct Settings;

// Finds the web browsers installed on this system at start and adds each one the settings do
// not list yet to the external programs, so that a document can be handed to it.
class BrowserDetection {
public:
    struct Browser {
        QString name;            // menu caption
        QString program;         // application name of the request's socket; also what matches
        QStringList executables; // the names it is installed under, looked for on the PATH
    };

    // The browsers looked for, in the order they are added.
    static const QList<Browser>& browsers();

    // Appends every browser found whose `program` no entry of `settings` has yet, with the
    // full path of its executable; entries already there stay as they are. Returns how many
    // were added.
    static int detect(Settings& settings);
};

} // namespace Quillorn
