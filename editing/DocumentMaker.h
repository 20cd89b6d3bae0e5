#pragma once

#include "editing/LexerChoice.h"

#include "component/QsciHeaders.h"

#include <QByteArray>

#include <memory>

class QsciLexer;

namespace Quillorn {

class HtmlLexer;

// Makes the editor's documents: each one gets its lexer and keywords in a hidden component of
// its own while it is still empty, so that a loaded text is never lexed again for that; and
// tells which lexer's colours and fonts a kind of document is drawn with.
class DocumentMaker {
public:
    DocumentMaker();
    ~DocumentMaker();

    // The PHP keywords of documents made from now on; an empty list keeps the lexer's own.
    void setPhpKeywords(const QByteArray& keywords);

    // A new empty document that colours as `kind`, with its own undo history.
    QsciDocument create(LexerKind kind);

    // The lexer whose styles a view shows documents of `kind` with; none for plain text.
    const QsciLexer* styleSource(LexerKind kind) const;

private:
    QsciLexer* lexer(LexerKind kind) const;

    std::unique_ptr<QsciScintilla> m_maker;
    HtmlLexer* m_html;
    QsciLexer* m_javaScript;
    QsciLexer* m_css;
};

} // namespace Quillorn
