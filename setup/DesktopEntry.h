#pragma once

#include <QByteArray>
#include <QString>

namespace Quillorn {

// The text of a desktop entry, this desktop's shortcut: a program to start in a working
// folder, or an address to open, under a name in English and in Russian.
class DesktopEntry {
public:
    struct Names {
        QString english;
        QString russian;
    };

    static QByteArray application(const Names& names, const QString& program, const QString& icon,
                                  const QString& workingFolder);
    static QByteArray link(const Names& names, const QString& url, const QString& icon);

    // `path` as the program of an Exec line: quoted, with what the quotes and the field codes
    // would take for their own escaped.
    static QString execArgument(const QString& path);
};

} // namespace Quillorn
