#pragma once

#include "editing/TagPairs.h"

#include <QObject>
#include <QTimer>

#include <optional>

class QsciScintilla;

namespace Quillorn {

// Shows the partner of the tag name or bracket at the caret once the caret rests, and jumps
// to it. Only a window of text around the caret is searched (TagPairs::SearchWindow).
class MatchHighlighter : public QObject {
    Q_OBJECT

public:
    // Lives and dies with `view`.
    explicit MatchHighlighter(QsciScintilla& view);

    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }

    // The caret moved or the text changed.
    void caretMoved();
    // The document shown is about to be replaced: its marks go.
    void clear();
    // Moves the caret to the partner of the tag name or bracket at it; false when it has none.
    bool jumpToPartner();

    // The partner at the caret as byte positions of the document.
    std::optional<TagPairs::Pair> pairAtCaret() const;
    // Where the last highlighting marked the names of a tag pair; nothing when it did not.
    std::optional<TagPairs::Pair> shownTagPair() const { return m_shownTags; }

private:
    void highlight();

    QsciScintilla& m_view;
    QTimer m_idle;
    bool m_enabled = false;
    std::optional<TagPairs::Pair> m_shownTags;
};

} // namespace Quillorn
