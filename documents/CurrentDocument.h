#pragma once

#include "documents/Encoding.h"
#include "documents/FileKind.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QPainter;
class QRect;

namespace Quillorn {

// The document the user works on, as the subsystems beside the editor (tools, preview,
// printing, plug-ins) see it: its text and how it is stored, without the editor's widget or
// the main window.
class CurrentDocument {
public:
    virtual ~CurrentDocument();

    // Whether a document is open; every other member speaks of nothing (empty values) while
    // none is.
    virtual bool isOpen() const = 0;

    // The text as the editor holds it, byte for byte (UTF-8, invalid bytes kept).
    virtual QByteArray bytes() const = 0;
    virtual QString text() const = 0;
    // Replaces the whole text as one step the user can undo.
    virtual void replaceText(const QString& text) = 0;
    // `length` bytes from byte `position` that give way to `bytes`.
    struct Replacement {
        qint64 position = 0;
        qint64 length = 0;
        QByteArray bytes;
    };
    // Makes `replacements` (in text order, not overlapping) as one step the user can undo;
    // NUL and invalid bytes survive.
    virtual void replaceBytes(const QList<Replacement>& replacements) = 0;

    // The selected text, empty when nothing is selected.
    virtual QString selectedText() const = 0;
    // Replaces the selection (or inserts at the caret when nothing is selected); the caret
    // ends behind the inserted text. Every line end in `text` becomes the document's own.
    virtual void replaceSelection(const QString& text) = 0;
    // The line of the caret, counted from 0.
    virtual int caretLine() const = 0;
    // The caret as a byte position of `bytes()`.
    virtual qint64 caretPosition() const = 0;
    // Puts the caret, with nothing selected, at byte `position` (kept within the text and moved
    // back to the start of the character it falls in) and scrolls it into view.
    virtual void setCaretPosition(qint64 position) = 0;

    // A stretch of the text in byte positions.
    struct ByteRange {
        qint64 start = 0;
        qint64 end = 0;
    };
    // Selects `range` (byte positions, kept within the text) with the caret at its start,
    // scrolls it into view and brings the editor forward.
    virtual void select(const ByteRange& range) = 0;

    // The document's file; empty for a document without one.
    virtual QString path() const = 0;
    virtual bool isSaved() const = 0;
    virtual Encoding encoding() const = 0;
    // The line end Enter inserts: "\r\n", "\n" or "\r".
    virtual QByteArray lineEnd() const = 0;
    virtual FileKind::Kind kind() const = 0;

    // A number that names the current document while it stays open, never given to another;
    // 0 while none is open.
    virtual quint64 id() const = 0;
    // Makes the open document `id` current, puts its caret at `line` and `column` (both
    // counted from 1, kept within the text) in view, and brings the editor forward. False when
    // that document was closed.
    virtual bool goTo(quint64 id, int line, int column) = 0;

    // Check results: the lines a check named, marked in the editor's margin with their
    // messages. The marks move with the text as it is edited and stay with their document.
    struct CheckMark {
        int line = 0; // counted from 1
        bool error = false;
        QString message; // the messages of the line, one a line
        bool operator==(const CheckMark&) const = default;
    };
    // Puts `marks` in place of the marks of the open document `id`, by their line numbers
    // (an empty list clears them). False when that document was closed.
    virtual bool setCheckMarks(quint64 id, const QList<CheckMark>& marks) = 0;

    // Printing. Positions are byte positions of the text. The editor component lays the text
    // out on pages itself, as the screen shows it: its fonts and colours, lines wrapped at the
    // page's width, line numbers while the gutter shows them.

    // The length of the text in bytes.
    virtual qint64 length() const = 0;
    // The selection; start and end are equal when nothing is selected.
    virtual ByteRange selectionRange() const = 0;
    // Gives the text from `from` on its colours, a step of whole lines (a few hundred
    // kilobytes) at a time, towards `to`; returns where the next step starts, `to` once done.
    // Pages laid out from coloured text show the colours of the screen, also where the screen
    // has not been yet.
    virtual qint64 colourForPages(qint64 from, qint64 to) = 0;
    // Lays out the text from `from` (and no further than the line holding `to`) on one page of
    // `painter`'s device inside `area` (device units), drawing it when `draw` is true; returns
    // where the next page starts.
    virtual qint64 formatPage(QPainter& painter, const QRect& area, qint64 from, qint64 to,
                              bool draw) = 0;
    // Lets go of what laying out pages kept, after the last page.
    virtual void endPages() = 0;
};

} // namespace Quillorn
