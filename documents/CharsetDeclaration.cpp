#include "documents/CharsetDeclaration.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace Quillorn {

namespace {

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':' || c == '+';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

using Place = CharsetDeclaration::Place;

// The value after `key` in `lower` (the head lower-cased): blanks, "=", blanks, an optional
// quote, then the name.
std::optional<Place> valueAfter(const QByteArray& lower, qsizetype from, qsizetype to,
                                const char* key)
{
    const qsizetype keyLength = qstrlen(key);
    for (qsizetype at = lower.indexOf(key, from); at >= 0 && at < to;
         at = lower.indexOf(key, at + 1)) {
        qsizetype i = at + keyLength;
        while (i < to && isBlank(lower.at(i)))
            ++i;
        if (i >= to || lower.at(i) != '=')
            continue;
        ++i;
        while (i < to && isBlank(lower.at(i)))
            ++i;
        if (i < to && (lower.at(i) == '"' || lower.at(i) == '\''))
            ++i;
        const qsizetype start = i;
        while (i < to && isNameCharacter(lower.at(i)))
            ++i;
        if (i > start)
            return Place{start, i - start};
    }
    return std::nullopt;
}

// Whether `text` holds `word` at `at`, looked at in place and inline (the scan meets many "<").
bool holdsAt(const QByteArray& text, qsizetype at, std::string_view word)
{
    return text.size() - at >= static_cast<qsizetype>(word.size()) &&
           std::equal(word.begin(), word.end(), text.constData() + at);
}

// The declarations of the head in text order; with `firstOnly`, the one that counts.
QList<Place> scan(const QByteArray& bytes, bool firstOnly)
{
    // Lower-cased into a buffer on the stack, a byte at a time without a call per byte as
    // QByteArray::toLower makes: a folder search scans the head of every file it reads. Only
    // ASCII letters matter, since every key and name character looked for is ASCII.
    std::array<char, CharsetDeclaration::ScanBytes> head;
    const qsizetype headSize = std::min(bytes.size(), CharsetDeclaration::ScanBytes);
    std::transform(bytes.cbegin(), bytes.cbegin() + headSize, head.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    });
    const QByteArray lower = QByteArray::fromRawData(head.data(), headSize);
    QList<Place> found;
    const auto add = [&](const std::optional<Place>& place) {
        if (place)
            found.append(*place);
        return firstOnly && !found.isEmpty();
    };

    // Where tags may start: after the XML declaration, whose own text is no tag, so that the
    // places stay in text order.
    qsizetype i = 0;
    if (lower.startsWith("<?xml")) {
        qsizetype end = lower.indexOf("?>");
        if (end < 0)
            end = lower.size();
        if (add(valueAfter(lower, 5, end, "encoding")))
            return found;
        i = end;
    }

    // CSS allows the rule only as the very first bytes of the style sheet.
    if (lower.startsWith("@charset \"") || lower.startsWith("@charset '")) {
        const char quote = lower.at(9);
        const qsizetype end = lower.indexOf(quote, 10);
        if (end > 10) {
            qsizetype start = 10;
            qsizetype stop = end;
            while (start < stop && isBlank(lower.at(start)))
                ++start;
            while (stop > start && isBlank(lower.at(stop - 1)))
                --stop;
            bool clean = stop > start;
            for (qsizetype i = start; i < stop; ++i)
                clean = clean && isNameCharacter(lower.at(i));
            if (clean && add(Place{start, stop - start}))
                return found;
        }
    }

    while ((i = lower.indexOf('<', i)) >= 0) {
        if (holdsAt(lower, i, "<!--")) {
            const qsizetype close = lower.indexOf("-->", i + 4);
            if (close < 0)
                break;
            i = close + 3;
            continue;
        }
        if (holdsAt(lower, i, "<meta") && i + 5 < lower.size() &&
            (isBlank(lower.at(i + 5)) || lower.at(i + 5) == '/')) {
            qsizetype end = lower.indexOf('>', i);
            if (end < 0)
                end = lower.size();
            if (add(valueAfter(lower, i + 5, end, "charset")))
                return found;
            i = end;
            continue;
        }
        ++i;
    }
    return found;
}

} // namespace

QByteArray CharsetDeclaration::find(const QByteArray& bytes)
{
    const QList<Place> first = scan(bytes, true);
    if (first.isEmpty())
        return {};
    return bytes.mid(first.first().offset, first.first().length);
}

QList<CharsetDeclaration::Place> CharsetDeclaration::places(const QByteArray& bytes)
{
    return scan(bytes, false);
}

} // namespace Quillorn
