#include "setup/PayloadReader.h"

#include "setup/PayloadFormat.h"

namespace Quillorn {

PayloadReader::Result PayloadReader::read(QByteArrayView program)
{
    Result result;
    const QByteArray marker = PayloadFormat::marker();
    // The piece after the last marker. Searched forwards: the marker is near the start, behind
    // the program, and a backward search through the whole payload takes many times longer.
    qsizetype markerAt = -1;
    for (qsizetype at = program.indexOf(marker); at >= 0;
         at = program.indexOf(marker, at + marker.size()))
        markerAt = at;
    if (markerAt < 0) {
        result.failure = Failure::Damaged;
        return result;
    }
    const QByteArrayView payload = program.sliced(markerAt + marker.size());

    // The pieces between separators: the list first, then the files, then the tail.
    const QByteArray separator = PayloadFormat::separator();
    QList<QByteArrayView> pieces;
    qsizetype from = 0;
    for (qsizetype at = payload.indexOf(separator); at >= 0;
         at = payload.indexOf(separator, from)) {
        pieces.append(payload.sliced(from, at - from));
        from = at + separator.size();
    }
    // A payload cut short has lost its last separator, and so the pairing of names and files.
    if (pieces.isEmpty()) {
        result.failure = Failure::Damaged;
        return result;
    }
    const QByteArrayView list = pieces.takeFirst();
    if (!list.isEmpty() && !list.endsWith(PayloadFormat::NameEnd)) {
        result.failure = Failure::Damaged;
        return result;
    }
    QList<QByteArrayView> names;
    for (qsizetype start = 0; start < list.size();) {
        const qsizetype end = list.indexOf(PayloadFormat::NameEnd, start);
        names.append(list.sliced(start, end - start));
        start = end + 1;
    }
    if (names.size() != pieces.size()) {
        result.failure = Failure::Damaged;
        return result;
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!PayloadFormat::isSafeName(names.at(i))) {
            result.failure = Failure::UnsafeName;
            result.badName = QString::fromUtf8(names.at(i));
            result.files.clear();
            return result;
        }
        result.files.append({PayloadFormat::pathOf(names.at(i)), pieces.at(i)});
    }
    return result;
}

} // namespace Quillorn
