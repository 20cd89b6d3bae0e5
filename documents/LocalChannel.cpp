#include "documents/LocalChannel.h"

#include "platform/TempFiles.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QUrl>

#include <unistd.h>

namespace Quillorn {

namespace {

// The XDG runtime folder (made when it is named but missing), when it is private; else empty.
QString xdgRuntimeFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        return {};
    return TempFiles::privateFolder(QFile::decodeName(runtime), false);
}

// Our folder in the shared temporary folder. Anyone may create a name there first, so it is
// used only when it is ours, private and not a link; empty otherwise.
QString privateTempFolder()
{
    return TempFiles::privateFolder(
        QDir::tempPath() + QLatin1String("/quillorn-") + QString::number(::getuid()), false);
}

// Socket paths are limited to 108 bytes by the system.
constexpr qsizetype MaxSocketPath = 100;

// The socket `name` in `folder`, shortened to a hash when the path would be too long; empty
// when even that does not fit.
QString socketPath(const QString& folder, const QByteArray& name)
{
    const QString path = folder + QLatin1Char('/') + QString::fromLatin1(name);
    if (QFile::encodeName(path).size() <= MaxSocketPath)
        return path;
    const QString hashed =
        folder + QLatin1Char('/') +
        QString::fromLatin1(
            QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(16));
    return QFile::encodeName(hashed).size() <= MaxSocketPath ? hashed : QString();
}

} // namespace

QString LocalChannel::runtimeFolder()
{
    const QString runtime = xdgRuntimeFolder();
    return runtime.isEmpty() ? privateTempFolder() : runtime;
}

QString LocalChannel::serverName(const QString& application, const QString& topic)
{
    const QByteArray name = QUrl::toPercentEncoding(application.toLower()) + '+' +
                            QUrl::toPercentEncoding(topic.toLower());
    if (const QString runtime = xdgRuntimeFolder(); !runtime.isEmpty()) {
        if (const QString path = socketPath(runtime, name); !path.isEmpty())
            return path;
    }
    if (const QString own = privateTempFolder(); !own.isEmpty())
        return socketPath(own, name);
    return {};
}

QByteArray LocalChannel::frame(const QString& request)
{
    QByteArray bytes = request.toUtf8();
    bytes.append(Terminator);
    return bytes;
}

LocalChannel::Outcome LocalChannel::send(const QString& serverName, const QString& request,
                                         int timeoutMs)
{
    if (serverName.isEmpty())
        return Outcome::NoListener;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return Outcome::NoListener;
    socket.write(frame(request));
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (socket.bytesToWrite() > 0)
            socket.waitForBytesWritten(int(deadline.remainingTime()));
        if (deadline.hasExpired())
            break;
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
        answer += socket.readAll();
    }
    answer += socket.readAll();
    socket.abort();
    return answer.startsWith(acknowledgement()) ? Outcome::Delivered : Outcome::NoAnswer;
}

} // namespace Quillorn
