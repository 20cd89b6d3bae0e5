#pragma once

#include <QString>

namespace Quillorn {

// The editor as the tag windows, the tag tool bar and the reference trees see it: they read
// the selection and replace it, and never reach the editor's widget themselves.
class TagTarget {
public:
    virtual ~TagTarget();

    // The selected text of the active document, empty when nothing is selected.
    virtual QString selectedText() const = 0;

    // Replaces the selection (or inserts at the caret when nothing is selected); the caret
    // ends behind the inserted text. Every line end in `text` becomes the document's own.
    virtual void replaceSelection(const QString& text) = 0;

    // Wraps the selection in an element named `tag` ("<tag></tag>" around an empty selection)
    // and gives the editor the input focus.
    virtual void insert2Tag(const QString& tag) = 0;
};

} // namespace Quillorn
