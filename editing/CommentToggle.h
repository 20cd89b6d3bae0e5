#pragma once

#include "editing/LexerChoice.h"

#include <QByteArray>

#include <optional>

namespace Quillorn {

// Comments whole lines out in the syntax of their language, or in again: the text of the lines
// in, the text that takes their place out, without the editor.
class CommentToggle {
public:
    // HTML "<!-- -->", CSS "/* */", JavaScript "//", PHP "//" (and "#" when uncommenting).
    enum class Language { Html, Css, JavaScript, Php };

    // The language of a byte the editor coloured with `style` in a document coloured as `kind`;
    // nothing for plain text, which has no comments.
    static std::optional<Language> languageOfStyle(int style, LexerKind kind);

    // `lines` (whole lines, their line ends kept) with every line that is not blank commented,
    // or uncommented when every such line already is a comment. Nothing when no line holds
    // text.
    static std::optional<QByteArray> toggle(const QByteArray& lines, Language language);
};

} // namespace Quillorn
