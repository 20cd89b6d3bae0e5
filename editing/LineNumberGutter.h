#pragma once

class QsciScintilla;

namespace Quillorn {

// The editor's line-number gutter: as wide as the document's line count needs, or hidden.
class LineNumberGutter {
public:
    explicit LineNumberGutter(QsciScintilla& view);

    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }
    // Fits the width to the line count; cheap while the count keeps its number of digits.
    void update();
    // Measures the width again, after the font changed.
    void refit();

private:
    QsciScintilla& m_view;
    bool m_visible = true;
    int m_digits = 0;
};

} // namespace Quillorn
