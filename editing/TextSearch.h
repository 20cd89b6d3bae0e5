#pragma once

#include <QByteArray>
#include <QString>

class QsciScintillaBase;

namespace Quillorn {

// Finding and replacing a word in the text of an editor, in place: the editor component
// searches its own buffer, so a document of any size is never copied. Letter case is ignored.
class TextSearch {
public:
    // All: down from the selection, then on from the top of the document. Down: from the end of
    // the selection to the end. Up: from the start of the selection back to the start.
    enum class Direction { All, Down, Up };

    explicit TextSearch(QsciScintillaBase* view);

    // Selects the next match of `word` in `direction`; false when there is none (the
    // selection then stays).
    bool findNext(const QString& word, Direction direction);

    // When the selection is a match of `word`, puts `replacement` in its place; then selects
    // the next match. True when a next match was found.
    bool replaceAndFindNext(const QString& word, const QString& replacement, Direction direction);

    // Replaces every match in the document as one undoable step; returns how many.
    qint64 replaceAll(const QString& word, const QString& replacement);

private:
    // The match in [start, end) (searching backwards when start > end), as its start and end.
    bool search(const QByteArray& word, qint64 start, qint64 end, qint64* matchStart,
                qint64* matchEnd) const;
    bool selectionIsMatch(const QByteArray& word) const;

    QsciScintillaBase* m_view;
};

} // namespace Quillorn
