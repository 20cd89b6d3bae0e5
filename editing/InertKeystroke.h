#pragma once

#include <QByteArrayView>

#include <optional>

namespace Quillorn {

// Tells when a character typed into an HTML document leaves the colours the HTML lexer gives
// all other text as they were, so that a long line need not be lexed again for the key: a
// letter, digit or space typed inside the words of plain text, a comment or a script string.
class InertKeystroke {
public:
    // How many bytes before the caret the decision looks at.
    static constexpr qsizetype LookBack = 16;

    // A byte beside the caret and the lexer's style of it.
    struct Neighbour {
        char byte = 0;
        int style = 0;
    };

    // The lexer's style for `typed` when typing it after `before` (up to LookBack bytes of the
    // caret's line, the last one styled `styleBefore`) and before `after` (none at the end of
    // the document) changes no other colour; nothing when the lexer has to look again.
    static std::optional<int> typedStyle(QByteArrayView before, int styleBefore, char typed,
                                         const std::optional<Neighbour>& after);
};

} // namespace Quillorn
