#pragma once

#include "platform/FileFailure.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace Quillorn {

// Lets the desktop open web pages and project files with this copy of the editor, the
// freedesktop way: a desktop entry naming the program and its MIME types, the program's place
// in mimeapps.list, and a MIME type of its own for project files.
class FileAssociations {
public:
    static QString desktopFileName() { return QStringLiteral("quillorn.desktop"); }
    static QString projectMimeType() { return QStringLiteral("application/x-quillorn-project"); }

    // The program's icons are found below `appDir`; `programPath` is what the desktop starts.
    explicit FileAssociations(QString appDir,
                              QString programPath = QCoreApplication::applicationFilePath());

    // The extensions the settings window offers, in its order.
    static const QStringList& offeredExtensions();
    // The MIME types of `extension` (".html", any case); empty for one the editor does not
    // associate.
    static QStringList mimeTypes(const QString& extension);

    // Makes this program open files with `extension` (`enable`), or no longer, either as their
    // default application (`asDefault`) or as one more program to open them with. Only this
    // program's own entries change; other programs' lines stay as they were. The failure when
    // the desktop's files could not be read or written.
    FileFailure setAssociation(const QString& extension, bool enable, bool asDefault);

    // True when the desktop entry starts exactly this program (not another copy) for every
    // MIME type of `extension`, as the default application or as one more, as `asDefault` says.
    bool isAssociated(const QString& extension, bool asDefault) const;

    // The project files' own MIME type with its icon, and this program as their default
    // application; `comment` names the type in the interface language.
    FileFailure registerProjectType(const QString& comment);

    // Brings the desktop's caches up to date after changes made so far: update-desktop-database
    // and update-mime-database, when they are installed, started in the background.
    void refreshDatabases();

    // The desktop entry's Exec value: the program's path, quoted where it needs to be, and the
    // files to open.
    QString execLine() const;

    // Where the files go: the XDG data and config homes.
    static QString desktopEntryPath();
    static QString mimeAppsPath();
    static QString mimeFolder();

private:
    // The text of the file at `path`; empty for a file that is not there.
    struct Text {
        QString text;
        FileFailure failure;
    };
    static Text readText(const QString& path);
    // Writes `bytes` to `path` unless it already holds them; `changed` is set when it did.
    static FileFailure writeIfChanged(const QString& path, const QByteArray& bytes,
                                      bool* changed = nullptr);

    QString desktopEntry(const QStringList& mimeTypes) const;

    QString m_appDir;
    QString m_programPath;
    bool m_entryChanged = false;
    bool m_mimeChanged = false;
};

} // namespace Quillorn
