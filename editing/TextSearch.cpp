#include "editing/TextSearch.h"

#include "component/QsciHeaders.h"

#include <algorithm>
#include <array>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Quillorn {

namespace {
using S = QsciScintillaBase;
} // namespace

TextSearch::TextSearch(QsciScintillaBase* view)
    : m_view(view)
{
}

namespace {

// Bytes with the ASCII capitals turned into small letters.
constexpr std::array<unsigned char, 256> FoldTable = [] {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<size_t>(i)] =
            static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + ('a' - 'A') : i);
    return table;
}();

unsigned char folded(char c)
{
    return FoldTable[static_cast<unsigned char>(c)];
}

// The first (or, `Backward`, the last) place of `word`, ASCII letters folded, that lies wholly
// in text[0, length): Horspool's skip over the byte under the word's last (first) letter, so a
// word of m letters reads about one byte in m.
template <bool Backward> qint64 findFolded(const char* text, qint64 length, const QByteArray& word)
{
    const qint64 m = word.size();
    if (m > length)
        return -1;
    // Searching backwards is searching the mirrored text for the mirrored word.
    QByteArray keyBytes(m, Qt::Uninitialized);
    for (qint64 i = 0; i < m; ++i)
        keyBytes[i] = static_cast<char>(folded(word[Backward ? m - 1 - i : i]));
    const auto* k = reinterpret_cast<const unsigned char*>(keyBytes.constData());
    std::array<qint64, 256> skip;
    skip.fill(m);
    for (qint64 i = 0; i + 1 < m; ++i)
        skip[k[i]] = m - 1 - i;
    const auto at = [text, length](qint64 i) {
        return folded(text[Backward ? length - 1 - i : i]);
    };
    const unsigned char last = k[m - 1];
    for (qint64 i = 0; i + m <= length;) {
        const unsigned char c = at(i + m - 1);
        if (c == last) {
            qint64 j = 0;
            while (j + 1 < m && at(i + j) == k[j])
                ++j;
            if (j + 1 == m)
                return Backward ? length - i - m : i;
        }
        i += skip[c];
    }
    return -1;
}

bool matchesAt(const char* text, const QByteArray& word)
{
    for (qint64 i = 0; i < word.size(); ++i) {
        if (folded(text[i]) != folded(word[i]))
            return false;
    }
    return true;
}

#ifdef __SSE2__
// The first place of `word` in text[0, length), ASCII letters folded: sixteen places at a time
// are tested on the word's first and last bytes, and only those that pass on all of it. A
// letter is compared with bit 5 set on both sides (which is its small form, and no other
// byte's); any other byte exactly.
qint64 findFoldedForward(const char* text, qint64 length, const QByteArray& word)
{
    const qint64 m = word.size();
    if (m > length)
        return -1;
    const auto lane = [](char c, bool mask) {
        const unsigned char f = folded(c);
        const bool letter = f >= 'a' && f <= 'z';
        return _mm_set1_epi8(static_cast<char>(mask ? (letter ? 0x20 : 0) : f));
    };
    const __m128i firstKey = lane(word[0], false);
    const __m128i firstOr = lane(word[0], true);
    const __m128i lastKey = lane(word[m - 1], false);
    const __m128i lastOr = lane(word[m - 1], true);
    qint64 i = 0;
    for (; i + m - 1 + 16 <= length; i += 16) {
        const __m128i first =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i)), firstOr);
        const __m128i last = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + m - 1)), lastOr);
        auto candidates = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(first, firstKey), _mm_cmpeq_epi8(last, lastKey))));
        while (candidates != 0) {
            const qint64 at = i + std::countr_zero(candidates);
            if (matchesAt(text + at, word))
                return at;
            candidates &= candidates - 1;
        }
    }
    for (; i + m <= length; ++i) {
        if (matchesAt(text + i, word))
            return i;
    }
    return -1;
}
#else
qint64 findFoldedForward(const char* text, qint64 length, const QByteArray& word)
{
    return findFolded<false>(text, length, word);
}
#endif

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
        const qint64 at = !text         ? -1
                          : start > end ? findFolded<true>(text, length, word)
                                        : findFoldedForward(text, length, word);
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
