#pragma once

#include <QByteArray>

namespace Quillorn {

// UTF-8 for whole documents: validity without building a QString (which would replace
// invalid bytes and double the memory), a count of what is valid and what is not, and code
// points written back; the scanning itself is Posix::Utf8's.
class Utf8Text {
public:
    // Whether `bytes` are valid UTF-8 throughout (no overlong forms, surrogates or values
    // above U+10FFFF).
    static bool isValid(const QByteArray& bytes);

    struct Census {
        qsizetype multiByteSequences = 0; // valid sequences of two to four bytes
        qsizetype invalidBytes = 0;       // bytes that start no valid sequence
    };
    static Census census(const QByteArray& bytes);

    // Appends the UTF-8 form of `codePoint` (any value up to U+10FFFF, lone surrogates too).
    static void append(QByteArray& out, char32_t codePoint);
    // Writes it at `out`; returns the number of bytes written.
    static int write(char* out, char32_t codePoint);
};

} // namespace Quillorn
