#include "editing/HtmlLexer.h"

namespace Quillorn {

namespace {
// The lexer's keyword sets are numbered from 1: HTML, JavaScript, VBScript, Python, PHP, SGML.
constexpr int PhpKeywordSet = 5;
} // namespace

HtmlLexer::HtmlLexer(QObject* parent)
    : QsciLexerHTML(parent)
{
}

const char* HtmlLexer::keywords(int set) const
{
    if (set == PhpKeywordSet && !m_phpKeywords.isEmpty())
        return m_phpKeywords.constData();
    return QsciLexerHTML::keywords(set);
}

} // namespace Quillorn
