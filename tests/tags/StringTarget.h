#pragma once

#include "tags/TagTarget.h"

namespace Quillorn::Test {

// The editor's side of tag insertion over a plain string with a selection, for tests that
// check exactly which text lands where.
class StringTarget : public TagTarget {
public:
    explicit StringTarget(const QString& text = {}, qsizetype selectionStart = -1,
                          qsizetype selectionLength = 0);

    // Selects `part` of the text (its first occurrence).
    void select(const QString& part);

    QString selectedText() const override;
    void replaceSelection(const QString& text) override;
    void insert2Tag(const QString& tag) override;

    const QString& text() const { return m_text; }
    qsizetype caret() const { return m_start + m_length; }
    int focusRequests() const { return m_focusRequests; }

private:
    QString m_text;
    qsizetype m_start = 0;
    qsizetype m_length = 0;
    int m_focusRequests = 0;
};

} // namespace Quillorn::Test
