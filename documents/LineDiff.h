#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Quillorn {

// The differences between two versions of a text, line by line: the shortest list of lines to
// remove from the first and add from the second, shown as changes with a few unchanged lines
// around each.
class LineDiff {
public:
    enum class Kind {
        Same,    // in both
        Removed, // only in the first text
        Added,   // only in the second text
        Skipped, // unchanged lines left out between two changes
    };
    struct Line {
        Kind kind = Kind::Same;
        QString text;
        // Counted from 1; 0 where the line is not in that text (and for Skipped).
        int oldNumber = 0;
        int newNumber = 0;
    };
    struct Result {
        QList<Line> lines; // empty when the texts are equal
        // The texts differ in too many places to find the fewest changes in a reasonable time:
        // everything between the first and the last difference is shown as removed and added.
        bool approximate = false;
    };

    // Unchanged lines kept around each change.
    static constexpr int Context = 3;
    // Beyond this many differing lines the comparison settles for the approximate answer.
    static constexpr int MaxEdits = 4000;

    static Result compare(const QStringList& before, const QStringList& after);
    // The lines of `text`, with "\r\n", "\n" or "\r" between them.
    static QStringList splitLines(const QString& text);
};

} // namespace Quillorn
