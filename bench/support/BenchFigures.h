#pragma once

#include <QByteArray>
#include <QElapsedTimer>

namespace Quillorn::Bench {

// A page of HTML with PHP, JavaScript and CSS of about `size` bytes, CR LF line ends, its
// blocks repeated with numbers that change so that the text is not one block copied over.
QByteArray generateDocument(qint64 size);

// Milliseconds since `timer` started, with fractions.
double msSince(const QElapsedTimer& timer);

// Resident memory of this process in KiB, -1 when it cannot be read.
qint64 residentKiB();

} // namespace Quillorn::Bench
