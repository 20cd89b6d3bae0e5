#include "editing/TagPairs.h"

namespace Quillorn {

namespace {

bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == ':' || c == '.';
}

QByteArrayView nameOf(QByteArrayView text, const TagPairs::Tag& tag)
{
    return text.sliced(tag.nameStart, tag.nameEnd - tag.nameStart);
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where `needle` (lower case) next begins at or after `from`, letter case ignored; the
// text's size when it does not.
qint64 findCaseless(QByteArrayView text, QByteArrayView needle, qint64 from)
{
    for (qint64 at = text.indexOf(needle.front(), from); at >= 0;
         at = text.indexOf(needle.front(), at + 1)) {
        if (at + needle.size() <= text.size() && sameName(text.sliced(at, needle.size()), needle))
            return at;
    }
    return text.size();
}

// Past the end of `closer` found at or after `from`, or the end of the text.
qint64 skipPast(QByteArrayView text, QByteArrayView closer, qint64 from)
{
    const qint64 at = text.indexOf(closer, from);
    return at < 0 ? text.size() : at + closer.size();
}

} // namespace

TagPairs::TagPairs(QSet<QByteArray> voidNames)
    : m_voidNames(std::move(voidNames))
{
}

bool TagPairs::isVoid(QByteArrayView name) const
{
    return m_voidNames.contains(name.toByteArray().toLower());
}

QList<TagPairs::Tag> TagPairs::tags(QByteArrayView text)
{
    QList<Tag> found;
    const qint64 size = text.size();
    qint64 pos = 0;
    while (pos < size) {
        const qint64 lt = text.indexOf('<', pos);
        if (lt < 0)
            break;
        const QByteArrayView rest = text.sliced(lt);
        if (rest.startsWith("<!--")) {
            pos = skipPast(text, "-->", lt + 4);
            continue;
        }
        if (rest.startsWith("<?")) {
            pos = skipPast(text, "?>", lt + 2);
            continue;
        }
        Tag tag;
        tag.start = lt;
        tag.closing = rest.startsWith("</");
        tag.nameStart = lt + 1 + (tag.closing ? 1 : 0);
        if (tag.nameStart >= size || !isNameStart(text.at(tag.nameStart))) {
            pos = lt + 1;
            continue;
        }
        tag.nameEnd = tag.nameStart;
        while (tag.nameEnd < size && isNameChar(text.at(tag.nameEnd)))
            ++tag.nameEnd;
        qint64 close = tag.nameEnd;
        while (close < size && text.at(close) != '>' && text.at(close) != '<')
            ++close;
        const bool ended = close < size && text.at(close) == '>';
        tag.end = ended ? close + 1 : close;
        tag.selfClosing = ended && !tag.closing && text.at(close - 1) == '/';
        found.append(tag);
        pos = tag.end;
        // A script's text is no markup: "a<b" there opens no tag.
        if (!tag.closing && !tag.selfClosing && sameName(nameOf(text, tag), "script"))
            pos = findCaseless(text, "</script", pos);
    }
    return found;
}

std::optional<TagPairs::Pair> TagPairs::tagPartner(QByteArrayView text, qint64 caret)
{
    const QList<Tag> all = tags(text);
    const auto holder = std::find_if(all.cbegin(), all.cend(), [caret](const Tag& tag) {
        return tag.nameStart <= caret && caret <= tag.nameEnd;
    });
    if (holder == all.cend() || holder->selfClosing)
        return std::nullopt;
    const QByteArrayView name = nameOf(text, *holder);
    const auto pairWith = [&](const Tag& partner) {
        return Pair{holder->nameStart, holder->nameEnd, partner.nameStart, partner.nameEnd};
    };
    int depth = 0;
    if (!holder->closing) {
        for (auto it = holder + 1; it != all.cend(); ++it) {
            if (it->selfClosing || !sameName(nameOf(text, *it), name))
                continue;
            if (!it->closing)
                ++depth;
            else if (depth-- == 0)
                return pairWith(*it);
        }
        return std::nullopt;
    }
    for (auto it = holder; it != all.cbegin();) {
        --it;
        if (it->selfClosing || !sameName(nameOf(text, *it), name))
            continue;
        if (it->closing)
            ++depth;
        else if (depth-- == 0)
            return pairWith(*it);
    }
    return std::nullopt;
}

std::optional<TagPairs::Pair> TagPairs::bracketPartner(QByteArrayView text, qint64 caret)
{
    static constexpr QByteArrayView Openers("([{");
    static constexpr QByteArrayView Closers(")]}");
    const auto isBracket = [&](qint64 at) {
        return at >= 0 && at < text.size() &&
               (Openers.contains(text.at(at)) || Closers.contains(text.at(at)));
    };
    const qint64 at = isBracket(caret) ? caret : isBracket(caret - 1) ? caret - 1 : -1;
    if (at < 0)
        return std::nullopt;
    const char bracket = text.at(at);
    const qint64 kind = Openers.indexOf(bracket);
    const bool forward = kind >= 0;
    const char partner = forward ? Closers.at(kind) : Openers.at(Closers.indexOf(bracket));
    int depth = 0;
    for (qint64 i = forward ? at + 1 : at - 1; i >= 0 && i < text.size(); i += forward ? 1 : -1) {
        if (text.at(i) == bracket)
            ++depth;
        else if (text.at(i) == partner && depth-- == 0)
            return Pair{at, at + 1, i, i + 1, true};
    }
    return Pair{at, at + 1, -1, -1, true};
}

bool TagPairs::insideCode(QByteArrayView before, const QList<Tag>& tagsBefore)
{
    if (before.lastIndexOf("<?") > before.lastIndexOf("?>"))
        return true;
    // Script text is passed over by the tags, so an open script is the last of its name.
    for (auto it = tagsBefore.crbegin(); it != tagsBefore.crend(); ++it) {
        if (sameName(nameOf(before, *it), "script"))
            return !it->closing && !it->selfClosing;
    }
    return false;
}

QByteArray TagPairs::innermostOpen(QByteArrayView before) const
{
    const QList<Tag> all = tags(before);
    if (insideCode(before, all))
        return {};
    // Walking back, closing tags wait for their opening tags; an opening tag met while one
    // waits that it does not answer lies inside a closed element.
    QList<QByteArray> waiting;
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        const QByteArray name = nameOf(before, *it).toByteArray();
        if (it->closing) {
            waiting.append(name.toLower());
        } else if (it->selfClosing) {
            continue;
        } else if (!waiting.isEmpty()) {
            const qsizetype answered = waiting.lastIndexOf(name.toLower());
            if (answered >= 0)
                waiting.resize(answered);
        } else if (!isVoid(name)) {
            return name;
        }
    }
    return {};
}

QByteArray TagPairs::closingFor(QByteArrayView before) const
{
    if (!before.endsWith('>'))
        return {};
    QList<Tag> all = tags(before);
    if (all.isEmpty())
        return {};
    const Tag typed = all.takeLast();
    if (typed.end != before.size() || typed.closing || typed.selfClosing)
        return {};
    const QByteArrayView name = nameOf(before, typed);
    if (isVoid(name) || insideCode(before.first(typed.start), all))
        return {};
    return "</" + name.toByteArray() + '>';
}

} // namespace Quillorn
