#include "editing/DocumentMaker.h"

#include "editing/HtmlLexer.h"

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
} // namespace

DocumentMaker::DocumentMaker()
    : m_maker(std::make_unique<QsciScintilla>())
    , m_html(new HtmlLexer(m_maker.get()))
    , m_javaScript(new QsciLexerJavaScript(m_maker.get()))
    , m_css(new QsciLexerCSS(m_maker.get()))
{
    m_maker->setUtf8(true);
}

DocumentMaker::~DocumentMaker() = default;

void DocumentMaker::setPhpKeywords(const QByteArray& keywords)
{
    m_html->setPhpKeywords(keywords);
}

QsciLexer* DocumentMaker::lexer(LexerKind kind) const
{
    switch (kind) {
    case LexerKind::Html:
        return m_html;
    case LexerKind::JavaScript:
        return m_javaScript;
    case LexerKind::Css:
        return m_css;
    case LexerKind::PlainText:
        break;
    }
    return nullptr;
}

const QsciLexer* DocumentMaker::styleSource(LexerKind kind) const
{
    return lexer(kind);
}

QsciDocument DocumentMaker::create(LexerKind kind)
{
    // The lexer belongs to the document: set on a loaded one, it would lex the whole text.
    QsciDocument document;
    m_maker->setDocument(document);
    m_maker->setLexer(nullptr);
    if (QsciLexer* documentLexer = lexer(kind)) {
        m_maker->setLexer(documentLexer);
        // The lexer works out the foldable blocks as it colours; whether they can be folded is
        // the view's business.
        m_maker->SendScintilla(S::SCI_SETPROPERTY, "fold", "1");
        m_maker->SendScintilla(S::SCI_SETPROPERTY, "fold.html", "1");
        m_maker->SendScintilla(S::SCI_SETPROPERTY, "fold.html.preprocessor", "1");
        m_maker->SendScintilla(S::SCI_SETPROPERTY, "fold.compact", "0");
    } else
        m_maker->SendScintilla(S::SCI_SETLEXER, static_cast<unsigned long>(S::SCLEX_NULL));
    m_maker->SendScintilla(S::SCI_SETEOLMODE, static_cast<unsigned long>(S::SC_EOL_CRLF));
    // The maker lets go of the document; the caller's handle keeps it alive.
    m_maker->setDocument(QsciDocument());
    return document;
}

} // namespace Quillorn
