#pragma once

#include <QByteArray>

namespace Quillorn {

// How a document's bytes stand for its text: found when the file is opened and used again
// when it is saved, so that an unchanged document is written back byte for byte.
struct Encoding {
    enum class Form {
        Utf8,       // the file's bytes go to the editor as they are (also when not valid UTF-8)
        SingleByte, // an 8-bit code page, one byte per character
        Utf16LE,
        Utf16BE,
        Utf32LE,
        Utf32BE,
        Converter, // any other character set the system converters know (Shift_JIS, GBK, ...)
    };

    // What decided the encoding.
    enum class Source {
        ByteOrderMark,
        Declaration, // <meta charset>, the content-type meta, an XML declaration, CSS @charset
        Utf8,        // the bytes are (nearly all) valid UTF-8
        Language,    // the code page of the interface language
        Kept,        // the declared or marked encoding could not give the bytes back exactly,
                     // so they are kept as they are
        New,         // a document that has no file yet
    };

    Form form = Form::Utf8;
    QByteArray name = QByteArrayLiteral("UTF-8"); // the character set's name
    bool byteOrderMark = false;
    Source source = Source::New;
    // The character set the text itself named when it was opened or last saved, in the form
    // the converters use; empty when it named none.
    QByteArray declared;

    friend bool operator==(const Encoding&, const Encoding&) = default;
};

} // namespace Quillorn
