#pragma once

#include "component/QsciHeaders.h"

#include <QByteArray>

namespace Quillorn {

// The HTML lexer with embedded PHP, JavaScript and CSS, taking its PHP keywords from the
// shipped keyword list instead of the built-in one.
class HtmlLexer : public QsciLexerHTML {
    Q_OBJECT

public:
    explicit HtmlLexer(QObject* parent = nullptr);

    // An empty list keeps the lexer's own PHP keywords.
    void setPhpKeywords(const QByteArray& keywords) { m_phpKeywords = keywords; }
    const QByteArray& phpKeywords() const { return m_phpKeywords; }

    const char* keywords(int set) const override;

private:
    QByteArray m_phpKeywords;
};

} // namespace Quillorn
