#include "visual/FormSurface.h"

#include "visual/FormDesign.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Quillorn {

namespace {

constexpr double MinSize = 4.0;
constexpr double HandleSize = 6.0;
constexpr double BoxSize = 13.0; // the square of a checkbox, the circle of an option
constexpr int MoveMerge = 1;
constexpr int ResizeMerge = 2;

QRectF moveEdges(QRectF rect, QPointF delta, int horizontal, int vertical)
{
    if (horizontal < 0)
        rect.setLeft(std::min(rect.left() + delta.x(), rect.right() - MinSize));
    if (horizontal > 0)
        rect.setRight(std::max(rect.right() + delta.x(), rect.left() + MinSize));
    if (vertical < 0)
        rect.setTop(std::min(rect.top() + delta.y(), rect.bottom() - MinSize));
    if (vertical > 0)
        rect.setBottom(std::max(rect.bottom() + delta.y(), rect.top() + MinSize));
    return rect;
}

} // namespace

FormSurface::FormSurface(FormDesign& design, QWidget* parent)
    : QWidget(parent)
    , m_design(design)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_design, &FormDesign::changed, this, &FormSurface::designChanged);
    designChanged();
}

void FormSurface::setPlacing(std::optional<FormElement::Kind> kind)
{
    m_placing = kind;
    setCursor(kind ? Qt::CrossCursor : Qt::ArrowCursor);
}

void FormSurface::setSnapToGrid(bool snap)
{
    m_snap = snap;
    update();
}

void FormSurface::setSelection(QList<int> indices)
{
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    if (indices == m_selection)
        return;
    m_selection = indices;
    update();
    Q_EMIT selectionChanged();
}

void FormSurface::selectAll()
{
    QList<int> all;
    for (int i = 0; i < m_design.elements().size(); ++i)
        all.append(i);
    setSelection(all);
}

QSize FormSurface::sizeHint() const
{
    return m_design.body().toSize() + QSize(2 * Margin, 2 * Margin);
}

void FormSurface::designChanged()
{
    const qsizetype count = m_design.elements().size();
    QList<int> kept;
    for (int index : std::as_const(m_selection)) {
        if (index < count)
            kept.append(index);
    }
    setSelection(kept);
    setMinimumSize(sizeHint());
    updateGeometry();
    update();
}

QPointF FormSurface::toBody(const QPoint& point) const
{
    return QPointF(point - QPoint(Margin, Margin));
}

double FormSurface::snapped(double value) const
{
    return m_snap ? std::round(value / Grid) * Grid : std::round(value);
}

QRectF FormSurface::shownRect(int index) const
{
    const QRectF rect = m_design.elements().at(index).pixelRect(m_design.body());
    const QPointF delta = m_dragNow - m_dragStart;
    if (m_drag == Drag::Move && m_selection.contains(index)) {
        // The pressed element's corner lands on the grid; the others keep their distance.
        const QPointF anchor =
            m_design.elements().at(m_dragAnchor).pixelRect(m_design.body()).topLeft();
        const QPointF moved(snapped(anchor.x() + delta.x()), snapped(anchor.y() + delta.y()));
        return rect.translated(moved - anchor);
    }
    if (m_drag == Drag::Resize && index == m_dragAnchor) {
        QRectF resized = moveEdges(rect, delta, m_edges.horizontal, m_edges.vertical);
        if (m_edges.horizontal < 0)
            resized.setLeft(std::min(snapped(resized.left()), resized.right() - MinSize));
        if (m_edges.horizontal > 0)
            resized.setRight(std::max(snapped(resized.right()), resized.left() + MinSize));
        if (m_edges.vertical < 0)
            resized.setTop(std::min(snapped(resized.top()), resized.bottom() - MinSize));
        if (m_edges.vertical > 0)
            resized.setBottom(std::max(snapped(resized.bottom()), resized.top() + MinSize));
        return resized;
    }
    return rect;
}

QRectF FormSurface::bandRect() const
{
    return QRectF(m_dragStart, m_dragNow).normalized();
}

