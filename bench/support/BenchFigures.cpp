#include "bench/support/BenchFigures.h"

#include <QFile>

namespace Quillorn::Bench {

QByteArray generateDocument(qint64 size)
{
    QByteArray text;
    text.reserve(size + 4096);
    text += "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<title>Generated</title>\r\n";
    qint64 n = 0;
    while (text.size() < size) {
        const QByteArray i = QByteArray::number(n++);
        text += "<style type=\"text/css\">\r\n  .item" + i + " { color: #336699; margin: 0 " + i +
                "px; }\r\n  /* block comment */\r\n</style>\r\n"
                "<script type=\"text/javascript\">\r\n  function show" +
                i + "(value) {\r\n    var total = value * " + i +
                ";\r\n    return \"item \" + total; // note\r\n  }\r\n</script>\r\n"
                "<div class=\"item" +
                i + "\">\r\n  <p>Paragraph " + i + " with <b>bold</b> &amp; <a href=\"page" + i +
                ".html\">a link</a>.</p>\r\n"
                "  <?php\r\n    $count = " +
                i +
                ";\r\n    if ($count > 10) { echo \"<span>\" . htmlspecialchars($name) . "
                "\"</span>\"; }\r\n  ?>\r\n</div>\r\n";
    }
    return text;
}

double msSince(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace Quillorn::Bench
