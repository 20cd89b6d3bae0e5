#include "platform/posix/Utf8.h"

#include <cstdint>
#include <cstring>

namespace Quillorn::Posix {

const unsigned char* Utf8::skipAscii(const unsigned char* p, const unsigned char* end)
{
    constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
    while (end - p >= 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, p, 8);
        if (chunk & HighBits)
            break;
        p += 8;
    }
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

int Utf8::decode(const unsigned char* p, const unsigned char* end, char32_t& codePoint)
{
    const unsigned char b0 = *p;
    if (b0 < 0x80) {
        codePoint = b0;
        return 1;
    }
    const auto invalid = [&codePoint] {
        codePoint = 0;
        return -1;
    };
    int length;
    char32_t value;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        value = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        value = b0 & 0x0F;
        if (b0 == 0xE0)
            low = 0xA0; // overlong
        else if (b0 == 0xED)
            high = 0x9F; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        value = b0 & 0x07;
        if (b0 == 0xF0)
            low = 0x90; // overlong
        else if (b0 == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return invalid();
    }
    if (end - p < length || p[1] < low || p[1] > high)
        return invalid();
    value = (value << 6) | (p[1] & 0x3F);
    for (int i = 2; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return invalid();
        value = (value << 6) | (p[i] & 0x3F);
    }
    codePoint = value;
    return length;
}

bool Utf8::isValid(const char* data, size_t size)
{
    auto p = reinterpret_cast<const unsigned char*>(data);
    const auto end = p + size;
    for (;;) {
        p = skipAscii(p, end);
        if (p == end)
            return true;
        char32_t codePoint;
        const int length = decode(p, end, codePoint);
        if (length < 0)
            return false;
        p += length;
    }
}

} // namespace Quillorn::Posix
