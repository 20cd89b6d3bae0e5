#include "visual/FormHtmlWriter.h"

#include <QColor>
#include <QSet>

#include <algorithm>
#include <limits>

namespace Quillorn {

namespace {

using Kind = FormElement::Kind;

const QLatin1String Indent("  ");

// An element as written: where it lies in pixels, its name and id.
struct Placed {
    const FormElement* element;
    QRectF rect;
    QString name;
    QString id;
};

QString number(double value, bool percent)
{
    if (percent)
        return QString::number(value, 'g', 10) + QLatin1Char('%');
    return QString::number(qRound(value)) + QLatin1String("px");
}

QString attribute(const char* name, const QString& value)
{
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"") + value.toHtmlEscaped() +
           QLatin1Char('"');
}

QString style(const FormElement& element)
{
    const QRectF& g = element.geometry;
    QString css = QLatin1String("position:absolute;left:") +
                  number(g.left(), element.horizontalPercent) + QLatin1String(";top:") +
                  number(g.top(), element.verticalPercent) + QLatin1String(";width:") +
                  number(g.width(), element.horizontalPercent) + QLatin1String(";height:") +
                  number(g.height(), element.verticalPercent);
    // Only a colour name or number goes into the style, so no value can add rules of its own.
    if (QColor::isValidColorName(element.color))
        css += QLatin1String(";color:") + element.color;
    return attribute("style", css);
}

bool isField(Kind kind)
{
    return kind == Kind::TextField || kind == Kind::Checkbox || kind == Kind::Option ||
           kind == Kind::List;
}

// The id of the field `label` is for, or nothing.
QString labelTarget(const Placed& label, const QList<Placed>& placed)
{
    const Placed* best = nullptr;
    double bestGap = std::numeric_limits<double>::max();
    bool bestRight = false;
    for (const Placed& field : placed) {
        if (!isField(field.element->kind) || field.rect.top() >= label.rect.bottom() ||
            field.rect.bottom() <= label.rect.top())
            continue;
        const bool right = field.rect.left() >= label.rect.left();
        const double gap = std::max(
            {0.0, field.rect.left() - label.rect.right(), label.rect.left() - field.rect.right()});
        if (gap < bestGap || (gap == bestGap && right && !bestRight)) {
            best = &field;
            bestGap = gap;
            bestRight = right;
        }
    }
    return best ? best->id : QString();
}

QList<Placed> place(const FormDesign::Content& content)
{
    QList<Placed> placed;
    for (const FormElement& element : content.elements)
        placed.append({&element, element.pixelRect(content.body), element.name, {}});
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.rect.top() != b.rect.top() ? a.rect.top() < b.rect.top()
                                            : a.rect.left() < b.rect.left();
    });

    QSet<QString> names;
    for (const Placed& item : placed)
        names.insert(item.name);
    QSet<QString> ids;
    for (Placed& item : placed) {
        if (item.name.trimmed().isEmpty()) {
            item.name = FormDesign::freeName(item.element->kind, names);
            names.insert(item.name);
        }
        QString id = item.name.simplified().replace(QLatin1Char(' '), QLatin1Char('_'));
        const QString stem = id;
        for (int copy = 2; ids.contains(id); ++copy)
            id = stem + QLatin1Char('_') + QString::number(copy);
        ids.insert(id);
        item.id = id;
    }
    return placed;
}

QString input(const char* type, const Placed& item, bool withValue)
{
    const FormElement& element = *item.element;
    QString html = QLatin1String("<input") + attribute("type", QLatin1String(type)) +
                   attribute("id", item.id) + attribute("name", item.name);
    if (withValue)
        html += attribute("value", element.value);
    if (element.on)
        html += QLatin1String(" checked");
    return html + style(element) + QLatin1Char('>');
}

QString markup(const Placed& item, const QList<Placed>& placed)
{
    const FormElement& element = *item.element;
    const QString id = attribute("id", item.id);
    switch (element.kind) {
    case Kind::Label: {
        const QString target = labelTarget(item, placed);
        return QLatin1String("<label") + id +
               (target.isEmpty() ? QString() : attribute("for", target)) + style(element) +
               QLatin1Char('>') + element.value.toHtmlEscaped() + QLatin1String("</label>");
    }
    case Kind::TextField:
        return input("text", item, true);
    case Kind::Button:
        return input("button", item, true);
    case Kind::Checkbox:
        return input("checkbox", item, !element.value.isEmpty());
    case Kind::Option:
        return input("radio", item, !element.value.isEmpty());
    case Kind::List: {
        QString html = QLatin1String("<select") + id + attribute("name", item.name) +
                       style(element) + QLatin1String(">\n");
        for (const QString& option : element.listItems) {
            html += Indent + Indent + QLatin1String("<option") +
                    (option == element.value && !option.isEmpty() ? QLatin1String(" selected")
                                                                  : QLatin1String()) +
                    QLatin1Char('>') + option.toHtmlEscaped() + QLatin1String("</option>\n");
        }
        return html + Indent + QLatin1String("</select>");
    }
    case Kind::Link:
        return QLatin1String("<a") + id + attribute("href", element.value) + style(element) +
               QLatin1Char('>') + item.name.toHtmlEscaped() + QLatin1String("</a>");
    }
    Q_UNREACHABLE();
}

} // namespace

QString FormHtmlWriter::write(const FormDesign::Content& content)
{
    const QList<Placed> placed = place(content);
    QString html =
        QLatin1String("<form") +
        attribute("style", QLatin1String("position:relative;width:") +
                               number(content.body.width(), false) + QLatin1String(";height:") +
                               number(content.body.height(), false)) +
        QLatin1String(">\n");
    for (const Placed& item : placed)
        html += Indent + markup(item, placed) + QLatin1Char('\n');
    return html + QLatin1String("</form>\n");
}

} // namespace Quillorn
