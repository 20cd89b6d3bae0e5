#pragma once

#include "platform/Settings.h"

#include <QString>
#include <QStringList>

namespace Quillorn {

// The settings as the settings window changes them: a copy of the program's settings, the
// rules its fields follow, and how the copy takes the place of the program's settings on OK.
class SettingsDraft {
public:
    explicit SettingsDraft(const Settings& settings)
        : m_settings(settings)
    {
    }

    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }

    // The languages to choose from: the sub-folders of the program's "languages" folder.
    static QStringList languages(const QString& appDir);

    // Appends `program` to the external programs; false, and nothing added, when one of its
    // five fields is empty.
    bool addExternalProgram(const ExternalProgram& program);
    // Removes external program `index` (real entries are numbered from 1).
    void removeExternalProgram(int index);

    // A folder as the settings keep it: with one trailing "/"; empty stays empty.
    static QString folderPath(const QString& text);
    // A web server's address as the settings keep it: "http://" added when no scheme is given,
    // the default address for an empty text or one that is no http(s) address with a host.
    static QString serverAddress(const QString& text);

    // `edited` takes the place of `live`, except for the recent files, which opening documents
    // may have changed while the window was open.
    static void takeOver(const Settings& edited, Settings& live);

private:
    Settings m_settings;
};

} // namespace Quillorn
