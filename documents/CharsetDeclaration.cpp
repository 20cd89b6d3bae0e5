#include "documents/CharsetDeclaration.h"

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

// The value after `key` in `text` (lower-cased ASCII): blanks, "=", blanks, an optional
// quote, then the name.
QByteArray valueAfter(const QByteArray& lower, const QByteArray& original, qsizetype from,
                      qsizetype to, const char* key)
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
            return original.mid(start, i - start);
    }
    return {};
}

} // namespace

QByteArray CharsetDeclaration::find(const QByteArray& bytes)
{
    const QByteArray head = bytes.left(ScanBytes);
    const QByteArray lower = head.toLower();

    if (lower.startsWith("<?xml")) {
        qsizetype end = lower.indexOf("?>");
        if (end < 0)
            end = lower.size();
        const QByteArray name = valueAfter(lower, head, 5, end, "encoding");
        if (!name.isEmpty())
            return name;
    }

    // CSS allows the rule only as the very first bytes of the style sheet.
    if (lower.startsWith("@charset \"") || lower.startsWith("@charset '")) {
        const char quote = lower.at(9);
        const qsizetype end = lower.indexOf(quote, 10);
        if (end > 10) {
            const QByteArray name = head.mid(10, end - 10).trimmed();
            bool clean = true;
            for (char c : name)
                clean = clean && isNameCharacter(c);
            if (clean && !name.isEmpty())
                return name;
        }
    }

    qsizetype i = 0;
    while ((i = lower.indexOf('<', i)) >= 0) {
        if (lower.mid(i, 4) == "<!--") {
            const qsizetype close = lower.indexOf("-->", i + 4);
            if (close < 0)
                break;
            i = close + 3;
            continue;
        }
        if (lower.mid(i, 5) == "<meta" && i + 5 < lower.size() &&
            (isBlank(lower.at(i + 5)) || lower.at(i + 5) == '/')) {
            qsizetype end = lower.indexOf('>', i);
            if (end < 0)
                end = lower.size();
            const QByteArray name = valueAfter(lower, head, i + 5, end, "charset");
            if (!name.isEmpty())
                return name;
            i = end;
            continue;
        }
        ++i;
    }
    return {};
}

} // namespace Quillorn
