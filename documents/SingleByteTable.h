#pragma once

#include <QByteArray>
#include <QList>

#include <array>
#include <memory>
#include <vector>

namespace Quillorn {

// A one-byte-per-character code page (windows-1251, KOI8-R, ISO-8859-5, ...) as a pair of
// tables, so that decoding and encoding are exact inverses and fast on whole documents. Bytes
// the code page leaves undefined get a character of their own, so every byte comes back.
class SingleByteTable {
public:
    // The table of `charset`, built once from the system converters; null when the character
    // set is not one byte per character.
    static std::shared_ptr<const SingleByteTable> forCharset(const QByteArray& charset);

    // `bytes` as UTF-8.
    QByteArray decode(const QByteArray& bytes) const;

    // `utf8` in the code page. Characters it cannot hold (and invalid UTF-8, as U+FFFD) are
    // gathered in `missing`, each once, at most `maxMissing` of them; the bytes are only
    // meaningful when nothing is missing.
    QByteArray encode(const QByteArray& utf8, QList<char32_t>& missing,
                      qsizetype maxMissing = 16) const;

    char32_t toUnicode(unsigned char byte) const { return m_toUnicode[byte]; }

private:
    SingleByteTable() = default;
    static std::shared_ptr<const SingleByteTable> build(const QByteArray& charset);

    std::array<char32_t, 256> m_toUnicode{};
    std::array<std::array<char, 4>, 256> m_utf8{};
    std::array<unsigned char, 256> m_utf8Length{};
    // Byte for each code point of the Basic Multilingual Plane, -1 when there is none.
    std::vector<qint16> m_fromUnicode;
    bool m_asciiIdentity = false;
};

} // namespace Quillorn
