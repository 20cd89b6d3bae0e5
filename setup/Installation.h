#pragma once

#include "platform/FileHandle.h"
#include "platform/FileMapping.h"
#include "setup/PayloadReader.h"
#include "setup/SetupPlaces.h"
#include "setup/SetupStrings.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>

namespace Quillorn {

// One installation into a chosen folder, carried out step by step as the setup window shows
// it: the folders, the unpacking, each file with its line in the log, the settings file, the
// desktop entries and the record of the folder. Each step tells its progress and the pause the
// window makes after it. Nothing is written before the whole payload has been read and
// checked, and the first step that fails stops the installation with its reason.
class Installation : public QObject {
    Q_OBJECT

public:
    struct Choice {
        QString folder; // the installation folder; made absolute, with a trailing "/"
        SetupLanguage language = SetupLanguage::English;
        bool desktopIcon = true;
    };

    struct Step {
        bool done = false; // the last step has run
        int pauseMs = 0;   // the pause after this step in the window
        QString error;     // why the step failed; no step follows
    };

    Installation(const Choice& choice, SetupPlaces places, QObject* parent = nullptr);

    // Reads the installer's own file and checks its payload. Empty when the installation can
    // start, else the message for the user.
    QString prepare(const QString& installerPath);

    // Carries out the next step; `prepare` has succeeded.
    Step next();

    // Every step at once, without pauses: empty, or the message of the step that failed.
    QString runToEnd();

Q_SIGNALS:
    // The bar's value (0 to 100) and the action shown above it.
    void progressed(int bar, const QString& action);

private:
    void show(int bar, const QString& action);
    Step failed(const QString& path, int error) const;
    // Makes `folder` and the folders above it: 0, or the errno of the failure.
    int makeFolder(const QString& folder);
    // Writes the next file of the payload.
    Step writeFile(int index);
    // The settings file, the desktop entries, the end of the log and the record.
    Step finish();
    int logLine(const QString& path) const;
    int writeEntry(const QString& path, const QByteArray& text, bool desktop);

    SetupStrings m_strings;
    QString m_folder;
    bool m_desktopIcon;
    SetupPlaces m_places;
    FileMapping m_installer; // the installer's own file, which the payload's views point into
    PayloadReader::Result m_payload;
    FileHandle m_log;
    QSet<QString> m_madeFolders;
    int m_next = 0;
    int m_bar = 0;
    QString m_action;
};

} // namespace Quillorn
