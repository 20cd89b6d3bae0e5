#include "visual/FormElement.h"

#include <array>
#include <cmath>

namespace Quillorn {

namespace {

struct KindInfo {
    FormElement::Kind kind;
    const char* key;
    Str caption;
    QSizeF size;
};

constexpr std::array<KindInfo, FormElement::KindCount> Kinds{{
    {FormElement::Kind::Label, "label", Str::FormLabel, {96, 24}},
    {FormElement::Kind::TextField, "text", Str::FormTextField, {160, 24}},
    {FormElement::Kind::Button, "button", Str::FormButton, {96, 32}},
    {FormElement::Kind::Checkbox, "checkbox", Str::FormCheckbox, {24, 24}},
    {FormElement::Kind::Option, "option", Str::FormOption, {24, 24}},
    {FormElement::Kind::List, "list", Str::FormList, {160, 80}},
    {FormElement::Kind::Link, "link", Str::FormLink, {96, 24}},
}};

const KindInfo& info(FormElement::Kind kind)
{
    return Kinds[static_cast<size_t>(kind)];
}

// `pixels` in percent of `extent` with two decimals (enough for a pixel on any body), or in
// whole pixels when `extent` is 0.
double toUnit(double pixels, double extent)
{
    return extent > 0 ? std::round(pixels * 10000.0 / extent) / 100.0 : std::round(pixels);
}

double fromPercent(double percent, double extent)
{
    return percent * extent / 100.0;
}

} // namespace

QRectF FormElement::pixelRect(const QSizeF& body) const
{
    QRectF rect = geometry;
    if (horizontalPercent) {
        rect.setLeft(fromPercent(geometry.left(), body.width()));
        rect.setWidth(fromPercent(geometry.width(), body.width()));
    }
    if (verticalPercent) {
        rect.setTop(fromPercent(geometry.top(), body.height()));
        rect.setHeight(fromPercent(geometry.height(), body.height()));
    }
    return rect;
}

void FormElement::setPixelRect(const QRectF& rect, const QSizeF& body)
{
    const double width = horizontalPercent ? body.width() : 0.0;
    const double height = verticalPercent ? body.height() : 0.0;
    geometry = QRectF(toUnit(rect.left(), width), toUnit(rect.top(), height),
                      toUnit(rect.width(), width), toUnit(rect.height(), height));
}

void FormElement::setUnits(bool horizontal, bool vertical, const QSizeF& body)
{
    const QRectF pixels = pixelRect(body);
    horizontalPercent = horizontal;
    verticalPercent = vertical;
    setPixelRect(pixels, body);
}

QString FormElement::kindKey(Kind kind)
{
    return QLatin1String(info(kind).key);
}

std::optional<FormElement::Kind> FormElement::kindFromKey(const QString& key)
{
    for (const KindInfo& item : Kinds) {
        if (key == QLatin1String(item.key))
            return item.kind;
    }
    return std::nullopt;
}

Str FormElement::kindCaption(Kind kind)
{
    return info(kind).caption;
}

QSizeF FormElement::defaultSize(Kind kind)
{
    return info(kind).size;
}

} // namespace Quillorn
