#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSet>

#include <optional>

namespace Quillorn {

// Finds pairs in a piece of an HTML page: the partner of the tag whose name holds the caret,
// the partner of a bracket, the innermost element still open at a place and the closing tag
// that a just-typed opening tag needs. Tag names are compared without regard to letter case;
// comments and PHP blocks are passed over. Positions are byte offsets into the piece given.
class TagPairs {
public:
    // How far before and after a place in a document its pairs are looked for, so that
    // looking costs the same in documents of any size.
    static constexpr qint64 SearchWindow = qint64(256) << 10;

    // One tag of the text: `start` is its "<", `end` is just past its ">" (or the end of the
    // text when it is not closed), the name runs from nameStart to nameEnd.
    struct Tag {
        qint64 start = 0;
        qint64 end = 0;
        qint64 nameStart = 0;
        qint64 nameEnd = 0;
        bool closing = false;     // </name>
        bool selfClosing = false; // <name/>
    };

    // A name and its partner's name, or a bracket and its partner.
    struct Pair {
        qint64 at = 0;
        qint64 atEnd = 0;
        qint64 partner = 0;
        qint64 partnerEnd = 0;
        bool bracket = false;
        bool operator==(const Pair&) const = default;
    };

    // `voidNames`: elements that never take a closing tag, in lower case.
    explicit TagPairs(QSet<QByteArray> voidNames = {});
    void setVoidNames(QSet<QByteArray> voidNames) { m_voidNames = std::move(voidNames); }
    bool isVoid(QByteArrayView name) const;

    // The tags of `text` in order.
    static QList<Tag> tags(QByteArrayView text);

    // The partner of the tag whose name holds `caret` (the caret may stand just after the name);
    // nothing when the caret is in no tag name or the tag has no partner in `text`. Tags of
    // the same name between them pair up first.
    static std::optional<Pair> tagPartner(QByteArrayView text, qint64 caret);

    // The partner of the bracket just after or else just before `caret`: (), [] or {}. A
    // partner is missing when the brackets between do not balance out; `partner` is then -1.
    static std::optional<Pair> bracketPartner(QByteArrayView text, qint64 caret);

    // The name of the innermost element still open at the end of `before`; empty when there
    // is none, or when the end of `before` lies inside a PHP block or a script.
    QByteArray innermostOpen(QByteArrayView before) const;

    // The closing tag for the opening tag that ends exactly at the end of `before` (its ">"
    // just typed); empty for a void element, a closing or self-closing tag, text that does not
    // end a tag, and inside a PHP block or a script.
    QByteArray closingFor(QByteArrayView before) const;

    // True when the end of `before` lies inside a PHP block or a script element.
    static bool insideCode(QByteArrayView before, const QList<Tag>& tagsBefore);

private:
    QSet<QByteArray> m_voidNames;
};

} // namespace Quillorn
