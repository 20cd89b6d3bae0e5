#include "visual/FormDesign.h"

#include <QUndoCommand>

#include <algorithm>
#include <functional>

namespace Quillorn {

// One step of the design's undo stack: the content before and after it.
class FormDesignEdit : public QUndoCommand {
public:
    FormDesignEdit(FormDesign& design, FormDesign::Content before, FormDesign::Content after,
                   int mergeKey)
        : m_design(design)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_mergeKey(mergeKey)
    {
    }

    void undo() override { m_design.setContent(m_before); }
    void redo() override { m_design.setContent(m_after); }
    int id() const override { return m_mergeKey == 0 ? -1 : m_mergeKey; }
    bool mergeWith(const QUndoCommand* other) override
    {
        m_after = static_cast<const FormDesignEdit*>(other)->m_after;
        return true;
    }

private:
    FormDesign& m_design;
    FormDesign::Content m_before;
    FormDesign::Content m_after;
    int m_mergeKey;
};

FormDesign::FormDesign(QObject* parent)
    : QObject(parent)
{
}

void FormDesign::replaceAll(const Content& content)
{
    if (content != m_content)
        push(content, 0);
}

void FormDesign::add(const QList<FormElement>& elements)
{
    if (elements.isEmpty())
        return;
    Content next = m_content;
    next.elements.append(elements);
    push(next, 0);
}

void FormDesign::change(const QList<int>& indices, const QList<FormElement>& elements, int mergeKey)
{
    Q_ASSERT(indices.size() == elements.size());
    Content next = m_content;
    for (qsizetype i = 0; i < indices.size(); ++i) {
        Q_ASSERT(indices[i] >= 0 && indices[i] < next.elements.size());
        next.elements[indices[i]] = elements[i];
    }
    if (next != m_content)
        push(next, mergeKey);
}

void FormDesign::remove(const QList<int>& indices)
{
    if (indices.isEmpty())
        return;
    QList<int> order = indices;
    std::sort(order.begin(), order.end(), std::greater<int>());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    Content next = m_content;
    for (int index : order)
        next.elements.removeAt(index);
    push(next, 0);
}

void FormDesign::allToPercent()
{
    Content next = m_content;
    for (FormElement& element : next.elements)
        element.setUnits(true, true, next.body);
    if (next != m_content)
        push(next, 0);
}

QSet<QString> FormDesign::names() const
{
    QSet<QString> taken;
    for (const FormElement& element : m_content.elements)
        taken.insert(element.name);
    return taken;
}

QString FormDesign::freeName(FormElement::Kind kind, const QSet<QString>& taken)
{
    const QString stem = FormElement::kindKey(kind);
    for (int number = 1;; ++number) {
        const QString name = stem + QString::number(number);
        if (!taken.contains(name))
            return name;
    }
}

void FormDesign::push(const Content& next, int mergeKey)
{
    m_undo.push(new FormDesignEdit(*this, m_content, next, mergeKey));
}

void FormDesign::setContent(const Content& content)
{
    m_content = content;
    Q_EMIT changed();
}

} // namespace Quillorn
