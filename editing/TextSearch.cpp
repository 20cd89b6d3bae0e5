#include "editing/TextSearch.h"

#include "editing/QsciHeaders.h"

#include <algorithm>
#include <array>

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
} // namespace

TextSearch::TextSearch(QsciScintillaBase* view)
    : m_view(view)
{
}

namespace {

unsigned char folded(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}

// The first (or, `backward`, the last) place of `word`, ASCII letters folded, that lies wholly
// in text[0, length): Horspool's skip over the byte under the word's last (first) letter, so a
// word of m letters reads about one byte in m.
qint64 findFolded(const char* text, qint64 length, const QByteArray& word, bool backward)
{
    const qint64 m = word.size();
    if (m > length)
        return -1;
    QByteArray key(m, Qt::Uninitialized);
    for (qint64 i = 0; i < m; ++i)
        key[i] = static_cast<char>(folded(word[backward ? m - 1 - i : i]));
    std::array<qint64, 256> skip;
    skip.fill(m);
    for (qint64 i = 0; i + 1 < m; ++i)
        skip[static_cast<unsigned char>(key[i])] = m - 1 - i;
    const auto at = [&](qint64 i) {
        return folded(text[backward ? length - 1 - i : i]);
    };
    for (qint64 i = 0; i + m <= length;) {
        const unsigned char last = at(i + m - 1);
        if (last == static_cast<unsigned char>(key[m - 1])) {
            qint64 k = 0;
            while (k + 1 < m && at(i + k) == static_cast<unsigned char>(key[k]))
                ++k;
            if (k + 1 == m)
                return backward ? length - i - m : i;
        }
        i += skip[last];
    }
    return -1;
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool TextSearch::search(const QByteArray& word, qint64 start, qint64 end, qint64* matchStart,
                        qint64* matchEnd) const
{
    if (word.isEmpty())
        return false;
    qint64 found = -1;
    if (isAscii(word)) {
        // An ASCII word never matches inside a multi-byte character, so the bytes can be
        // searched directly; the component's own search folds every character and is many
        // times slower on a big document.
        const qint64 from = std::min(start, end);
        const qint64 length = std::max(start, end) - from;
        const auto* text = reinterpret_cast<const char*>(m_view->SendScintilla(
            S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), length));
        const qint64 at = text ? findFolded(text, length, word, start > end) : -1;
        if (at >= 0) {
            found = from + at;
            m_view->SendScintilla(S::SCI_SETTARGETRANGE, static_cast<unsigned long>(found),
                                  static_cast<long>(found + word.size()));
        }
    } else {
        m_view->SendScintilla(S::SCI_SETSEARCHFLAGS, 0UL, 0L);
        m_view->SendScintilla(S::SCI_SETTARGETSTART, static_cast<unsigned long>(start));
        m_view->SendScintilla(S::SCI_SETTARGETEND, static_cast<unsigned long>(end));
        found = m_view->SendScintilla(S::SCI_SEARCHINTARGET,
                                      static_cast<unsigned long>(word.size()), word.constData());
    }
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
