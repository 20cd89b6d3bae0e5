#pragma once

#include <QString>

namespace Quillorn {

class LangStrings;

// The caption of the status line: caret line and column, and the length of the selection
// when there is one, in the words of the interface language.
class StatusLine {
public:
    struct Position {
        qint64 line = 1;     // 1-based
        qint64 column = 0;   // characters from the start of the line to the caret
        qint64 selected = 0; // characters selected
    };

    static QString caption(const LangStrings& strings, const Position& position);
};

} // namespace Quillorn
