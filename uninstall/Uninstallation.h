#pragma once

#include "setup/core/SetupPlaces.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

namespace Quillorn {

// Removes an installation by its log: each logged file, one at a time with its line for the
// list; then the files the programs write as they run, the folders left empty, the menu
// folder and, when nothing else is left in it, the installation folder. Only what lies inside
// the installation folder named on the log's first line (links and ".." resolved) and the
// installer's own desktop entries are removed: a log edited to name other files cannot remove
// them, and files the user added keep their folders.
class Uninstallation {
public:
    struct Removal {
        QString line; // "Deleted " or "Can't delete " and the logged path
        int bar = 0;  // the progress, 100 at the last logged file
        bool removed = false;
    };

    Uninstallation(const QByteArray& log, SetupPlaces places);

    // Whether the log names an installation folder; without one nothing is removed.
    bool hasFolder() const { return !m_folder.isEmpty(); }
    // Whether the log's installation folder is `folder`: the uninstaller's own folder.
    bool belongsTo(const QString& folder) const;

    bool atEnd() const { return m_next >= m_files.size(); }

    // Deletes the next logged file.
    Removal removeNext();
    // What is left once every logged file has been dealt with: the run-time files and the
    // folders, each only when it is empty, the installation folder last.
    void removeRest();

private:
    // Where `path` really is when it lies inside the installation folder: its folder resolved,
    // its own name kept (a link is removed, not followed). Empty for a path outside.
    QString inside(const QString& path) const;
    void keepFoldersOf(const QString& resolvedPath);

    SetupPlaces m_places;
    QString m_folder;     // as the log names it
    QString m_realFolder; // resolved; empty when there is no such folder
    QStringList m_files;
    qsizetype m_next = 0;
    QSet<QString> m_folders; // resolved folders that held logged files
};

} // namespace Quillorn
