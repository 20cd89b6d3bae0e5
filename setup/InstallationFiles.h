#pragma once

#include <QString>
#include <QStringList>

namespace Quillorn {

// The names the installer, its payload writer and the uninstaller agree on: the programs, the
// log, the settings file, and the files the programs write as they run, which no installer
// carries and every uninstaller removes.
class InstallationFiles {
public:
    static QString editor() { return QStringLiteral("quillorn"); }
    static QString uninstaller() { return QStringLiteral("uninstall"); }
    static QString installer() { return QStringLiteral("quillsetup"); }
    static QString log() { return QStringLiteral("install.log"); }
    // The editor's settings file, as the editor names it.
    static QString settings() { return QStringLiteral("settings.dat"); }
    // The picture of the desktop entries.
    static QString icon() { return QStringLiteral("icons/quillorn.svg"); }

    // Below the installation folder, folders joined by "/": the settings, the last session,
    // the log, the work files of the Tidy plug-in.
    static QStringList runTimeFiles();
};

} // namespace Quillorn
