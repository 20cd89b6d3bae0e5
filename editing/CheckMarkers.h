#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>
#include <vector>

class QsciScintilla;

namespace Quillorn {

// A check's results in the editor's margin: a warning or an error symbol on each line a check
// named, the line's messages as the margin's tool tip, and the steps from one marked line to
// the next. Symbols and messages are kept in the document shown, so they move with its lines
// as it is edited and leave and come back with it when documents are switched.
class CheckMarkers : public QObject {
    Q_OBJECT
public:
    struct Mark {
        qint64 line = 0; // counted from 0
        bool error = false;
        QString message;
        bool operator==(const Mark&) const = default;
    };

    explicit CheckMarkers(QsciScintilla& view);

    // Puts `marks` in place of the document's marks; several on one line share its symbol
    // (an error wins) and tool tip. Lines past the end are dropped. Many marks go in over a
    // few turns of the event loop.
    void set(const QList<Mark>& marks);
    // Puts the marks still waiting in at once; before the document shown is changed.
    void finish();
    // The document's marks as they stand now, one a line in line order.
    QList<Mark> marks() const;
    // The margin's width follows the document shown: none while it has no marks.
    void documentShown();

    // The nearest marked line after `line` (before it when `forward` is false), going round
    // the ends of the text; nothing when no line is marked.
    std::optional<qint64> nextLine(qint64 line, bool forward) const;
    // The messages of a marked `line`, empty for a line without a mark.
    QString messagesAt(qint64 line) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    long sci(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    bool hasMarks() const;
    // Adds up to `limit` of the waiting marks, and has the rest added in the next turn.
    void addWaiting(qsizetype limit);

    QsciScintilla& m_view;
    std::vector<Mark> m_waiting;
    QTimer m_rest;
};

} // namespace Quillorn
