#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace Quillorn {

// One entry of the external-program menu: the program that a document can be handed to.
struct ExternalProgram {
    QString name;        // menu caption
    QString ddeMessage;  // request sent to a listening program; "%1" is the document's path
    QString program;     // application name of the request's socket
    QString programPath; // the program started when nothing listens
    QString division;    // topic of the request's socket

    friend bool operator==(const ExternalProgram&, const ExternalProgram&) = default;
};

// The application settings, loaded once at start and written once at exit.
struct Settings {
    static constexpr int RecentCount = 6;

    // Where the local web server answers when the settings name no other address.
    static QString defaultServerAddress() { return QStringLiteral("http://127.0.0.1/"); }

    QString language;
    qint32 isHttpServer = 0;
    QString pathToHttpd;
    QString serverAddress = defaultServerAddress();
    std::array<QString, RecentCount> recentFiles;
    // Unset when the settings file says nothing of Tidy: it is then looked for at start.
    std::optional<bool> tidyAvailable;
    QStringList plugIns;
    // Element 0 is always empty; real entries are numbered from 1.
    QList<ExternalProgram> externalPrograms{ExternalProgram{}};
    QString phpPath;
    bool openLastSession = false;
    // The editor's switches; a settings file that does not name them leaves these.
    bool codeFolding = true;
    bool highlightMatching = true;
    bool completeClosingTags = true;
    bool addClosingTags = false;
    // Tidy or PHP checks each document after it is saved.
    bool checkAfterSaving = false;

    void addExternalProgram(const ExternalProgram& program) { externalPrograms.append(program); }
};

} // namespace Quillorn