QList<std::pair<QRectF, FormSurface::Edges>> FormSurface::handles() const
{
    QList<std::pair<QRectF, Edges>> result;
    if (m_selection.size() != 1)
        return result;
    const QRectF rect = shownRect(m_selection.first());
    for (int vertical = -1; vertical <= 1; ++vertical) {
        for (int horizontal = -1; horizontal <= 1; ++horizontal) {
            if (horizontal == 0 && vertical == 0)
                continue;
            const QPointF centre(rect.center().x() + horizontal * rect.width() / 2,
                                 rect.center().y() + vertical * rect.height() / 2);
            result.append({QRectF(centre - QPointF(HandleSize / 2, HandleSize / 2),
                                  QSizeF(HandleSize, HandleSize)),
                           Edges{horizontal, vertical}});
        }
    }
    return result;
}

int FormSurface::elementAt(const QPointF& point) const
{
    // The last element is drawn on top, so it is hit first.
    for (int i = int(m_design.elements().size()) - 1; i >= 0; --i) {
        if (shownRect(i).contains(point))
            return i;
    }
    return -1;
}

void FormSurface::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPointF point = toBody(event->position().toPoint());
    m_dragStart = m_dragNow = point;
    if (m_placing) {
        m_drag = Drag::Place;
        return;
    }
    for (const auto& [box, edges] : handles()) {
        if (box.adjusted(-1, -1, 1, 1).contains(point)) {
            m_drag = Drag::Resize;
            m_dragAnchor = m_selection.first();
            m_edges = edges;
            return;
        }
    }
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int hit = elementAt(point);
    if (hit >= 0 && control) {
        QList<int> selection = m_selection;
        if (!selection.removeOne(hit))
            selection.append(hit);
        setSelection(selection);
    } else if (hit >= 0) {
        if (!m_selection.contains(hit))
            setSelection({hit});
        m_drag = Drag::Move;
        m_dragAnchor = hit;
    } else {
        m_bandBase = control ? m_selection : QList<int>();
        setSelection(m_bandBase);
        m_drag = Drag::Band;
    }
}

void FormSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag == Drag::None)
        return;
    m_dragNow = toBody(event->position().toPoint());
    if (m_drag == Drag::Band) {
        QList<int> selection = m_bandBase;
        for (int i = 0; i < m_design.elements().size(); ++i) {
            if (bandRect().intersects(shownRect(i)))
                selection.append(i);
        }
        setSelection(selection);
    }
    update();
}

void FormSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_drag == Drag::None)
        return;
    m_dragNow = toBody(event->position().toPoint());
    finishDrag();
}

void FormSurface::finishDrag()
{
    const Drag drag = m_drag;
    if (drag == Drag::Place) {
        placeElement();
    } else if (drag == Drag::Move || drag == Drag::Resize) {
        const QList<int> indices = drag == Drag::Move ? m_selection : QList<int>{m_dragAnchor};
        QList<FormElement> changed;
        for (int index : indices) {
            FormElement element = m_design.elements().at(index);
            element.setPixelRect(shownRect(index), m_design.body());
            changed.append(element);
        }
        m_design.change(indices, changed);
    }
    m_drag = Drag::None;
    m_dragAnchor = -1;
    update();
}

void FormSurface::placeElement()
{
    const FormElement::Kind kind = *m_placing;
    QRectF rect = QRectF(m_dragStart, m_dragNow).normalized();
    const QPointF corner(snapped(rect.left()), snapped(rect.top()));
    // A click (or a drag too small to mean a size) places the kind's own size.
    if (rect.width() < MinSize && rect.height() < MinSize)
        rect = QRectF(corner, FormElement::defaultSize(kind));
    else
        rect = QRectF(corner, QPointF(std::max(snapped(rect.right()), corner.x() + MinSize),
                                      std::max(snapped(rect.bottom()), corner.y() + MinSize)));

    FormElement element;
    element.kind = kind;
    element.name = FormDesign::freeName(kind, m_design.names());
    if (kind == FormElement::Kind::Label || kind == FormElement::Kind::Button)
        element.value = element.name;
    element.setPixelRect(rect, m_design.body());
    m_design.add({element});
    setSelection({int(m_design.elements().size()) - 1});
    Q_EMIT placingEnded();
}

void FormSurface::nudge(int dx, int dy, bool resize)
{
    QList<FormElement> changed;
    for (int index : std::as_const(m_selection)) {
        FormElement element = m_design.elements().at(index);
        QRectF rect = element.pixelRect(m_design.body());
        if (resize)
            rect.setSize(QSizeF(std::max(rect.width() + dx, MinSize),
                                std::max(rect.height() + dy, MinSize)));
        else
            rect.translate(dx, dy);
        element.setPixelRect(rect, m_design.body());
        changed.append(element);
    }
    m_design.change(m_selection, changed, resize ? ResizeMerge : MoveMerge);
}

