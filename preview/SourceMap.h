#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace Quillorn {

// Where the elements of a page's text stand, so that an element of the preview can be found in
// the code and back: a small scanner of start tags that passes over comments, the doctype,
// CDATA sections, end tags, PHP blocks and the contents of script, style, textarea, title and
// xmp elements. Positions are byte positions of the text.
class SourceMap {
public:
    // The attribute the preview's copy gives each start tag: its byte position in the text.
    static constexpr const char* Attribute = "data-qsrc";

    struct Element {
        qint64 start = 0;   // the "<" of its start tag
        qint64 nameEnd = 0; // just after the tag's name
        qint64 tagEnd = 0;  // just after the start tag's ">"
        qint64 end = 0;     // just after its end tag, or where an element around it ends
    };

    // The elements of `text` in text order.
    static QList<Element> scan(const QByteArray& text);
    // `text` with ` data-qsrc="<start>"` after the name of each of `elements`' start tags.
    static QByteArray marked(const QByteArray& text, const QList<Element>& elements);
    // The starts of the elements that hold `position` (in their start tag or their content),
    // innermost first.
    static QList<qint64> enclosing(const QList<Element>& elements, qint64 position);
    // The end (just after ">") of the start tag that begins at `start`; nothing when no start
    // tag begins there.
    static std::optional<qint64> startTagEnd(const QByteArray& text, qint64 start);
};

} // namespace Quillorn
