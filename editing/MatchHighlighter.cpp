#include "editing/MatchHighlighter.h"

#include "component/QsciHeaders.h"
#include "editing/TextWindow.h"

#include <QColor>

namespace Quillorn {

namespace {

using S = QsciScintillaBase;

// The first indicator free for the program's own use.
constexpr int MatchIndicator = S::INDIC_CONTAINER;
constexpr int BadIndicator = S::INDIC_CONTAINER + 1;

long bgr(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

} // namespace

MatchHighlighter::MatchHighlighter(QsciScintilla& view)
    : QObject(&view)
    , m_view(view)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &MatchHighlighter::highlight);

    const auto setUp = [this](int indicator, const QColor& colour) {
        m_view.SendScintilla(S::SCI_INDICSETSTYLE, static_cast<unsigned long>(indicator),
                             static_cast<long>(S::INDIC_ROUNDBOX));
        m_view.SendScintilla(S::SCI_INDICSETFORE, static_cast<unsigned long>(indicator),
                             bgr(colour));
        m_view.SendScintilla(S::SCI_INDICSETALPHA, static_cast<unsigned long>(indicator), 90L);
        m_view.SendScintilla(S::SCI_INDICSETUNDER, static_cast<unsigned long>(indicator), 1L);
    };
    setUp(MatchIndicator, QColor(0, 120, 215));
    setUp(BadIndicator, QColor(220, 0, 0));
    // Brackets are marked with the same indicators as tags rather than with styles of their own.
    m_view.SendScintilla(S::SCI_BRACEHIGHLIGHTINDICATOR, 1UL, static_cast<long>(MatchIndicator));
    m_view.SendScintilla(S::SCI_BRACEBADLIGHTINDICATOR, 1UL, static_cast<long>(BadIndicator));
}

void MatchHighlighter::setEnabled(bool on)
{
    m_enabled = on;
    if (on)
        caretMoved();
    else
        clear();
}

void MatchHighlighter::caretMoved()
{
    if (m_enabled)
        m_idle.start();
}

void MatchHighlighter::clear()
{
    m_idle.stop();
    m_view.SendScintilla(S::SCI_BRACEHIGHLIGHT, static_cast<unsigned long>(-1), -1L);
    if (m_shownTags) {
        m_view.SendScintilla(S::SCI_SETINDICATORCURRENT,
                             static_cast<unsigned long>(MatchIndicator));
        for (const auto& [from, to] : {std::pair(m_shownTags->at, m_shownTags->atEnd),
                                       std::pair(m_shownTags->partner, m_shownTags->partnerEnd)})
            m_view.SendScintilla(S::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(from),
                                 static_cast<long>(to - from));
        m_shownTags.reset();
    }
}

std::optional<TagPairs::Pair> MatchHighlighter::pairAtCaret() const
{
    const qint64 caret = m_view.SendScintilla(S::SCI_GETCURRENTPOS);
    const TextWindow window =
        TextWindow::read(m_view, caret - TagPairs::SearchWindow, caret + TagPairs::SearchWindow);
    std::optional<TagPairs::Pair> pair = TagPairs::bracketPartner(window.text, caret - window.from);
    if (!pair)
        pair = TagPairs::tagPartner(window.text, caret - window.from);
    if (pair) {
        pair->at += window.from;
        pair->atEnd += window.from;
        if (pair->partner >= 0) {
            pair->partner += window.from;
            pair->partnerEnd += window.from;
        }
    }
    return pair;
}

void MatchHighlighter::highlight()
{
    clear();
    const std::optional<TagPairs::Pair> pair = pairAtCaret();
    if (!pair)
        return;
    if (pair->bracket) {
        // A bracket: the component marks it, or marks it bad when it has no partner.
        if (pair->partner < 0)
            m_view.SendScintilla(S::SCI_BRACEBADLIGHT, static_cast<unsigned long>(pair->at));
        else
            m_view.SendScintilla(S::SCI_BRACEHIGHLIGHT, static_cast<unsigned long>(pair->at),
                                 static_cast<long>(pair->partner));
        return;
    }
    m_view.SendScintilla(S::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(MatchIndicator));
    m_view.SendScintilla(S::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(pair->at),
                         static_cast<long>(pair->atEnd - pair->at));
    m_view.SendScintilla(S::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(pair->partner),
                         static_cast<long>(pair->partnerEnd - pair->partner));
    m_shownTags = pair;
}

bool MatchHighlighter::jumpToPartner()
{
    const std::optional<TagPairs::Pair> pair = pairAtCaret();
    if (!pair || pair->partner < 0)
        return false;
    m_view.SendScintilla(S::SCI_GOTOPOS, static_cast<unsigned long>(pair->partner));
    return true;
}

} // namespace Quillorn