void FormSurface::keyPressEvent(QKeyEvent* event)
{
    const int step = m_snap ? Grid : 1;
    const bool resize = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        nudge(-step, 0, resize);
        break;
    case Qt::Key_Right:
        nudge(step, 0, resize);
        break;
    case Qt::Key_Up:
        nudge(0, -step, resize);
        break;
    case Qt::Key_Down:
        nudge(0, step, resize);
        break;
    case Qt::Key_Escape:
        m_drag = Drag::None;
        setPlacing(std::nullopt);
        Q_EMIT placingEnded();
        update();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void FormSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.translate(Margin, Margin);
    const QRectF body(QPointF(0, 0), m_design.body());
    painter.fillRect(body, Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(body.adjusted(0, 0, -1, -1));
    if (m_snap) {
        painter.setPen(QColor(200, 200, 200));
        for (int x = Grid; x < body.width(); x += Grid) {
            for (int y = Grid; y < body.height(); y += Grid)
                painter.drawPoint(x, y);
        }
    }

    for (int i = 0; i < m_design.elements().size(); ++i)
        paintElement(painter, m_design.elements().at(i), shownRect(i));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().highlight().color(), 1, Qt::DashLine));
    for (int index : std::as_const(m_selection))
        painter.drawRect(shownRect(index).adjusted(-1, -1, 0, 0));
    painter.setPen(palette().highlight().color());
    painter.setBrush(Qt::white);
    for (const auto& handle : handles())
        painter.drawRect(handle.first);

    if (m_drag == Drag::Band || m_drag == Drag::Place) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        painter.drawRect(bandRect());
    }
}

void FormSurface::paintElement(QPainter& painter, const FormElement& element,
                               const QRectF& rect) const
{
    using Kind = FormElement::Kind;
    const QColor ink =
        QColor::isValidColorName(element.color) ? QColor(element.color) : QColor(Qt::black);
    painter.save();
    painter.setClipRect(rect.adjusted(-1, -1, 1, 1));
    painter.setPen(Qt::gray);
    painter.setBrush(Qt::NoBrush);
    const QRectF box(rect.left() + 2, rect.center().y() - BoxSize / 2, BoxSize, BoxSize);
    const QRectF inner = rect.adjusted(4, 0, -4, 0);
    switch (element.kind) {
    case Kind::Label:
        painter.setPen(ink);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, element.value);
        break;
    case Kind::TextField:
        painter.setBrush(Qt::white);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setPen(ink);
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, element.value);
        break;
    case Kind::Button:
        painter.setBrush(QColor(230, 230, 230));
        painter.drawRoundedRect(rect.adjusted(0, 0, -1, -1), 3, 3);
        painter.setPen(ink);
        painter.drawText(rect, Qt::AlignCenter, element.value);
        break;
    case Kind::Checkbox:
        painter.setBrush(Qt::white);
        painter.drawRect(box);
        if (element.on) {
            painter.setPen(QPen(ink, 2));
            painter.drawLine(box.topLeft() + QPointF(3, 6), box.topLeft() + QPointF(6, 10));
            painter.drawLine(box.topLeft() + QPointF(6, 10), box.topLeft() + QPointF(11, 3));
        }
        break;
    case Kind::Option:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::white);
        painter.drawEllipse(box);
        if (element.on) {
            painter.setBrush(ink);
            painter.drawEllipse(box.adjusted(3.5, 3.5, -3.5, -3.5));
        }
        break;
    case Kind::List: {
        painter.setBrush(Qt::white);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setPen(ink);
        const double line = painter.fontMetrics().height();
        double top = rect.top() + 2;
        for (const QString& item : element.listItems) {
            painter.drawText(QRectF(inner.left(), top, inner.width(), line),
                             Qt::AlignLeft | Qt::AlignVCenter, item);
            top += line;
        }
        break;
    }
    case Kind::Link: {
        QFont font = painter.font();
        font.setUnderline(true);
        painter.setFont(font);
        painter.setPen(element.color.isEmpty() ? QColor(Qt::blue) : ink);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, element.name);
        break;
    }
    }
    painter.restore();
}

} // namespace Quillorn
