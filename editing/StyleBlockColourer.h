#pragma once

#include "editing/CssTokenizer.h"

#include <QByteArrayView>
#include <QColor>

class QsciScintillaBase;

namespace Quillorn {

// Colours the style sheets inside <style> elements of an HTML document, which the HTML lexer
// leaves plain. Only the lines on screen are looked at, so the cost does not grow with the
// document: the colours go into an indicator that draws text in its own colour.
class StyleBlockColourer {
public:
    static constexpr int Indicator = 8;
    // How far back from the screen the start of a <style> element is looked for.
    static constexpr qint64 LookBehind = 256 * 1024;

    explicit StyleBlockColourer(QsciScintillaBase* view);

    // Sets up the indicator on the view; needed once per view.
    void setUpView();

    // Forgets what was coloured last, after the view got another document or the text changed.
    void invalidate() { ++m_generation; }

    // Colours the <style> contents on screen, unless nothing changed since the last time.
    void updateVisible();

    // Colours the <style> contents between the byte positions `from` and `to`.
    void colourRange(qint64 from, qint64 to);

    // The colour a kind of style-sheet token is drawn in.
    static QColor colour(CssTokenizer::Kind kind);

private:
    qint64 findTag(QByteArrayView tag, qint64 start, qint64 end) const;
    void colourBlock(qint64 blockStart, qint64 blockEnd, qint64 from, qint64 to);

    QsciScintillaBase* m_view;
    quint64 m_generation = 0;
    quint64 m_colouredGeneration = ~0ull;
    qint64 m_colouredFrom = -1;
    qint64 m_colouredTo = -1;
};

} // namespace Quillorn
