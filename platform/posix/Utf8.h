#pragma once

#include <cstddef>

namespace Quillorn::Posix {

// UTF-8 scanning over plain bytes: whether they are valid, and the code point at a place.
class Utf8 {
public:
    // Whether `data` is valid UTF-8 throughout (no overlong forms, surrogates or values above
    // U+10FFFF).
    static bool isValid(const char* data, size_t size);

    // The end of the run of ASCII bytes from `p` (before `end`), read eight bytes at a time;
    // most of a web document is ASCII.
    static const unsigned char* skipAscii(const unsigned char* p, const unsigned char* end);

    // The code point at `p` (before `end`) and the number of bytes it takes; an invalid byte
    // gives -1 and a length of 1.
    static int decode(const unsigned char* p, const unsigned char* end, char32_t& codePoint);
};

} // namespace Quillorn::Posix
