#pragma once

#include "documents/Encoding.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace Quillorn {

class LangStrings;

// Turns a file's bytes into the UTF-8 the editor holds, and back. The encoding is found in
// this order: a byte-order mark, a character set the text declares, valid UTF-8, the code page
// of the interface language. Whatever a file holds, opening it and saving it unchanged gives
// back the same bytes.
class DocumentCodec {
public:
    struct Decoded {
        QByteArray utf8; // for the editor; invalid UTF-8 only when the file's bytes are kept
        Encoding encoding;
    };

    struct Encoded {
        QByteArray bytes;
        // Characters the encoding cannot hold (U+FFFD for bytes that are not UTF-8), each
        // once; `bytes` are not to be written while any are listed.
        QList<char32_t> unencodable;
        bool ok() const { return unencodable.isEmpty(); }
    };

    // The encoding of `bytes` for an interface in `language` (its code page is the last resort).
    static Encoding detect(const QByteArray& bytes, const QString& language);

    // `bytes` read with the detected encoding. UTF-8 files are handed on without a copy.
    static Decoded decode(const QByteArray& bytes, const QString& language);

    // `bytes` read as `encoding` (for example a file reopened in another encoding). When the
    // encoding cannot give the bytes back exactly, they are kept as they are (source Kept).
    static Decoded decodeAs(const QByteArray& bytes, const Encoding& encoding);

    // The editor's bytes written in `encoding`, with its byte-order mark when it has one.
    static Encoded encode(const QByteArray& utf8, const Encoding& encoding);

    // The encoding to save with: the one the document was opened with, unless the text now
    // declares another character set than it did then (the user edited the <meta> tag).
    static Encoding encodingForSave(const QByteArray& utf8, const Encoding& opened);

    // The encoding of a new document holding `utf8` (from a template): the character set it
    // declares, or UTF-8.
    static Encoding encodingForNew(const QByteArray& utf8);

    // UTF-8 without a byte-order mark, for a document whose characters its own encoding cannot
    // hold; `utf8` is its text once every charset declaration in it names UTF-8.
    static Encoding utf8Instead(const QByteArray& utf8);

    // The name a document's charset declarations get when it is saved as UTF-8.
    static QByteArray utf8DeclarationName() { return QByteArrayLiteral("UTF-8"); }

    // The encoding a character set name stands for (aliases as browsers read them:
    // "iso-8859-1" and "us-ascii" are windows-1252); nothing for names the converters do not
    // know and for UTF-16 and UTF-32, which a text readable as ASCII cannot be in.
    static std::optional<Encoding> forCharset(const QByteArray& name);

    // The question asked before a document is written as UTF-8 because `encoding` cannot
    // hold `characters`.
    static QString utf8InsteadQuestion(const Encoding& encoding, const QList<char32_t>& characters,
                                       const LangStrings& strings);
};

} // namespace Quillorn
