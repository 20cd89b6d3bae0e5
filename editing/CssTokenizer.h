#pragma once

#include <QByteArrayView>

#include <vector>

namespace Quillorn {

// Splits style-sheet text into the pieces the colouring tells apart: selectors, at-rules,
// property names, values, strings, comments and punctuation. It is forgiving: any bytes give
// some split, never an error.
class CssTokenizer {
public:
    enum class Kind { Selector, AtRule, Property, Value, String, Comment, Punctuation };

    struct Token {
        qsizetype start = 0;
        qsizetype length = 0;
        Kind kind = Kind::Selector;
        bool operator==(const Token&) const = default;
    };

    // The tokens of `text`, read as the start of a style sheet (outside any rule). Blanks
    // between tokens belong to none.
    static std::vector<Token> tokenize(QByteArrayView text);
};

} // namespace Quillorn
