#pragma once

#include "editing/CssTokenizer.h"

#include <QByteArrayView>
#include <QColor>
#include <QList>
#include <QPair>

class QsciScintillaBase;

namespace Quillorn {

// Colours the style sheets inside <style> elements of an HTML document, which the HTML lexer
// leaves in its plain style: every token of a sheet gets a style of its own over the lexer's.
// The short runs of one style this makes also let the view reuse what it measured of a long
// line instead of measuring the sheet again after every keystroke.
class StyleBlockColourer {
public:
    // The style of the first kind of token; the others follow in the order of
    // CssTokenizer::Kind. The HTML lexer's own styles all lie below.
    static constexpr int FirstStyle = 128;
    // How far back from the text to colour the start of a <style> element is looked for.
    static constexpr qint64 LookBehind = 256 * 1024;

    explicit StyleBlockColourer(QsciScintillaBase* view);

    // Gives the view the colours of the token styles; needed again whenever its styles are
    // reset.
    void setUpStyles();

    // Forgets what was coloured, after the view got another document.
    void invalidate() { m_coloured.clear(); }
    // The text changed from `position` on: the colours after it no longer hold.
    void textChanged(qint64 position);
    // The lexer gave `length` bytes from `position` its own styles again.
    void lexerStyled(qint64 position, qint64 length);

    // Colours the <style> contents between the byte positions `from` and `to` that are not
    // coloured yet, as far as the lexer has coloured, each part from the start of its line.
    void colour(qint64 from, qint64 to);
    // The same for the lines on screen.
    void updateVisible();

    // The style and the colour of a kind of style-sheet token.
    static int style(CssTokenizer::Kind kind);
    static QColor colour(CssTokenizer::Kind kind);
    // The style the HTML lexer gave a byte that has `style` now.
    static int lexerStyle(int style);

private:
    using Range = QPair<qint64, qint64>;

    // The parts between `from` and `to` that are not coloured yet.
    QList<Range> uncoloured(qint64 from, qint64 to) const;
    void colourRange(qint64 from, qint64 to);
    // Where the tag `tag` (with the '<', lower case) stands between `start` and `end`, looking
    // backwards when `end` is before `start`; -1 when it is not there.
    qint64 findTag(QByteArrayView tag, qint64 start, qint64 end) const;
    void colourBlock(qint64 blockStart, qint64 blockEnd, qint64 from, qint64 to);
    void markColoured(qint64 from, qint64 to);
    void markUncoloured(qint64 from, qint64 to);

    QsciScintillaBase* m_view;
    // What is coloured: sorted ranges that neither touch nor overlap.
    QList<Range> m_coloured;
    // Set while this class writes styles, whose notifications are then its own.
    bool m_writing = false;
};

} // namespace Quillorn
