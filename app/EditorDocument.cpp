#include "app/EditorDocument.h"

#include "app/DocumentList.h"
#include "editing/CheckMarkers.h"
#include "editing/EditRules.h"
#include "editing/Editor.h"
#include "editing/LineCommands.h"

namespace Quillorn {

bool EditorDocument::isOpen() const
{
    return m_documents.current() >= 0;
}

QByteArray EditorDocument::bytes() const
{
    return isOpen() ? m_editor.bytes() : QByteArray();
}

QString EditorDocument::text() const
{
    return isOpen() ? m_editor.text() : QString();
}

void EditorDocument::replaceText(const QString& text)
{
    if (isOpen())
        m_editor.replaceBytes({{0, m_editor.bytes().size(), text.toUtf8()}});
}

void EditorDocument::replaceBytes(const QList<Replacement>& replacements)
{
    if (!isOpen())
        return;
    QList<Editor::Replacement> edits;
    edits.reserve(replacements.size());
    for (const Replacement& r : replacements)
        edits.append({r.position, r.length, r.bytes});
    m_editor.replaceBytes(edits);
}

QString EditorDocument::selectedText() const
{
    return isOpen() ? m_editor.selectedText() : QString();
}

void EditorDocument::replaceSelection(const QString& text)
{
    if (!isOpen())
        return;
    m_editor.replaceSelectedText(EditRules::withLineEnds(text, m_editor.lineEnd()));
    m_editor.setFocus();
}

int EditorDocument::caretLine() const
{
    if (!isOpen())
        return 0;
    int line = 0;
    int index = 0;
    m_editor.getCursorPosition(&line, &index);
    return line;
}

qint64 EditorDocument::caretPosition() const
{
    return isOpen() ? m_editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS) : 0;
}

void EditorDocument::setCaretPosition(qint64 position)
{
    if (!isOpen())
        return;
    const qint64 length = m_editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    position = std::clamp<qint64>(position, 0, length);
    // A UTF-8 continuation byte (10xxxxxx) is never where a character starts.
    while (position > 0 && position < length &&
           (m_editor.SendScintilla(QsciScintillaBase::SCI_GETCHARAT,
                                   static_cast<unsigned long>(position)) &
            0xC0) == 0x80)
        --position;
    m_editor.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(position));
}

void EditorDocument::select(const ByteRange& range)
{
    if (!isOpen())
        return;
    const qint64 length = m_editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const qint64 start = std::clamp<qint64>(range.start, 0, length);
    const qint64 end = std::clamp<qint64>(range.end, start, length);
    m_editor.SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(end), start);
    focusEditor();
}

QString EditorDocument::path() const
{
    return isOpen() ? m_documents[m_documents.current()].path : QString();
}

bool EditorDocument::isSaved() const
{
    return !isOpen() || m_documents[m_documents.current()].saved;
}

Encoding EditorDocument::encoding() const
{
    return isOpen() ? m_documents[m_documents.current()].encoding : Encoding{};
}

QByteArray EditorDocument::lineEnd() const
{
    return isOpen() ? EditRules::lineEndBytes(m_editor.lineEnd()) : QByteArray();
}

FileKind::Kind EditorDocument::kind() const
{
    return isOpen() ? m_documents[m_documents.current()].kind : FileKind::Kind::Other;
}

quint64 EditorDocument::id() const
{
    return isOpen() ? m_documents[m_documents.current()].id : 0;
}

bool EditorDocument::goTo(quint64 id, int line, int column)
{
    const int slot = m_documents.slotOf(id);
    if (slot < 0)
        return false;
    m_activate(slot);
    LineCommands::goTo(m_editor, {line, column});
    focusEditor();
    return true;
}

void EditorDocument::focusEditor()
{
    m_editor.window()->raise();
    m_editor.window()->activateWindow();
    m_editor.setFocus();
}

bool EditorDocument::setCheckMarks(quint64 id, const QList<CheckMark>& marks)
{
    const int slot = m_documents.slotOf(id);
    if (slot < 0)
        return false;
    if (slot == m_documents.current())
        showCheckMarks(marks);
    else
        m_documents.setPendingChecks(slot, marks);
    return true;
}

void EditorDocument::documentShown(int slot)
{
    if (const auto pending = m_documents.takePendingChecks(slot))
        showCheckMarks(*pending);
}

void EditorDocument::showCheckMarks(const QList<CheckMark>& marks)
{
    QList<CheckMarkers::Mark> shown;
    shown.reserve(marks.size());
    for (const CheckMark& mark : marks)
        shown.append({mark.line - 1, mark.error, mark.message});
    m_editor.checkMarkers().set(shown);
}

qint64 EditorDocument::length() const
{
    return isOpen() ? m_editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH) : 0;
}

CurrentDocument::ByteRange EditorDocument::selectionRange() const
{
    if (!isOpen())
        return {};
    return {m_editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART),
            m_editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND)};
}

qint64 EditorDocument::colourForPages(qint64 from, qint64 to)
{
    return isOpen() ? m_pages.colourStep(from, to) : to;
}

qint64 EditorDocument::formatPage(QPainter& painter, const QRect& area, qint64 from, qint64 to,
                                  bool draw)
{
    return isOpen() ? m_pages.formatPage(painter, area, from, to, draw) : to;
}

void EditorDocument::endPages()
{
    m_pages.release();
}

void EditorDocument::insert2Tag(const QString& tag)
{
    m_editor.insert2Tag(tag);
}

} // namespace Quillorn
