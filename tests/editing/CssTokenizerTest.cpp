#include "editing/CssTokenizer.h"

#include <QTest>

using namespace Quillorn;
using Kind = CssTokenizer::Kind;

namespace {
// The tokens as "kind:text" pieces, easy to read in a failure.
QStringList describe(const QByteArray& text)
{
    static const char* names[] = {"sel", "at", "prop", "val", "str", "com", "punct"};
    QStringList out;
    for (const auto& token : CssTokenizer::tokenize(text)) {
        out << QString::fromLatin1(names[static_cast<int>(token.kind)]) + QLatin1Char(':') +
                   QString::fromUtf8(text.mid(token.start, token.length));
    }
    return out;
}
} // namespace

class CssTokenizerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitsStyleSheets_data();
    void splitsStyleSheets();
};

void CssTokenizerTest::splitsStyleSheets_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("rule") << QByteArray("p.x { color: red; }")
                          << QStringList{"sel:p.x", "punct:{", "prop:color", "punct::",
                                         "val:red", "punct:;", "punct:}"};
    QTest::newRow("pseudo-class stays selector")
        << QByteArray("a:hover{x:1}")
        << QStringList{"sel:a:hover", "punct:{", "prop:x", "punct::", "val:1", "punct:}"};
    QTest::newRow("comment and string")
        << QByteArray("/* c { } */ q { content: \"a;}\" }")
        << QStringList{"com:/* c { } */", "sel:q",       "punct:{", "prop:content",
                       "punct::",         "str:\"a;}\"", "punct:}"};
    QTest::newRow("media holds rules")
        << QByteArray("@media print { b { x: y } }")
        << QStringList{"at:@media", "val:print", "punct:{", "sel:b",   "punct:{",
                       "prop:x",    "punct::",   "val:y",   "punct:}", "punct:}"};
    QTest::newRow("import ends at semicolon")
        << QByteArray("@import url(a.css); i {}")
        << QStringList{"at:@import", "val:url(a.css)", "punct:;", "sel:i", "punct:{", "punct:}"};
    QTest::newRow("font-face holds declarations")
        << QByteArray("@font-face { src: x }")
        << QStringList{"at:@font-face", "punct:{", "prop:src", "punct::", "val:x", "punct:}"};
    QTest::newRow("unclosed comment runs to the end")
        << QByteArray("b { /* open") << QStringList{"sel:b", "punct:{", "com:/* open"};
    QTest::newRow("stray closing brace") << QByteArray("} a") << QStringList{"punct:}", "sel:a"};
}

void CssTokenizerTest::splitsStyleSheets()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    QCOMPARE(describe(text), expected);
}

QTEST_APPLESS_MAIN(CssTokenizerTest)
#include "CssTokenizerTest.moc"
