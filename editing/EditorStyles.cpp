#include "editing/EditorStyles.h"

#include "component/QsciHeaders.h"

#include <QColor>
#include <QFontDatabase>

namespace Quillorn {

QFont EditorStyles::editorFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    return font;
}

long EditorStyles::toViewColour(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

void EditorStyles::apply(QsciScintillaBase* view, const QsciLexer* lexer, const QFont& font)
{
    using S = QsciScintillaBase;
    const QByteArray family = font.family().toUtf8();
    const long size = font.pointSize() > 0 ? font.pointSize() : 10;
    auto setFont = [&](unsigned long style) {
        view->SendScintilla(S::SCI_STYLESETFONT, style, family.constData());
        view->SendScintilla(S::SCI_STYLESETSIZE, style, size);
    };

    view->SendScintilla(S::SCI_STYLERESETDEFAULT);
    setFont(S::STYLE_DEFAULT);
    view->SendScintilla(S::SCI_STYLESETFORE, S::STYLE_DEFAULT, toViewColour(Qt::black));
    view->SendScintilla(S::SCI_STYLESETBACK, S::STYLE_DEFAULT, toViewColour(Qt::white));
    view->SendScintilla(S::SCI_STYLECLEARALL);

    if (lexer) {
        for (int style = 0; style <= 255; ++style) {
            if (style >= S::STYLE_DEFAULT && style <= S::STYLE_LASTPREDEFINED)
                continue;
            if (lexer->description(style).isEmpty())
                continue;
            const auto s = static_cast<unsigned long>(style);
            const QFont lexerFont = lexer->font(style);
            setFont(s);
            view->SendScintilla(S::SCI_STYLESETBOLD, s, static_cast<long>(lexerFont.bold()));
            view->SendScintilla(S::SCI_STYLESETITALIC, s, static_cast<long>(lexerFont.italic()));
            view->SendScintilla(S::SCI_STYLESETFORE, s, toViewColour(lexer->color(style)));
            view->SendScintilla(S::SCI_STYLESETBACK, s, toViewColour(lexer->paper(style)));
            view->SendScintilla(S::SCI_STYLESETEOLFILLED, s,
                                static_cast<long>(lexer->eolFill(style)));
        }
    }

    view->SendScintilla(S::SCI_STYLESETFORE, S::STYLE_LINENUMBER,
                        toViewColour(QColor(0x60, 0x60, 0x60)));
    view->SendScintilla(S::SCI_STYLESETBACK, S::STYLE_LINENUMBER,
                        toViewColour(QColor(0xee, 0xee, 0xee)));
}

} // namespace Quillorn
