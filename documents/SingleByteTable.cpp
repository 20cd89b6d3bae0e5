#include "documents/SingleByteTable.h"

#include "platform/Utf8Text.h"
#include "platform/posix/Utf8.h"

#include <QHash>
#include <QMutex>
#include <QStringDecoder>

#include <cstring>

namespace Quillorn {

namespace {

constexpr quint64 HighBits = 0x8080808080808080ULL;

// Undefined bytes of a code page are that many at most (ISO-8859-6 has 45); a character set
// with more is not a single-byte one (the lead bytes of a multi-byte set, 66 and more, decode
// to nothing on their own).
constexpr int MaxUndefinedBytes = 56;

// Undefined bytes that cannot become the C1 control of the same number go to the private
// use area, where no code page maps anything.
constexpr char32_t PrivateUseBase = 0xF700;

// Copies the run of ASCII at `p`, in blocks of eight bytes, to `o`; both move past it. The
// last few bytes of a run (fewer than eight) are left to the caller.
void copyAsciiRun(const unsigned char*& p, const unsigned char* end, char*& o)
{
    while (end - p >= 8) {
        quint64 chunk;
        std::memcpy(&chunk, p, 8);
        if (chunk & HighBits)
            return;
        std::memcpy(o, p, 8);
        o += 8;
        p += 8;
    }
}

} // namespace

std::shared_ptr<const SingleByteTable> SingleByteTable::forCharset(const QByteArray& charset)
{
    static QMutex mutex;
    static QHash<QByteArray, std::shared_ptr<const SingleByteTable>> tables;
    const QByteArray key = charset.toLower();
    QMutexLocker lock(&mutex);
    const auto found = tables.constFind(key);
    if (found != tables.constEnd())
        return found.value();
    auto table = build(charset);
    tables.insert(key, table);
    return table;
}

std::shared_ptr<const SingleByteTable> SingleByteTable::build(const QByteArray& charset)
{
    QStringDecoder probe(charset.constData());
    if (!probe.isValid())
        return nullptr;

    std::shared_ptr<SingleByteTable> table(new SingleByteTable);
    std::array<bool, 256> defined{};
    int undefined = 0;
    QString joined;
    for (int b = 0; b < 256; ++b) {
        QStringDecoder decoder(charset.constData());
        const QString one = decoder.decode(QByteArray(1, char(b)));
        const bool ok = !decoder.hasError() && one.size() == 1 && !one.at(0).isSurrogate() &&
                        one.at(0).unicode() != 0xFFFD &&
                        !(one.at(0).unicode() == 0x1A && b != 0x1A);
        defined[b] = ok;
        if (ok) {
            table->m_toUnicode[b] = one.at(0).unicode();
            joined.append(one);
        } else {
            ++undefined;
        }
    }
    if (undefined > MaxUndefinedBytes)
        return nullptr;

    // A stateful or multi-byte set decodes a run of bytes differently from the bytes one by
    // one.
    QByteArray definedBytes;
    for (int b = 0; b < 256; ++b) {
        if (defined[b])
            definedBytes.append(char(b));
    }
    QStringDecoder whole(charset.constData());
    if (QString(whole.decode(definedBytes)) != joined || whole.hasError())
        return nullptr;

    table->m_fromUnicode.assign(0x10000, -1);
    for (int b = 0; b < 256; ++b) {
        if (!defined[b])
            continue;
        const char32_t c = table->m_toUnicode[b];
        if (table->m_fromUnicode[c] >= 0)
            return nullptr; // two bytes for one character: decoding could not be undone
        table->m_fromUnicode[c] = qint16(b);
    }
    for (int b = 0; b < 256; ++b) {
        if (defined[b])
            continue;
        char32_t c = char32_t(b);
        if (table->m_fromUnicode[c] >= 0)
            c = PrivateUseBase + char32_t(b);
        if (table->m_fromUnicode[c] >= 0)
            return nullptr;
        table->m_toUnicode[b] = c;
        table->m_fromUnicode[c] = qint16(b);
    }

    table->m_asciiIdentity = true;
    for (int b = 0; b < 256; ++b) {
        const char32_t c = table->m_toUnicode[b];
        table->m_utf8Length[b] = (unsigned char)Utf8Text::write(table->m_utf8[b].data(), c);
        if (b < 0x80 && c != char32_t(b))
            table->m_asciiIdentity = false;
    }
    return table;
}

QByteArray SingleByteTable::decode(const QByteArray& bytes) const
{
    auto begin = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto end = begin + bytes.size();
    qsizetype length = 0;
    for (auto p = begin; p < end; ++p)
        length += m_utf8Length[*p];
    if (length == bytes.size() && m_asciiIdentity)
        return bytes; // pure ASCII: nothing to convert

    // Four bytes of room past the end let every character be copied as a whole word.
    QByteArray out(length + 4, Qt::Uninitialized);
    char* o = out.data();
    auto p = begin;
    while (p < end) {
        if (m_asciiIdentity) {
            copyAsciiRun(p, end, o);
            if (p == end)
                break;
        }
        const unsigned char b = *p++;
        std::memcpy(o, m_utf8[b].data(), 4);
        o += m_utf8Length[b];
    }
    out.truncate(length);
    return out;
}

QByteArray SingleByteTable::encode(const QByteArray& utf8, QList<char32_t>& missing,
                                   qsizetype maxMissing) const
{
    QByteArray out(utf8.size(), Qt::Uninitialized);
    char* o = out.data();
    auto p = reinterpret_cast<const unsigned char*>(utf8.constData());
    const auto end = p + utf8.size();
    while (p < end) {
        if (m_asciiIdentity) {
            copyAsciiRun(p, end, o);
            if (p == end)
                break;
        }
        char32_t c;
        int length = Posix::Utf8::decode(p, end, c);
        if (length < 0) {
            length = 1;
            c = 0xFFFD;
            if (!missing.contains(c) && missing.size() < maxMissing)
                missing.append(c);
            p += length;
            continue;
        }
        p += length;
        const qint16 b = c < 0x10000 ? m_fromUnicode[c] : qint16(-1);
        if (b < 0) {
            if (!missing.contains(c) && missing.size() < maxMissing)
                missing.append(c);
            continue;
        }
        *o++ = char(b);
    }
    out.truncate(o - out.constData());
    return out;
}

} // namespace Quillorn
