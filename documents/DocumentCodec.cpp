#include "documents/DocumentCodec.h"

#include "documents/CharsetDeclaration.h"
#include "documents/SingleByteTable.h"
#include "platform/LangStrings.h"
#include "platform/ProgramText.h"
#include "platform/Utf8Text.h"
#include "platform/posix/Utf8.h"

#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#include <cstring>

namespace Quillorn {

namespace {

const QByteArray Utf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray Utf16LEMark = QByteArrayLiteral("\xFF\xFE");
const QByteArray Utf16BEMark = QByteArrayLiteral("\xFE\xFF");
const QByteArray Utf32LEMark = QByteArray("\xFF\xFE\x00\x00", 4);
const QByteArray Utf32BEMark = QByteArray("\x00\x00\xFE\xFF", 4);

constexpr qsizetype MaxReported = 16;

// A file whose non-ASCII bytes are mostly well-formed UTF-8 is a UTF-8 file with a few
// damaged bytes, not text in a code page: so many valid sequences per invalid byte.
constexpr qsizetype Utf8Majority = 4;

bool isUtf16(Encoding::Form form)
{
    return form == Encoding::Form::Utf16LE || form == Encoding::Form::Utf16BE;
}

QByteArray markOf(Encoding::Form form)
{
    switch (form) {
    case Encoding::Form::Utf8:
        return Utf8Mark;
    case Encoding::Form::Utf16LE:
        return Utf16LEMark;
    case Encoding::Form::Utf16BE:
        return Utf16BEMark;
    case Encoding::Form::Utf32LE:
        return Utf32LEMark;
    case Encoding::Form::Utf32BE:
        return Utf32BEMark;
    default:
        return {};
    }
}

Encoding unicodeEncoding(Encoding::Form form, const char* name, bool mark, Encoding::Source source)
{
    Encoding e;
    e.form = form;
    e.name = QByteArray(name);
    e.byteOrderMark = mark;
    e.source = source;
    return e;
}

// The form in which a declared name is remembered, so that a later change of the
// declaration can be told from none.
QByteArray declarationKey(const QByteArray& declared)
{
    if (declared.isEmpty())
        return {};
    if (const auto known = DocumentCodec::forCharset(declared))
        return known->name;
    return declared.trimmed().toLower();
}

quint32 readUnit(const unsigned char* p, int width, bool bigEndian)
{
    quint32 value = 0;
    for (int i = 0; i < width; ++i) {
        const int shift = bigEndian ? 8 * (width - 1 - i) : 8 * i;
        value |= quint32(p[i]) << shift;
    }
    return value;
}

void writeUnit(char* out, quint32 value, int width, bool bigEndian)
{
    for (int i = 0; i < width; ++i) {
        const int shift = bigEndian ? 8 * (width - 1 - i) : 8 * i;
        out[i] = char((value >> shift) & 0xFF);
    }
}

// UTF-16 or UTF-32 (without mark) as UTF-8; nothing when the units are not well formed
// (odd length, lone surrogates, values beyond Unicode), since those could not be written
// back.
std::optional<QByteArray> decodeWide(const QByteArray& bytes, Encoding::Form form)
{
    const int width = isUtf16(form) ? 2 : 4;
    const bool bigEndian = form == Encoding::Form::Utf16BE || form == Encoding::Form::Utf32BE;
    if (bytes.size() % width != 0)
        return std::nullopt;
    auto p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto end = p + bytes.size();
    QByteArray out(bytes.size() / width * (width == 2 ? 3 : 4), Qt::Uninitialized);
    char* o = out.data();
    while (p < end) {
        char32_t c = readUnit(p, width, bigEndian);
        p += width;
        if (width == 2 && c >= 0xD800 && c <= 0xDBFF) {
            if (p == end)
                return std::nullopt;
            const char32_t low = readUnit(p, width, bigEndian);
            if (low < 0xDC00 || low > 0xDFFF)
                return std::nullopt;
            p += width;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
            return std::nullopt;
        }
        o += Utf8Text::write(o, c);
    }
    out.truncate(o - out.constData());
    return out;
}

void noteMissing(QList<char32_t>& missing, char32_t c)
{
    if (!missing.contains(c) && missing.size() < MaxReported)
        missing.append(c);
}

QByteArray encodeWide(const QByteArray& utf8, Encoding::Form form, QList<char32_t>& missing)
{
    const int width = isUtf16(form) ? 2 : 4;
    const bool bigEndian = form == Encoding::Form::Utf16BE || form == Encoding::Form::Utf32BE;
    QByteArray out(utf8.size() * width, Qt::Uninitialized);
    char* o = out.data();
    auto p = reinterpret_cast<const unsigned char*>(utf8.constData());
    const auto end = p + utf8.size();
    while (p < end) {
        char32_t c;
        const int length = Posix::Utf8::decode(p, end, c);
        if (length < 0) {
            noteMissing(missing, 0xFFFD);
            ++p;
            continue;
        }
        p += length;
        if (width == 2 && c >= 0x10000) {
            c -= 0x10000;
            writeUnit(o, 0xD800 + (c >> 10), 2, bigEndian);
            writeUnit(o + 2, 0xDC00 + (c & 0x3FF), 2, bigEndian);
            o += 4;
        } else {
            writeUnit(o, c, width, bigEndian);
            o += width;
        }
    }
    out.truncate(o - out.constData());
    return out;
}

std::optional<QByteArray> decodeWithConverter(const QByteArray& bytes, const QByteArray& name)
{
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return std::nullopt;
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    QStringEncoder encoder(name.constData());
    if (encoder.encode(text) != bytes || encoder.hasError())
        return std::nullopt;
    return text.toUtf8();
}

QByteArray encodeWithConverter(const QByteArray& utf8, const QByteArray& name,
                               QList<char32_t>& missing)
{
    if (!Utf8Text::isValid(utf8))
        noteMissing(missing, 0xFFFD);
    const QString text = QString::fromUtf8(utf8);
    QStringEncoder encoder(name.constData());
    const QByteArray bytes = encoder.encode(text);
    QStringDecoder decoder(name.constData());
    if (!encoder.hasError() && QString(decoder.decode(bytes)) == text)
        return bytes;
    // Find the characters at fault, each tried on its own.
    QSet<char32_t> tried;
    for (char32_t c : text.toUcs4()) {
        if (c < 0x80 || tried.contains(c))
            continue;
        tried.insert(c);
        const QString one = QString::fromUcs4(&c, 1);
        QStringEncoder single(name.constData());
        const QByteArray encoded = single.encode(one);
        QStringDecoder back(name.constData());
        if (single.hasError() || QString(back.decode(encoded)) != one)
            noteMissing(missing, c);
        if (missing.size() >= MaxReported)
            break;
    }
    if (missing.isEmpty())
        noteMissing(missing, 0xFFFD);
    return bytes;
}

DocumentCodec::Decoded kept(const QByteArray& bytes)
{
    Encoding e;
    e.source = Encoding::Source::Kept;
    // What the kept bytes themselves declare, which is what a save compares the text with:
    // a file whose byte-order mark failed declares nothing the mark stood for.
    e.declared = declarationKey(CharsetDeclaration::find(bytes));
    return {bytes, e};
}

} // namespace

std::optional<Encoding> DocumentCodec::forCharset(const QByteArray& name)
{
    QByteArray n = name.trimmed().toLower();
    if (n.isEmpty())
        return std::nullopt;
    if (n == "utf8")
        n = "utf-8";
    // Browsers read these as windows-1252, which holds every byte.
    static const QList<QByteArray> latin1Names = {"iso-8859-1", "iso8859-1", "iso_8859-1",
                                                  "latin1",     "l1",        "us-ascii",
                                                  "ascii",      "cp819",     "ibm819"};
    if (latin1Names.contains(n))
        n = "windows-1252";
    if (n.startsWith("utf-16") || n.startsWith("utf-32") || n.startsWith("ucs-") ||
        n.startsWith("utf16") || n.startsWith("utf32") || n == "utf-7")
        return std::nullopt;
    QStringDecoder decoder(n.constData());
    if (!decoder.isValid())
        return std::nullopt;
    const char* known = decoder.name();
    const QByteArray canonical = known && *known ? QByteArray(known) : n;
    const QByteArray lower = canonical.toLower();
    if (lower.startsWith("utf-16") || lower.startsWith("utf-32") || lower == "utf-7")
        return std::nullopt;

    Encoding e;
    e.source = Encoding::Source::Declaration;
    if (lower == "utf-8") {
        e.form = Encoding::Form::Utf8;
        e.name = QByteArrayLiteral("UTF-8");
    } else {
        e.form = SingleByteTable::forCharset(canonical) ? Encoding::Form::SingleByte
                                                        : Encoding::Form::Converter;
        e.name = canonical;
    }
    e.declared = e.name;
    return e;
}

Encoding DocumentCodec::detect(const QByteArray& bytes, const QString& language)
{
    using Form = Encoding::Form;
    using Source = Encoding::Source;
    if (bytes.startsWith(Utf8Mark))
        return unicodeEncoding(Form::Utf8, "UTF-8", true, Source::ByteOrderMark);
    // FF FE 00 00 opens UTF-32 LE, or UTF-16 LE whose first character is U+0000.
    for (Form form : {Form::Utf32LE, Form::Utf32BE}) {
        if (bytes.startsWith(markOf(form)) && decodeWide(bytes.mid(4), form))
            return unicodeEncoding(form, form == Form::Utf32LE ? "UTF-32LE" : "UTF-32BE", true,
                                   Source::ByteOrderMark);
    }
    if (bytes.startsWith(Utf16LEMark))
        return unicodeEncoding(Form::Utf16LE, "UTF-16LE", true, Source::ByteOrderMark);
    if (bytes.startsWith(Utf16BEMark))
        return unicodeEncoding(Form::Utf16BE, "UTF-16BE", true, Source::ByteOrderMark);

    const QByteArray declared = CharsetDeclaration::find(bytes);
    if (const auto named = forCharset(declared))
        return *named;
    const QByteArray key = declarationKey(declared);

    bool utf8 = Utf8Text::isValid(bytes);
    if (!utf8) {
        const Utf8Text::Census census = Utf8Text::census(bytes);
        utf8 = census.multiByteSequences >= Utf8Majority * census.invalidBytes;
    }
    if (utf8) {
        Encoding e = unicodeEncoding(Form::Utf8, "UTF-8", false, Source::Utf8);
        e.declared = key;
        return e;
    }

    Encoding e = forCharset(ProgramText::codePage(language)).value_or(Encoding{});
    e.source = Source::Language;
    e.declared = key;
    return e;
}

DocumentCodec::Decoded DocumentCodec::decode(const QByteArray& bytes, const QString& language)
{
    return decodeAs(bytes, detect(bytes, language));
}

DocumentCodec::Decoded DocumentCodec::decodeAs(const QByteArray& bytes, const Encoding& encoding)
{
    using Form = Encoding::Form;
    Encoding e = encoding;
    switch (encoding.form) {
    case Form::Utf8:
        e.byteOrderMark = bytes.startsWith(Utf8Mark);
        return {e.byteOrderMark ? bytes.sliced(3) : bytes, e};
    case Form::SingleByte: {
        const auto table = SingleByteTable::forCharset(encoding.name);
        if (!table)
            return kept(bytes);
        return {table->decode(bytes), e};
    }
    case Form::Utf16LE:
    case Form::Utf16BE:
    case Form::Utf32LE:
    case Form::Utf32BE: {
        const QByteArray mark = markOf(encoding.form);
        e.byteOrderMark = bytes.startsWith(mark);
        const auto text = decodeWide(e.byteOrderMark ? bytes.sliced(mark.size()) : bytes, e.form);
        if (!text)
            return kept(bytes);
        return {*text, e};
    }
    case Form::Converter: {
        const auto text = decodeWithConverter(bytes, encoding.name);
        if (!text)
            return kept(bytes);
        return {*text, e};
    }
    }
    return kept(bytes);
}

DocumentCodec::Encoded DocumentCodec::encode(const QByteArray& utf8, const Encoding& encoding)
{
    using Form = Encoding::Form;
    Encoded result;
    switch (encoding.form) {
    case Form::Utf8:
        result.bytes = encoding.byteOrderMark ? Utf8Mark + utf8 : utf8;
        break;
    case Form::SingleByte:
        if (const auto table = SingleByteTable::forCharset(encoding.name))
            result.bytes = table->encode(utf8, result.unencodable, MaxReported);
        else
            result.bytes = encodeWithConverter(utf8, encoding.name, result.unencodable);
        break;
    case Form::Utf16LE:
    case Form::Utf16BE:
    case Form::Utf32LE:
    case Form::Utf32BE:
        result.bytes = encodeWide(utf8, encoding.form, result.unencodable);
        if (encoding.byteOrderMark)
            result.bytes.prepend(markOf(encoding.form));
        break;
    case Form::Converter:
        result.bytes = encodeWithConverter(utf8, encoding.name, result.unencodable);
        break;
    }
    return result;
}

Encoding DocumentCodec::encodingForSave(const QByteArray& utf8, const Encoding& opened)
{
    if (opened.source == Encoding::Source::ByteOrderMark)
        return opened;
    const QByteArray declared = CharsetDeclaration::find(utf8);
    const QByteArray key = declarationKey(declared);
    if (key == opened.declared)
        return opened;
    if (const auto named = forCharset(declared))
        return *named;
    Encoding e = opened;
    e.declared = key;
    return e;
}

Encoding DocumentCodec::encodingForNew(const QByteArray& utf8)
{
    const QByteArray declared = CharsetDeclaration::find(utf8);
    if (const auto named = forCharset(declared))
        return *named;
    Encoding e;
    e.declared = declarationKey(declared);
    return e;
}

Encoding DocumentCodec::utf8Instead(const QByteArray& utf8)
{
    Encoding e;
    e.source = Encoding::Source::Utf8;
    e.declared = declarationKey(CharsetDeclaration::find(utf8));
    return e;
}

QString DocumentCodec::utf8InsteadQuestion(const Encoding& encoding,
                                           const QList<char32_t>& characters,
                                           const LangStrings& strings)
{
    QStringList shown;
    for (char32_t c : characters) {
        const QString one = QString::fromUcs4(&c, 1);
        if (c == 0xFFFD)
            shown.append(strings.value(Str::NotUtf8Bytes));
        else if (one.size() == 1 && !one.at(0).isPrint())
            shown.append(QStringLiteral("U+%1").arg(quint32(c), 4, 16, QLatin1Char('0')).toUpper());
        else
            shown.append(one);
    }
    QString text = strings.message(Str::CannotEncode, QString::fromLatin1(encoding.name));
    if (!shown.isEmpty())
        text += QLatin1String(": ") + shown.join(QLatin1Char(' '));
    return text + QLatin1String(".\n") + strings.message(Str::SaveAsUtf8Question);
}

} // namespace Quillorn
