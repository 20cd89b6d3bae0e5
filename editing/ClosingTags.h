#pragma once

#include "editing/TagPairs.h"

class QsciScintillaBase;
class QString;

namespace Quillorn {

// Closing tags written for the user as they type: "</" is completed with the closing tag of
// the innermost open element, and (when asked for) the ">" of an opening tag adds its closing
// tag after the caret. Void elements never get one, nor does text inside PHP or a script.
class ClosingTags {
public:
    explicit ClosingTags(QsciScintillaBase& view);

    // The elements that never take a closing tag, in lower case.
    void setVoidNames(QSet<QByteArray> names) { m_pairs.setVoidNames(std::move(names)); }
    void setCompleteOnSlash(bool on) { m_completeOnSlash = on; }
    bool completesOnSlash() const { return m_completeOnSlash; }
    void setAddAfterOpening(bool on) { m_addAfterOpening = on; }
    bool addsAfterOpening() const { return m_addAfterOpening; }

    // `text` was just typed at the caret; true when a closing tag was written after it.
    bool typed(const QString& text);

private:
    QsciScintillaBase& m_view;
    TagPairs m_pairs;
    bool m_completeOnSlash = true;
    bool m_addAfterOpening = false;
};

} // namespace Quillorn
