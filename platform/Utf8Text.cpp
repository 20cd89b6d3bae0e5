#include "platform/Utf8Text.h"

#include "platform/posix/Utf8.h"

namespace Quillorn {

bool Utf8Text::isValid(const QByteArray& bytes)
{
    return Posix::Utf8::isValid(bytes.constData(), size_t(bytes.size()));
}

Utf8Text::Census Utf8Text::census(const QByteArray& bytes)
{
    Census census;
    auto p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto end = p + bytes.size();
    for (;;) {
        p = Posix::Utf8::skipAscii(p, end);
        if (p == end)
            return census;
        char32_t codePoint;
        const int length = Posix::Utf8::decode(p, end, codePoint);
        if (length < 0) {
            ++census.invalidBytes;
            ++p;
        } else {
            ++census.multiByteSequences;
            p += length;
        }
    }
}

int Utf8Text::write(char* out, char32_t c)
{
    if (c < 0x80) {
        out[0] = char(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = char(0xC0 | (c >> 6));
        out[1] = char(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = char(0xE0 | (c >> 12));
        out[1] = char(0x80 | ((c >> 6) & 0x3F));
        out[2] = char(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | (c >> 18));
    out[1] = char(0x80 | ((c >> 12) & 0x3F));
    out[2] = char(0x80 | ((c >> 6) & 0x3F));
    out[3] = char(0x80 | (c & 0x3F));
    return 4;
}

void Utf8Text::append(QByteArray& out, char32_t codePoint)
{
    char buffer[4];
    out.append(buffer, write(buffer, codePoint));
}

} // namespace Quillorn
