#pragma once

#include "visual/FormElement.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QSizeF>
#include <QUndoStack>

namespace Quillorn {

// A form as the designer edits it: the body's size and the elements in their order. Every
// edit is a step of the undo stack, so the stack's undo and redo restore any earlier state.
class FormDesign : public QObject {
    Q_OBJECT
public:
    static constexpr QSizeF DefaultBody{640, 480};

    struct Content {
        QSizeF body = DefaultBody;
        QList<FormElement> elements;
        bool operator==(const Content& other) const = default;
    };

    explicit FormDesign(QObject* parent = nullptr);

    const Content& content() const { return m_content; }
    const QList<FormElement>& elements() const { return m_content.elements; }
    QSizeF body() const { return m_content.body; }
    QUndoStack& undoStack() { return m_undo; }

    // Takes `content` as a whole (an opened design) as one step, so that undo gives back the
    // design it replaced.
    void replaceAll(const Content& content);

    // Adds `elements` at the end (a placed element, pasted copies).
    void add(const QList<FormElement>& elements);
    // Gives the elements at `indices` the new values `elements` (moved, resized, a property
    // changed). Consecutive edits with the same non-zero `mergeKey` are one step, so that
    // holding an arrow key down moves as one step.
    void change(const QList<int>& indices, const QList<FormElement>& elements, int mergeKey = 0);
    void remove(const QList<int>& indices);
    // Every element's axes in percent of the body, each where it lies.
    void allToPercent();

    // The names the elements have.
    QSet<QString> names() const;
    // The first name of `kind` not in `taken`: "label1", "text2"...
    static QString freeName(FormElement::Kind kind, const QSet<QString>& taken);

Q_SIGNALS:
    // The content changed: an edit, an undo or redo, a reset.
    void changed();

private:
    friend class FormDesignEdit;
    // Records the change from the present content to `next` as a step and makes it.
    void push(const Content& next, int mergeKey);
    void setContent(const Content& content);

    Content m_content;
    QUndoStack m_undo;
};

} // namespace Quillorn
