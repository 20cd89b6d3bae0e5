#include "editing/TextSearch.h"

#include "editing/QsciHeaders.h"

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
}

TextSearch::TextSearch(QsciScintillaBase* view)
    : m_view(view)
{
}

bool TextSearch::search(const QByteArray& word, qint64 start, qint64 end, qint64* matchStart,
                        qint64* matchEnd) const
{
    if (word.isEmpty())
        return false;
    m_view->SendScintilla(S::SCI_SETSEARCHFLAGS, 0UL, 0L);
    m_view->SendScintilla(S::SCI_SETTARGETSTART, static_cast<unsigned long>(start));
    m_view->SendScintilla(S::SCI_SETTARGETEND, static_cast<unsigned long>(end));
    const qint64 found = m_view->SendScintilla(
        S::SCI_SEARCHINTARGET, static_cast<unsigned long>(word.size()), word.constData());
    if (found < 0)
        return false;
    *matchStart = found;
    *matchEnd = m_view->SendScintilla(S::SCI_GETTARGETEND);
    return true;
}

bool TextSearch::findNext(const QString& word, Direction direction)
{
    const QByteArray bytes = word.toUtf8();
    const qint64 length = m_view->SendScintilla(S::SCI_GETLENGTH);
    const qint64 selStart = m_view->SendScintilla(S::SCI_GETSELECTIONSTART);
    const qint64 selEnd = m_view->SendScintilla(S::SCI_GETSELECTIONEND);
    qint64 start = 0;
    qint64 end = 0;
    bool found = false;
    switch (direction) {
    case Direction::Down:
        found = search(bytes, selEnd, length, &start, &end);
        break;
    case Direction::Up:
        found = search(bytes, selStart, 0, &start, &end);
        break;
    case Direction::All:
        found = search(bytes, selEnd, length, &start, &end) ||
                search(bytes, 0, std::min(length, selEnd + bytes.size() - 1), &start, &end);
        break;
    }
    if (!found)
        return false;
    m_view->SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(start), end);
    return true;
}

bool TextSearch::selectionIsMatch(const QByteArray& word) const
{
    const qint64 selStart = m_view->SendScintilla(S::SCI_GETSELECTIONSTART);
    const qint64 selEnd = m_view->SendScintilla(S::SCI_GETSELECTIONEND);
    if (selEnd <= selStart)
        return false;
    qint64 start = 0;
    qint64 end = 0;
    return search(word, selStart, selEnd, &start, &end) && start == selStart && end == selEnd;
}

bool TextSearch::replaceAndFindNext(const QString& word, const QString& replacement,
                                    Direction direction)
{
    const QByteArray bytes = word.toUtf8();
    if (bytes.isEmpty())
        return false;
    if (selectionIsMatch(bytes)) {
        const QByteArray with = replacement.toUtf8();
        const qint64 selStart = m_view->SendScintilla(S::SCI_GETSELECTIONSTART);
        m_view->SendScintilla(S::SCI_TARGETFROMSELECTION);
        m_view->SendScintilla(S::SCI_REPLACETARGET, static_cast<unsigned long>(with.size()),
                              with.constData());
        // Searching up goes on from the start of the new text, every other way from its end.
        const qint64 caret = direction == Direction::Up ? selStart : selStart + with.size();
        m_view->SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(caret), caret);
    }
    return findNext(word, direction);
}

qint64 TextSearch::replaceAll(const QString& word, const QString& replacement)
{
    const QByteArray bytes = word.toUtf8();
    const QByteArray with = replacement.toUtf8();
    if (bytes.isEmpty())
        return 0;
    qint64 count = 0;
    qint64 position = 0;
    qint64 start = 0;
    qint64 end = 0;
    m_view->SendScintilla(S::SCI_BEGINUNDOACTION);
    while (search(bytes, position, m_view->SendScintilla(S::SCI_GETLENGTH), &start, &end)) {
        m_view->SendScintilla(S::SCI_REPLACETARGET, static_cast<unsigned long>(with.size()),
                              with.constData());
        position = m_view->SendScintilla(S::SCI_GETTARGETEND);
        ++count;
    }
    m_view->SendScintilla(S::SCI_ENDUNDOACTION);
    return count;
}

} // namespace Quillorn
