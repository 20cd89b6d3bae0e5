#pragma once

#include <QByteArray>
#include <QString>

namespace Quillorn {

// The local-socket requests that stand in for the desktop's execute requests between
// programs: a server is named from an application and a topic, per user; a request is one
// text in UTF-8 ended by a NUL byte, and the server acknowledges it with "OK\n".
class LocalChannel {
public:
    static constexpr char Terminator = '\0';
    static QByteArray acknowledgement() { return QByteArrayLiteral("OK\n"); }
    // A request longer than this is not one (a path is at most a few kilobytes).
    static constexpr qsizetype MaxRequestBytes = 64 * 1024;

    // The user's own folder for sockets: the XDG runtime folder, or else a folder of ours in
    // the temporary folder, made with mode 0700 and used only while it is ours, private and
    // not a link. Empty when neither can be trusted.
    static QString runtimeFolder();

    // Full path of the socket of `application` and `topic`, compared without regard to case
    // as the names of the desktop's execute requests are. Empty when there is no folder to
    // trust: then nothing is sent or taken.
    static QString serverName(const QString& application, const QString& topic);

    static QByteArray frame(const QString& request);

    enum class Outcome {
        Delivered,  // the server acknowledged the request
        NoListener, // nobody listens on that name (or a crashed server left its socket)
        NoAnswer,   // a server took the connection but did not acknowledge in time
    };

    // Sends `request` to `serverName` and waits for the acknowledgement, `timeoutMs` at most
    // for the whole exchange.
    static Outcome send(const QString& serverName, const QString& request, int timeoutMs);
};

} // namespace Quillorn
