#pragma once

#include <QByteArray>

namespace Quillorn {

// UTF-8 scanning for whole documents: validity without building a QString (which would
// replace invalid bytes and double the memory), and code point decoding for the encoders.
class Utf8Text {
public:
    // Whether `bytes` are valid UTF-8 throughout (no overlong forms, surrogates or values
    // above U+10FFFF).
    static bool isValid(const QByteArray& bytes);
    static bool isValid(const char* data, qsizetype size);

    struct Census {
        qsizetype multiByteSequences = 0; // valid sequences of two to four bytes
        qsizetype invalidBytes = 0;       // bytes that start no valid sequence
    };
    static Census census(const QByteArray& bytes);

    // The end of the run of ASCII bytes from `p` (before `end`), read eight bytes at a time;
    // most of a web document is ASCII.
    static const unsigned char* skipAscii(const unsigned char* p, const unsigned char* end);

    // The code point at `p` (before `end`) and the number of bytes it takes; an invalid byte
    // gives -1 and a length of 1.
    static int decode(const unsigned char* p, const unsigned char* end, char32_t& codePoint);

    // Appends the UTF-8 form of `codePoint` (any value up to U+10FFFF, lone surrogates too).
    static void append(QByteArray& out, char32_t codePoint);
    // Writes it at `out`; returns the number of bytes written.
    static int write(char* out, char32_t codePoint);
};

} // namespace Quillorn
