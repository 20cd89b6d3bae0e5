#pragma once

#include <QFont>

class QsciLexer;
class QsciScintillaBase;

namespace Quillorn {

// The look of the editor's text: one monospace font for every style and the light colours of
// the lexer in use, written straight into the view so that changing them never re-lexes a
// document.
class EditorStyles {
public:
    // The fixed-pitch font of the desktop.
    static QFont editorFont();

    // Gives the view the styles of `lexer` (only the default style when it is null), every one
    // in `font`, with the lexer's bold and italic kept.
    static void apply(QsciScintillaBase* view, const QsciLexer* lexer, const QFont& font);

    // A colour in the form the view takes (blue, green, red from the high byte down).
    static long toViewColour(const QColor& colour);
};

} // namespace Quillorn
