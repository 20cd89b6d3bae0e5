#pragma once

#include <QByteArray>
#include <QObject>
#include <QSet>

#include <functional>

class QKeyEvent;
class QsciScintillaBase;

namespace Quillorn {

// Watches the document shown for very long lines, which the editor component lays out whole to
// show any part of them and again after every change: gives the view larger layout caches once
// it meets one, lays such lines out under a busy cursor when they come on screen with a
// document, and says once per document that a line has passed LongLine bytes.
class LongLineWatch : public QObject {
    Q_OBJECT

public:
    // Past this every keystroke lays out a megabyte or more again: tens of milliseconds in a
    // fixed-width font, a twentieth of a second or more in another, even with larger caches.
    static constexpr qint64 LongLine = qint64(1) << 20;
    // Past this a line is worth keeping measured text and layouts for.
    static constexpr qint64 SlowLine = qint64(64) << 10;
    // Past this a line has more different pieces of text than the caches for a slow line hold.
    static constexpr qint64 HugeLine = qint64(4) << 20;

    // Text typed into a long line: `bytes` went in at `position`, on the line that runs from
    // `lineStart` to `nextLine`; the document was coloured up to `styledBefore` before.
    struct Typing {
        qint64 lineStart = 0;
        qint64 nextLine = 0;
        qint64 position = 0;
        QByteArray bytes;
        qint64 styledBefore = 0;
    };
    // Colours a line that text was typed into.
    using LineColourer = std::function<void(const Typing& typing)>;

    // `colourLine` colours a long line after typing, before the view lays the line out again.
    LongLineWatch(QsciScintillaBase* view, LineColourer colourLine);

    // The view shows another document: one shown empty is new (or as good as new), and is told
    // about again.
    void documentShown();
    // Text was loaded into the document shown.
    void textLoaded();
    // An edit of the document shown is complete.
    void textChanged();
    // Runs `move` (which may move the view or the caret) and then lays out the lines on screen
    // longer than LongLine, so the paint that follows finds them done; all under a busy cursor
    // when the document shown has such a line, since that can take seconds.
    void moveView(const std::function<void()>& move);

    // Types the characters of `key` at the caret when it is on a line longer than SlowLine:
    // colours the line (through colourLine) before the view lays it out for the caret, so that
    // it is laid out once for the keystroke, not once before and once after colouring. False
    // (nothing done) for any other key or place, which the component then takes as usual.
    bool typeIntoLongLine(const QKeyEvent* key);

    // Colours a single byte typed into coloured HTML by itself when the lexer would give it
    // the colour of a neighbour and change nothing else; false when the line must be lexed.
    bool styleTypedByteAlone(const Typing& typing) const;
    // The keywords of the scripts in HTML documents, blank-separated, as the lexer has them.
    void setScriptKeywords(const QByteArray& keywords) { m_scriptKeywords = keywords; }

    // The first line with more than `limit` bytes among the lines holding the positions
    // `from` to `to`; -1 when there is none. Costs about (to - from) / limit look-ups.
    static qint64 firstLineLongerThan(const QsciScintillaBase* view, qint64 limit, qint64 from,
                                      qint64 to);

Q_SIGNALS:
    // A line of the document shown passed LongLine bytes; at most once per document.
    void longLineFound();

private:
    void onModified(int position, int modificationType, int length);
    void check(qint64 from, qint64 to);
    void enlargeCaches(long measuredTextEntries);
    // Colours the word of a script a single byte was typed into by itself (see
    // InertKeystroke::typedScriptWord); false when the line must be lexed.
    bool styleTypedScriptWord(const Typing& typing) const;
    bool noted() const;

    QsciScintillaBase* m_view;
    LineColourer m_colourLine;
    QByteArray m_scriptKeywords;
    // The documents already told about, by the component's document pointer.
    QSet<quintptr> m_noted;
    // Entries of measured text the view keeps; 0 while it keeps its own few.
    long m_measuredTextEntries = 0;
    // The part of the text touched by edits since the last check.
    qint64 m_changedFrom = -1;
    qint64 m_changedTo = -1;
};

} // namespace Quillorn
