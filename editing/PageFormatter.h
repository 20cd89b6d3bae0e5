#pragma once

#include <QtGlobal>

class QPainter;
class QRect;

namespace Quillorn {

class Editor;

// Lays out the editor's document on printed pages with the editor component's own page
// formatting, and colours the text to be printed first, a step at a time, since the editor
// colours only what comes into view.
class PageFormatter {
public:
    // How much text one colouring step takes on: some 25 ms of lexing and style sheets.
    static constexpr qint64 Step = qint64(256) << 10;

    explicit PageFormatter(Editor& editor)
        : m_editor(editor)
    {
    }

    // Colours whole lines from the byte position `from` on, about one step towards `to`;
    // returns where the next step starts, `to` once done. While the lexer stopped before
    // `from`, a step takes it on towards `from` instead and returns `from` again.
    qint64 colourStep(qint64 from, qint64 to);
    // Lays out the lines from `from` up to the line holding `to` on one page of `painter`'s
    // device inside `area`, and draws them when `draw` is true; returns the position after the
    // last line (or part of a wrapped line) that fitted.
    qint64 formatPage(QPainter& painter, const QRect& area, qint64 from, qint64 to, bool draw);
    // Releases the layout kept for the pages.
    void release();

private:
    // The start of the line after the one holding `position`; the length at the last line.
    qint64 nextLineStart(qint64 position) const;

    Editor& m_editor;
};

} // namespace Quillorn
