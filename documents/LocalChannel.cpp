#include "documents/LocalChannel.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

namespace Quillorn {

namespace {

// A folder that only this user can reach: ours and closed to others.
bool isPrivateFolder(const QByteArray& folder)
{
    struct stat info;
    return ::lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

// Socket paths are limited to 108 bytes by the system.
constexpr qsizetype MaxSocketPath = 100;

} // namespace

QString LocalChannel::runtimeFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        if (!QFileInfo::exists(QFile::decodeName(runtime)))
            ::mkdir(runtime.constData(), 0700);
        if (isPrivateFolder(runtime))
            return QFile::decodeName(runtime);
    }
    const QByteArray own =
        QFile::encodeName(QDir::tempPath()) + "/quillorn-" + QByteArray::number(::getuid());
    ::mkdir(own.constData(), 0700);
    if (isPrivateFolder(own))
        return QFile::decodeName(own);
    return QDir::tempPath();
}

QString LocalChannel::serverName(const QString& application, const QString& topic)
{
    const QByteArray name = QUrl::toPercentEncoding(application.toLower()) + '+' +
                            QUrl::toPercentEncoding(topic.toLower());
    const QString folder = runtimeFolder();
    QString path = folder + QLatin1Char('/') + QString::fromLatin1(name);
    if (QFile::encodeName(path).size() > MaxSocketPath) {
        const QByteArray hash =
            QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(16);
        path = folder + QLatin1Char('/') + QString::fromLatin1(hash);
        if (QFile::encodeName(path).size() > MaxSocketPath)
            path = QDir::tempPath() + QLatin1String("/quillorn-") + QString::number(::getuid()) +
                   QLatin1Char('-') + QString::fromLatin1(hash);
    }
    return path;
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
