#pragma once

#include <QList>

class QsciScintilla;

namespace Quillorn {

// Code folding in the editor: the fold margin, folding and unfolding everything, and the folded
// blocks of a document kept while another is shown. The lexers work out the blocks (HTML
// elements, PHP and JavaScript braces, CSS rules) as they colour, so folding costs nothing for
// text not yet coloured.
class Folding {
public:
    explicit Folding(QsciScintilla& view);

    // Off, the margin is hidden and every block is unfolded.
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }

    // Folding everything colours the whole document first: the blocks of the text are needed.
    void foldAll();
    void unfoldAll();

    // The lines that head a folded block, in order.
    QList<qint64> foldedLines() const;
    // Folds the blocks headed by `lines` again, after the document was shown anew.
    void fold(const QList<qint64>& lines);

private:
    QsciScintilla& m_view;
    bool m_enabled = false;
};

} // namespace Quillorn
