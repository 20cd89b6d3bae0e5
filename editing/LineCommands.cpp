#include "editing/LineCommands.h"

#include "editing/CommentToggle.h"
#include "editing/Editor.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"

#include "component/QsciHeaders.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QRegularExpression>

#include <algorithm>

namespace Quillorn {

namespace {

using S = QsciScintillaBase;

long sci(const Editor& editor, unsigned int message, unsigned long wParam = 0, long lParam = 0)
{
    return editor.SendScintilla(message, wParam, lParam);
}

} // namespace

LineCommands::LineCommands(Editor& editor)
    : m_editor(editor)
{
    // The component claims a key for its shortcut-override as long as a command of its set is
    // bound to it, so the binding goes from the set (which also clears the key map).
    const int key = QKeyCombination(Qt::CTRL | Qt::Key_Slash).toCombined();
    if (QsciCommand* command = m_editor.standardCommands()->boundTo(key)) {
        if (command->key() == key)
            command->setKey(0);
        else
            command->setAlternateKey(0);
    }
}

std::optional<LineCommands::Target> LineCommands::parseTarget(const QString& input)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,9})\\s*(?::\\s*(\\d{1,9}))?\\s*$"));
    const QRegularExpressionMatch match = form.match(input);
    if (!match.hasMatch())
        return std::nullopt;
    Target target{match.captured(1).toInt(), 1};
    if (match.hasCaptured(2))
        target.column = match.captured(2).toInt();
    if (target.line < 1 || target.column < 1)
        return std::nullopt;
    return target;
}

void LineCommands::askGoToLine(Prompter& prompter, const LangStrings& strings)
{
    const std::optional<QString> answer =
        prompter.input(strings.message(Str::GoToLinePrompt, QString::number(m_editor.lines())),
                       strings.value(Str::GoToLine).remove(QLatin1String("...")));
    if (!answer)
        return;
    if (const std::optional<Target> target = parseTarget(*answer))
        goTo(m_editor, *target);
}

void LineCommands::goTo(Editor& editor, const Target& target)
{
    const long lastLine = std::max(0L, sci(editor, S::SCI_GETLINECOUNT) - 1);
    const auto line = static_cast<unsigned long>(std::clamp(target.line - 1L, 0L, lastLine));
    const long start = sci(editor, S::SCI_POSITIONFROMLINE, line);
    const long end = sci(editor, S::SCI_GETLINEENDPOSITION, line);
    // Counted in characters; a column past the line's end is its end.
    const long characters =
        sci(editor, S::SCI_COUNTCHARACTERS, static_cast<unsigned long>(start), end);
    const long position = target.column - 1 >= characters
                              ? end
                              : sci(editor, S::SCI_POSITIONRELATIVE,
                                    static_cast<unsigned long>(start), target.column - 1);
    sci(editor, S::SCI_ENSUREVISIBLEENFORCEPOLICY, line);
    sci(editor, S::SCI_GOTOPOS, static_cast<unsigned long>(position));
    editor.refreshStatus();
}

void LineCommands::toggleComment()
{
    const long selectionStart = sci(m_editor, S::SCI_GETSELECTIONSTART);
    const long selectionEnd = sci(m_editor, S::SCI_GETSELECTIONEND);
    const long firstLine =
        sci(m_editor, S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(selectionStart));
    long lastLine =
        sci(m_editor, S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(selectionEnd));
    // A selection that ends at the start of a line does not take that line in.
    if (lastLine > firstLine && selectionEnd == sci(m_editor, S::SCI_POSITIONFROMLINE,
                                                    static_cast<unsigned long>(lastLine)))
        --lastLine;
    const long start =
        sci(m_editor, S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(firstLine));
    const long end = sci(m_editor, S::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(lastLine));

    const auto* range = reinterpret_cast<const char*>(
        sci(m_editor, S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), end - start));
    const QByteArray lines(range ? range : "", range ? end - start : 0);
    // The language is the one of the first character with text, which the lexer must have
    // coloured; a blank line takes the caret's.
    long probe = start;
    while (probe < end && (lines[probe - start] == ' ' || lines[probe - start] == '\t'))
        ++probe;
    if (probe == end)
        probe = sci(m_editor, S::SCI_GETCURRENTPOS);
    m_editor.colour(start, std::min(sci(m_editor, S::SCI_GETLENGTH), end + 1));
    // The component gives styles as signed bytes; the style sheets' styles lie above 127.
    const auto style = static_cast<unsigned char>(
        sci(m_editor, S::SCI_GETSTYLEAT, static_cast<unsigned long>(probe)));
    const std::optional<CommentToggle::Language> language =
        CommentToggle::languageOfStyle(style, m_editor.lexerKind());
    if (!language)
        return;
    const std::optional<QByteArray> replacement = CommentToggle::toggle(lines, *language);
    if (!replacement)
        return;
    m_editor.replaceBytes({{start, end - start, *replacement}});
    sci(m_editor, S::SCI_SETSEL, static_cast<unsigned long>(start), start + replacement->size());
    m_editor.refreshStatus();
}

} // namespace Quillorn
