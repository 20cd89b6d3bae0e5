#pragma once

#include "editing/Abbreviation.h"

#include <QList>

namespace Quillorn {

class Editor;

// Expands the abbreviation before the caret in the text of an HTML document and then leads the
// caret through the empty spots of the expansion, one spot per call, until the last one or
// until the user works outside the expansion.
class AbbreviationExpander {
public:
    explicit AbbreviationExpander(Editor& editor);

    // The aliases of the table file at `path` over the built-in element rules.
    void loadTable(const QString& path) { m_table = Abbreviation::loadTable(path); }

    // Moves the caret to the next empty spot of the last expansion, or else expands the
    // abbreviation that ends at the caret as one undo step; false when there is neither or
    // text is selected.
    bool run();

    // `length` bytes at `position` are about to be inserted or deleted: the spots after them
    // move; a change outside the expansion ends it.
    void textChanging(qint64 position, qint64 length, bool inserting);
    // A caret outside the expansion ends it.
    void caretMoved(qint64 caret);
    // The spots left are forgotten: another document, undo or redo.
    void forget() { m_stops.clear(); }

private:
    bool nextStop(qint64 caret);
    bool expand(qint64 caret);
    // Whether the bytes from `from` to `to` stand in the text of the markup: not in a tag, an
    // attribute value, a script, a style sheet or PHP code.
    bool isMarkupText(qint64 from, qint64 to) const;
    // Whether the bytes from `from` to `to` lie within the expansion, off its ends.
    bool isInside(qint64 from, qint64 to) const;

    Editor& m_editor;
    Abbreviation::Table m_table = Abbreviation::builtInTable();
    QList<qint64> m_stops; // byte positions, ascending
    qint64 m_start = 0;    // the expansion in the document
    qint64 m_end = 0;
};

} // namespace Quillorn
