#pragma once

#include "platform/Str.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

namespace Quillorn {

// One element of a form design: what it is, its properties and where it lies on the body.
// Each axis is kept either in pixels or in percent of the body's size on that axis.
class FormElement {
public:
    enum class Kind { Label, TextField, Button, Checkbox, Option, List, Link };
    static constexpr int KindCount = 7;

    Kind kind = Kind::Label;
    QString name;
    QString value;
    QString color;
    bool on = false; // the State property
    QStringList listItems;
    // left, top, width and height, each in the unit of its axis.
    QRectF geometry;
    bool horizontalPercent = false; // left and width in percent of the body's width
    bool verticalPercent = false;   // top and height in percent of the body's height

    bool operator==(const FormElement& other) const = default;

    // The element's box in pixels on a body of `body`.
    QRectF pixelRect(const QSizeF& body) const;
    // Places the element at `rect` (pixels), kept in the units of its axes.
    void setPixelRect(const QRectF& rect, const QSizeF& body);
    // Switches the axes to percent (or to pixels) keeping the element where it lies.
    void setUnits(bool horizontal, bool vertical, const QSizeF& body);

    // The kind's name in design files and the stem of generated names ("label", "text"...).
    static QString kindKey(Kind kind);
    static std::optional<Kind> kindFromKey(const QString& key);
    // The palette caption of the kind.
    static Str kindCaption(Kind kind);
    // The size an element of the kind gets when placed with a click.
    static QSizeF defaultSize(Kind kind);
};

} // namespace Quillorn
