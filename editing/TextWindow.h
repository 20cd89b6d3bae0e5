#pragma once

#include <QByteArrayView>

class QsciScintillaBase;

namespace Quillorn {

// A piece of the document shown, read in place without a copy: the bytes from `from` up to
// `from + text.size()`.
struct TextWindow {
    qint64 from = 0;
    QByteArrayView text;

    // The bytes between `from` and `to`, both kept inside the document. Valid until the next
    // change of the text.
    static TextWindow read(const QsciScintillaBase& view, qint64 from, qint64 to);
};

} // namespace Quillorn
