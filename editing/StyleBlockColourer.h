#pragma once

#include "editing/CssTokenizer.h"

#include <QByteArrayView>
#include <QColor>
#include <QList>
#include <QPair>

class QsciScintillaBase;

namespace Quillorn {

// Colours the style sheets inside <style> elements of an HTML document, which the HTML lexer
// leaves plain. Only the text on screen is looked at, so the cost does not grow with the
// document nor with a long line: the colours go into an indicator that draws text in its own
// colour.
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

    // Colours the <style> contents on screen, unless nothing changed since the last time. Text
    // the lexer has not reached yet is left for a later call.
    void updateVisible();

    // Colours the <style> contents between the byte positions `from` and `to`; false (and
    // nothing done) while the lexer has not coloured that far.
    bool colourRange(qint64 from, qint64 to);

    // The colour a kind of style-sheet token is drawn in.
    static QColor colour(CssTokenizer::Kind kind);

private:
    using Range = QPair<qint64, qint64>;

    // The text on screen: whole lines, but only the visible stretch of a line longer than
    // LongLineWatch::SlowLine.
    QList<Range> visibleRanges() const;
    qint64 findTag(QByteArrayView tag, qint64 start, qint64 end) const;
    void colourBlock(qint64 blockStart, qint64 blockEnd, qint64 from, qint64 to);

    QsciScintillaBase* m_view;
    quint64 m_generation = 0;
    quint64 m_colouredGeneration = ~0ull;
    QList<Range> m_coloured;
};

} // namespace Quillorn
