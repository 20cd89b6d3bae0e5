#include "editing/KeyCommands.h"

#include "editing/CompletionList.h"
#include "editing/EditRules.h"
#include "editing/Editor.h"
#include "editing/EditorKeys.h"
#include "editing/TagCompletion.h"

#include <QKeyEvent>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
// The tag panel's entry that Ctrl+B activates.
constexpr int BoldTagEntry = 7;
} // namespace

KeyCommands::KeyCommands(Editor& editor, TagCompletion& completion)
    : m_editor(editor)
    , m_completion(completion)
{
}

KeyCommands::Outcome KeyCommands::run(const QKeyEvent& e)
{
    using Command = EditorKeys::Command;
    const int key = e.key();
    switch (EditorKeys::command(key, e.modifiers(), m_completion.isOpen())) {
    case Command::None:
        return Outcome::NotOurs;
    case Command::AcceptCompletion:
        acceptCompletion();
        break;
    case Command::NextCompletion:
        m_completion.list()->selectNext();
        break;
    case Command::PreviousCompletion:
        m_completion.list()->selectPrevious();
        break;
    case Command::CloseCompletion:
        m_completion.close();
        break;
    case Command::Paragraph:
        m_editor.insert2Tag(QStringLiteral("P"));
        break;
    case Command::NextTab:
        Q_EMIT m_editor.nextTabRequested();
        break;
    case Command::PreviousTab:
        Q_EMIT m_editor.previousTabRequested();
        break;
    case Command::Heading:
        m_editor.insert2Tag(QLatin1Char('H') + QString::number(key - Qt::Key_0));
        return Outcome::PassBareKey;
    case Command::LineBreak:
        m_editor.replaceSelectionBytes(QByteArrayLiteral("<BR>"));
        break;
    case Command::NonBreakingSpace:
        m_editor.replaceSelectionBytes(QByteArrayLiteral("&nbsp;"));
        break;
    case Command::PastePlainText:
        m_editor.pastePlainText();
        break;
    case Command::BoldEntry:
        Q_EMIT m_editor.tagEntryRequested(BoldTagEntry);
        break;
    case Command::IndentedLineEnd:
    case Command::Tab:
        // With several carets the component types the key at each of them.
        if (m_editor.SendScintilla(S::SCI_GETSELECTIONS) > 1)
            return Outcome::NotOurs;
        if (key == Qt::Key_Tab && m_editor.expandAbbreviation())
            break;
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            m_editor.replaceSelectionBytes('\t' + m_editor.selectedBytes());
        else
            insertIndentedLineEnd();
        break;
    }
    return Outcome::Done;
}

void KeyCommands::acceptCompletion()
{
    const QString item = m_completion.list()->currentText();
    const long caret = m_editor.SendScintilla(S::SCI_GETCURRENTPOS);
    m_completion.close();
    if (item.isEmpty())
        return;
    m_editor.SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(m_completion.start()), caret);
    m_editor.replaceSelectionBytes(item.toUtf8());
    m_editor.setFocus();
    m_editor.finishEdit();
}

void KeyCommands::insertIndentedLineEnd()
{
    const long caret = m_editor.SendScintilla(S::SCI_GETCURRENTPOS);
    m_editor.replaceSelectionBytes(
        EditRules::indentation(m_editor.leadingBlanks(caret), m_editor.lineEnd()));
}

} // namespace Quillorn
