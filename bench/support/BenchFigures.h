#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>

namespace Quillorn::Bench {

// A page of HTML with PHP, JavaScript and CSS of about `size` bytes, CR LF line ends, its
// blocks repeated with numbers that change so that the text is not one block copied over.
QByteArray generateDocument(qint64 size);

// Milliseconds since `timer` started, with fractions.
double msSince(const QElapsedTimer& timer);

// Milliseconds from calling `start` until `sender` emits `signal`, waited for in an event loop.
template <typename Sender, typename Signal, typename Start>
double timeUntil(Sender* sender, Signal signal, Start start)
{
    QEventLoop loop;
    const QMetaObject::Connection connection =
        QObject::connect(sender, signal, &loop, [&loop] { loop.quit(); });
    QElapsedTimer timer;
    timer.start();
    start();
    loop.exec();
    QObject::disconnect(connection);
    return msSince(timer);
}

// Resident memory of this process in KiB, -1 when it cannot be read.
qint64 residentKiB();

} // namespace Quillorn::Bench
