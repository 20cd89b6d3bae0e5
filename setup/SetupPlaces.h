#pragma once

#include <QString>
#include <QStringList>

namespace Quillorn {

// Where the installer writes outside the installation folder, taken from the user's XDG
// folders: the program's entry on the desktop, the menu folder with the program, web-site
// and uninstaller entries, the record of the last installation folder; and the folder it
// proposes. The uninstaller removes no other entries than these.
class SetupPlaces {
public:
    // The places of the user running the program now.
    static SetupPlaces current();

    QString desktopEntry() const { return m_desktopFolder + QStringLiteral("/Quillorn.desktop"); }
    const QString& menuFolder() const { return m_menuFolder; }
    // The entries of the menu folder: the program, the web site, the uninstaller.
    QString programEntry() const { return m_menuFolder + QStringLiteral("/Quillorn.desktop"); }
    QString webSiteEntry() const
    {
        return m_menuFolder + QStringLiteral("/Quillorn-website.desktop");
    }
    QString uninstallEntry() const
    {
        return m_menuFolder + QStringLiteral("/Quillorn-uninstall.desktop");
    }
    QStringList entries() const
    {
        return {desktopEntry(), programEntry(), webSiteEntry(), uninstallEntry()};
    }

    // The one-line record of the last installation folder.
    const QString& record() const { return m_record; }
    // The folder named on the record's first line, or else the default folder (with a trailing
    // "/").
    QString proposedFolder() const;

private:
    QString m_desktopFolder;
    QString m_menuFolder;
    QString m_record;
    QString m_defaultFolder;
};

} // namespace Quillorn
