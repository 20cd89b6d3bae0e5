#pragma once

#include <QByteArray>
#include <QList>

namespace Quillorn {

// Finds the character set a document names for itself near its start: an XML declaration's
// encoding, a CSS @charset rule, or a <meta> tag (charset="..." or the content-type
// content="text/html; charset=...").
class CharsetDeclaration {
public:
    // Only the head of a document is looked at, as browsers do.
    static constexpr qsizetype ScanBytes = 4096;

    // Where a declaration writes its character set's name: `length` bytes from `offset`.
    struct Place {
        qsizetype offset = 0;
        qsizetype length = 0;
    };

    // The name as written (without quotes or blanks), or an empty array when the head names
    // no character set. The first declaration counts: the XML declaration, then @charset,
    // then the first <meta> that names one.
    static QByteArray find(const QByteArray& bytes);

    // Every place in the head where a declaration names a character set, in text order.
    static QList<Place> places(const QByteArray& bytes);
};

} // namespace Quillorn
