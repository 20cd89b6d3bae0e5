#include "preview/SourceMap.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstring>

namespace Quillorn {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Elements with no content and no end tag.
bool isVoid(QByteArrayView name)
{
    static const char* const names[] = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                        "input", "link", "meta", "param", "source", "track", "wbr"};
    return std::any_of(std::begin(names), std::end(names), [name](const char* n) {
        return name.compare(QByteArrayView(n), Qt::CaseInsensitive) == 0;
    });
}

// Elements whose content is text up to their end tag: no tag inside them counts.
bool holdsRawText(QByteArrayView name)
{
    static const char* const names[] = {"script", "style", "textarea", "title", "xmp"};
    return std::any_of(std::begin(names), std::end(names), [name](const char* n) {
        return name.compare(QByteArrayView(n), Qt::CaseInsensitive) == 0;
    });
}

// Scans one text with a cursor; every step stops at the end of the text.
class Scanner {
public:
    explicit Scanner(const QByteArray& text)
        : m_data(text.constData())
        , m_size(text.size())
    {
    }

    qint64 size() const { return m_size; }
    char at(qint64 i) const { return i < m_size ? m_data[i] : '\0'; }
    bool startsWith(qint64 i, const char* what) const
    {
        const qint64 length = static_cast<qint64>(std::strlen(what));
        return i + length <= m_size && std::memcmp(m_data + i, what, length) == 0;
    }
    // Just after the first `what` at or after `i`; the end of the text when there is none.
    qint64 after(qint64 i, const char* what) const
    {
        const qint64 length = static_cast<qint64>(std::strlen(what));
        const QByteArrayView rest(m_data + i, m_size - i);
        const qint64 found = rest.indexOf(QByteArrayView(what, length));
        return found < 0 ? m_size : i + found + length;
    }
    // The next "<" at or after `i`; the end of the text when there is none.
    qint64 nextOpen(qint64 i) const
    {
        const void* found = std::memchr(m_data + i, '<', static_cast<size_t>(m_size - i));
        return found ? static_cast<const char*>(found) - m_data : m_size;
    }
    // The end of a tag's name starting at `i`.
    qint64 nameEnd(qint64 i) const
    {
        while (i < m_size && !isSpace(m_data[i]) && m_data[i] != '/' && m_data[i] != '>' &&
               m_data[i] != '<')
            ++i;
        return i;
    }
    QByteArrayView slice(qint64 from, qint64 to) const { return {m_data + from, to - from}; }

    // Just after the ">" that ends the tag whose attributes start at `i`: quotes count only
    // around a value (after "="), and PHP blocks are passed over wherever they stand. Nothing
    // when the text ends first.
    std::optional<qint64> tagEnd(qint64 i) const
    {
        bool value = false; // after "=", before the value
        while (i < m_size) {
            const char c = m_data[i];
            if (startsWith(i, "<?")) {
                i = after(i + 2, "?>");
            } else if (value && (c == '"' || c == '\'')) {
                i = quotedEnd(i + 1, c);
                value = false;
            } else if (c == '>') {
                return i + 1;
            } else {
                if (c == '=')
                    value = true;
                else if (!isSpace(c))
                    value = false;
                ++i;
            }
        }
        return std::nullopt;
    }

private:
    qint64 quotedEnd(qint64 i, char quote) const
    {
        while (i < m_size) {
            if (startsWith(i, "<?"))
                i = after(i + 2, "?>");
            else if (m_data[i++] == quote)
                return i;
        }
        return m_size;
    }

    const char* m_data;
    qint64 m_size;
};

} // namespace

QList<SourceMap::Element> SourceMap::scan(const QByteArray& text)
{
    const Scanner s(text);
    QList<Element> elements;
    // The open elements: their index in `elements`.
    QList<qsizetype> open;
    const auto close = [&](qsizetype depth, qint64 end) {
        while (open.size() > depth)
            elements[open.takeLast()].end = end;
    };
    qint64 i = 0;
    while ((i = s.nextOpen(i)) < s.size()) {
        if (s.startsWith(i, "<!--")) {
            i = s.after(i + 4, "-->");
        } else if (s.startsWith(i, "<![CDATA[")) {
            i = s.after(i + 9, "]]>");
        } else if (s.startsWith(i, "<!")) {
            i = s.after(i + 2, ">");
        } else if (s.startsWith(i, "<?")) {
            i = s.after(i + 2, "?>");
        } else if (s.at(i + 1) == '/' && isLetter(s.at(i + 2))) {
            const qint64 nameEnd = s.nameEnd(i + 2);
            const QByteArrayView name = s.slice(i + 2, nameEnd);
            const qint64 end = s.tagEnd(nameEnd).value_or(s.size());
            // The innermost open element of that name closes, with those inside it.
            for (qsizetype depth = open.size() - 1; depth >= 0; --depth) {
                const Element& e = elements[open[depth]];
                if (s.slice(e.start + 1, e.nameEnd).compare(name, Qt::CaseInsensitive) == 0) {
                    close(depth, end);
                    break;
                }
            }
            i = end;
        } else if (isLetter(s.at(i + 1))) {
            Element e;
            e.start = i;
            e.nameEnd = s.nameEnd(i + 1);
            const std::optional<qint64> tagEnd = s.tagEnd(e.nameEnd);
            if (!tagEnd) {
                // An unfinished tag at the end is text.
                break;
            }
            e.tagEnd = *tagEnd;
            e.end = e.tagEnd;
            const QByteArrayView name = s.slice(i + 1, e.nameEnd);
            elements.append(e);
            i = e.tagEnd;
            if (holdsRawText(name)) {
                // The content runs to its end tag, which the loop reads next.
                const QByteArray endTag = "</" + name.toByteArray().toLower();
                qint64 j = i;
                while ((j = s.nextOpen(j)) < s.size() &&
                       s.slice(j, std::min(j + endTag.size(), s.size()))
                               .compare(endTag, Qt::CaseInsensitive) != 0)
                    ++j;
                open.append(elements.size() - 1);
                i = j;
            } else if (!isVoid(name) && s.at(e.tagEnd - 2) != '/') {
                open.append(elements.size() - 1);
            }
        } else {
            ++i;
        }
    }
    close(0, s.size());
    return elements;
}

QByteArray SourceMap::marked(const QByteArray& text, const QList<Element>& elements)
{
    QByteArray out;
    out.reserve(text.size() + elements.size() * 24);
    qint64 from = 0;
    for (const Element& e : elements) {
        out.append(text.constData() + from, e.nameEnd - from);
        out.append(" data-qsrc=\"");
        out.append(QByteArray::number(e.start));
        out.append('"');
        from = e.nameEnd;
    }
    out.append(text.constData() + from, text.size() - from);
    return out;
}

QList<qint64> SourceMap::enclosing(const QList<Element>& elements, qint64 position)
{
    QList<qint64> starts;
    for (auto it = elements.crbegin(); it != elements.crend(); ++it) {
        if (it->start <= position && position < it->end)
            starts.append(it->start);
    }
    return starts;
}

std::optional<qint64> SourceMap::startTagEnd(const QByteArray& text, qint64 start)
{
    const Scanner s(text);
    if (start < 0 || s.at(start) != '<' || !isLetter(s.at(start + 1)))
        return std::nullopt;
    return s.tagEnd(s.nameEnd(start + 1));
}

} // namespace Quillorn
