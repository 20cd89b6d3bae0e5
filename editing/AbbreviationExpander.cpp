#include "editing/AbbreviationExpander.h"

#include "editing/EditRules.h"
#include "editing/Editor.h"

#include "component/QsciHeaders.h"

#include <algorithm>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
// Longer abbreviations are not looked for.
constexpr qint64 MaxAbbreviationBytes = 4096;
} // namespace

AbbreviationExpander::AbbreviationExpander(Editor& editor)
    : m_editor(editor)
{
}

bool AbbreviationExpander::run()
{
    if (m_editor.SendScintilla(S::SCI_GETSELECTIONS) > 1 ||
        m_editor.SendScintilla(S::SCI_GETSELECTIONEMPTY) == 0)
        return false;
    const qint64 caret = m_editor.SendScintilla(S::SCI_GETCURRENTPOS);
    return nextStop(caret) || expand(caret);
}

bool AbbreviationExpander::nextStop(qint64 caret)
{
    if (m_stops.isEmpty())
        return false;
    if (!isInside(caret, caret)) {
        forget();
        return false;
    }
    m_editor.SendScintilla(S::SCI_GOTOPOS, static_cast<unsigned long>(m_stops.takeFirst()));
    return true;
}

bool AbbreviationExpander::expand(qint64 caret)
{
    if (m_editor.lexerKind() != LexerKind::Html)
        return false;
    const auto sci = [this](unsigned int message, qint64 value) {
        return static_cast<qint64>(
            m_editor.SendScintilla(message, static_cast<unsigned long>(value)));
    };
    // Only the bytes near the caret are read, so Tab stays quick on a line of megabytes; the
    // character after the caret needs at most four.
    const qint64 line = sci(S::SCI_LINEFROMPOSITION, caret);
    const qint64 lineStart = sci(S::SCI_POSITIONFROMLINE, line);
    const qint64 windowStart = std::max(lineStart, caret - MaxAbbreviationBytes);
    const qint64 windowEnd = std::min(sci(S::SCI_GETLINEENDPOSITION, line), caret + 4);
    const auto* bytes = reinterpret_cast<const char*>(
        m_editor.SendScintilla(S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(windowStart),
                               static_cast<long>(windowEnd - windowStart)));
    if (!bytes)
        return false;
    const QByteArray window(bytes, windowEnd - windowStart);
    const QString before = QString::fromUtf8(window.left(caret - windowStart));
    const QString text = before + QString::fromUtf8(window.mid(caret - windowStart));
    const auto start = Abbreviation::start(text, before.size());
    // A run that reaches back to the start of a cut window is longer than any abbreviation.
    if (!start || (*start == 0 && windowStart > lineStart))
        return false;
    const QStringView abbreviation = QStringView(before).sliced(*start);

    Abbreviation::Format format;
    // One level deeper is what Tab inserts with nothing selected.
    format.indentUnit = EditRules::tabbed(QString());
    format.lineEnd = QString::fromLatin1(EditRules::lineEndBytes(m_editor.lineEnd()));
    format.baseIndent = QString::fromLatin1(m_editor.leadingBlanks(caret));
    const auto expansion = Abbreviation::expand(abbreviation, m_table, format);
    const qint64 from = caret - abbreviation.toUtf8().size();
    if (!expansion || !isMarkupText(from, caret))
        return false;

    forget();
    m_editor.replaceBytes({{from, caret - from, expansion->text}});
    m_start = from;
    m_end = from + expansion->text.size();
    for (const qsizetype stop : expansion->stops)
        m_stops.append(from + stop);
    m_editor.SendScintilla(S::SCI_GOTOPOS, static_cast<unsigned long>(
                                               m_stops.isEmpty() ? m_end : m_stops.takeFirst()));
    return true;
}

bool AbbreviationExpander::isMarkupText(qint64 from, qint64 to) const
{
    m_editor.colour(from, to);
    const auto style = [this](qint64 pos) {
        return m_editor.SendScintilla(S::SCI_GETSTYLEAT, static_cast<unsigned long>(pos));
    };
    // Its ends in plain text; its "{...}" text may hold what the lexer takes for an entity or
    // a tag, but no script, style sheet or PHP code, whose styles lie above the markup's.
    if (style(from) != QsciLexerHTML::Default || style(to - 1) != QsciLexerHTML::Default)
        return false;
    for (qint64 pos = from + 1; pos < to - 1; ++pos) {
        if (style(pos) >= QsciLexerHTML::JavaScriptStart)
            return false;
    }
    return true;
}

bool AbbreviationExpander::isInside(qint64 from, qint64 to) const
{
    // Its first and last bytes are those of a tag, never a spot: typing just before or after
    // the expansion is work outside it.
    return from > m_start && to < m_end;
}

void AbbreviationExpander::textChanging(qint64 position, qint64 length, bool inserting)
{
    if (m_stops.isEmpty())
        return;
    if (!isInside(position, inserting ? position : position + length)) {
        forget();
        return;
    }
    for (qint64& stop : m_stops) {
        if (inserting && stop >= position)
            stop += length;
        else if (!inserting && stop > position)
            stop = std::max(position, stop - length);
    }
    m_end += inserting ? length : -length;
}

void AbbreviationExpander::caretMoved(qint64 caret)
{
    if (!isInside(caret, caret))
        forget();
}

} // namespace Quillorn
