#pragma once

#include "platform/Settings.h"

#include <QList>
#include <QString>

#include <array>

namespace Quillorn {

// The recent-files list of the settings: six paths, the newest first, and the menu entries
// shown for them.
class RecentFiles {
public:
    using List = std::array<QString, Settings::RecentCount>;

    struct Entry {
        int index;       // slot of the list, the number of the menu entry
        QString caption; // the file name, without its folder
        QString path;
    };

    explicit RecentFiles(List& files)
        : m_files(files)
    {
    }

    // Puts `path` first and moves the others down one, the last falling off. A path already
    // in the list is not looked for: opening a file twice gives it two entries.
    void addToRecent(const QString& path);

    // The entries shown, from the first slot up to the first empty one.
    QList<Entry> menuEntries() const;

private:
    List& m_files;
};

} // namespace Quillorn
