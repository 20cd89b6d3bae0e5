#pragma once

#include <QString>

class QTextDocument;

namespace Quillorn {

// The composer's text as web-page markup, and markup from elsewhere taken into the composer:
// writes clean, indented HTML from a QTextDocument (paragraphs, headings, nested lists, the
// character formats as tags and styles) and reads pasted or selected HTML without its scripts.
class RichTextHtml {
public:
    // The blocks and tables of `document` as HTML elements, each on its own line, nested ones
    // indented by two spaces, lines ended by "\n". Bold, italic, underline, strike-out and links
    // become tags; a colour, font family or size becomes a span's style only where it differs from
    // the document's default font and black text and no tag already says it. Links to
    // script addresses are written as their text alone. An empty document gives "".
    static QString toHtml(const QTextDocument& document);

    // `html` without comments, scripts, style sheets and event-handler attributes: what is
    // left can be given to QTextDocument::setHtml.
    static QString sanitised(const QString& html);

    // Whether `text` holds markup (an element's tag), so that it is taken in as HTML rather
    // than as plain text.
    static bool looksLikeHtml(const QString& text);

    // Whether `text` holds what taking it in would drop (PHP or other server blocks, scripts,
    // style sheets, comments): put back in its place, it would be lost from the page.
    static bool holdsCodeToDrop(const QString& text);

    // Whether a link to `address` may be written: not one that runs a script when followed.
    static bool isSafeAddress(const QString& address);
};

} // namespace Quillorn
