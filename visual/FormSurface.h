#pragma once

#include "visual/FormElement.h"

#include <QList>
#include <QPoint>
#include <QWidget>

#include <optional>

namespace Quillorn {

class FormDesign;

// The design surface: draws the body and its elements, places a new element where the user
// clicks or drags, selects (click, Ctrl+click, rubber band), moves and resizes the selection
// with the mouse (handles of a single element) and the arrow keys (Shift resizes).
class FormSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr int Grid = 8;
    // The body's distance from the surface's edges.
    static constexpr int Margin = 8;

    explicit FormSurface(FormDesign& design, QWidget* parent = nullptr);

    // The kind the next click or drag on the body places, or nothing to select and move.
    void setPlacing(std::optional<FormElement::Kind> kind);
    void setSnapToGrid(bool snap);

    // The selected elements' indices, in ascending order.
    const QList<int>& selection() const { return m_selection; }
    void setSelection(QList<int> indices);
    void selectAll();

    QSize sizeHint() const override;

Q_SIGNALS:
    void selectionChanged();
    // An element was placed, or placing was cancelled with Escape: the palette lets go of
    // its kind.
    void placingEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Place, Move, Resize, Band };
    // Which edges a resize handle moves: -1 the left (top) edge, 1 the right (bottom), 0 none.
    struct Edges {
        int horizontal = 0;
        int vertical = 0;
    };

    // The design's state as the surface shows it after the design changed.
    void designChanged();
    QPointF toBody(const QPoint& point) const;
    double snapped(double value) const;
    // The element's box in body pixels, as the drag under way would leave it.
    QRectF shownRect(int index) const;
    QRectF bandRect() const;
    // The handles of a single selected element, with the edges each one moves.
    QList<std::pair<QRectF, Edges>> handles() const;
    int elementAt(const QPointF& point) const;
    // Commits the geometry the drag under way shows as one step.
    void finishDrag();
    void placeElement();
    // Moves (or resizes) the selection by `dx`, `dy` pixels as one step.
    void nudge(int dx, int dy, bool resize);
    void paintElement(QPainter& painter, const FormElement& element, const QRectF& rect) const;

    FormDesign& m_design;
    std::optional<FormElement::Kind> m_placing;
    bool m_snap = true;
    QList<int> m_selection;
    QList<int> m_bandBase; // what was selected before a Ctrl rubber band

    Drag m_drag = Drag::None;
    QPointF m_dragStart;
    QPointF m_dragNow;
    int m_dragAnchor = -1; // the element pressed to move or resize
    Edges m_edges;
};

} // namespace Quillorn
