#pragma once

#include <QByteArray>

namespace Quillorn {

// Finds the character set a document names for itself near its start: an XML declaration's
// encoding, a CSS @charset rule, or a <meta> tag (charset="..." or the content-type
// content="text/html; charset=...").
class CharsetDeclaration {
public:
    // Only the head of a document is looked at, as browsers do.
    static constexpr qsizetype ScanBytes = 4096;

    // The name as written (without quotes or blanks), or an empty array when the head names
    // no character set.
    static QByteArray find(const QByteArray& bytes);
};

} // namespace Quillorn
