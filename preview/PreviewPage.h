#pragma once

#include "platform/Settings.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace Quillorn {

// Decides where the temporary copy of a document that the browser view loads is written, and
// the address of that page, read from disk or through the local web server.
class PreviewPage {
public:
    enum class Mode { Disk, Server };

    // `serverFolder` is the server's document folder (with or without a trailing "/"),
    // `address` where the server answers; both matter in server mode only.
    explicit PreviewPage(Mode mode, const QString& serverFolder = {},
                         const QString& address = Settings::defaultServerAddress());
    // The mode, server folder and server address the settings choose.
    static PreviewPage fromSettings(const Settings& settings);

    Mode mode() const { return m_mode; }

    // The folder for the temporary copy the document at `documentPath` (empty for a document
    // without a file) is shown from: its own folder, so that its relative links and includes
    // work, where it has a file (in server mode, one inside the server folder); else the user's
    // temporary folder, or in server mode the server folder, so that the server can hand the
    // copy out.
    QString copyFolder(const QString& documentPath = {}) const;

    // The address of the page at `pagePath` (a copy, or any file): a file URL, or
    // the server's address followed by the path below the server folder. Empty in server mode
    // for a page outside that folder.
    QUrl url(const QString& pagePath) const;

private:
    // `path` relative to the server folder, or nothing when it does not lie inside it.
    std::optional<QString> belowServerFolder(const QString& path) const;

    Mode m_mode;
    QString m_serverFolder; // cleaned, without a trailing "/" (except for the root itself)
    QString m_address;      // with a trailing "/"
};

} // namespace Quillorn
