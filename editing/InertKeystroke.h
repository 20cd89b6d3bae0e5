#pragma once

#include <QByteArrayView>
#include <QList>

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

    // How many bytes on each side of the caret a script's word is looked for in.
    static constexpr qsizetype WordWindow = 40;
    // A word of a script (a name, a keyword or a number) with a letter, digit or underscore
    // typed into it or at one of its ends: the lexer colours the whole word at its end, as a
    // number, a keyword of `keywords` (blank-separated) or a name.
    struct Word {
        qsizetype start = 0;
        qsizetype end = 0;
        int style = 0;
    };
    // Where in `text` the word around the byte typed at `at` lies and the style the lexer gives
    // it, when nothing else changes colour; `styles` are the lexer's styles of `text` (the
    // typed byte's own is not looked at). Nothing when the line has to be lexed: a byte of the
    // word was not a script's word, the word runs into a '.', '$' or a byte beyond ASCII (the
    // lexer may read them as part of it), a number takes a letter, or a '/' follows the word.
    static std::optional<Word> typedScriptWord(QByteArrayView text, qsizetype at,
                                               const QList<int>& styles, QByteArrayView keywords);
};

} // namespace Quillorn
