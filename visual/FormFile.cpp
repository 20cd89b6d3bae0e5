#include "visual/FormFile.h"

#include "platform/FileReader.h"
#include "platform/FileSaver.h"
#include "platform/LangStrings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace Quillorn {

namespace {

const QLatin1String FormatName("quillorn-form");
// Bounds of every number of a design, in pixels or percent; larger values are not a design.
constexpr double MaxMetric = 100000.0;
constexpr int MaxElements = 10000;

QJsonObject elementToJson(const FormElement& element)
{
    return {
        {QStringLiteral("kind"), FormElement::kindKey(element.kind)},
        {QStringLiteral("name"), element.name},
        {QStringLiteral("value"), element.value},
        {QStringLiteral("color"), element.color},
        {QStringLiteral("on"), element.on},
        {QStringLiteral("list"), QJsonArray::fromStringList(element.listItems)},
        {QStringLiteral("left"), element.geometry.left()},
        {QStringLiteral("top"), element.geometry.top()},
        {QStringLiteral("width"), element.geometry.width()},
        {QStringLiteral("height"), element.geometry.height()},
        {QStringLiteral("horizontalPercent"), element.horizontalPercent},
        {QStringLiteral("verticalPercent"), element.verticalPercent},
    };
}

// A number of the design: present, finite and within bounds (sizes above zero).
std::optional<double> metric(const QJsonObject& object, const QString& key, bool size)
{
    const QJsonValue value = object.value(key);
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || number > MaxMetric || number < (size ? 1.0 : -MaxMetric))
        return std::nullopt;
    return number;
}

// A text property: absent means empty, any other type is an error.
std::optional<QString> text(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return QString();
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<FormElement> elementFromJson(const QJsonValue& json)
{
    const QJsonObject object = json.toObject();
    const std::optional<FormElement::Kind> kind =
        FormElement::kindFromKey(object.value(QStringLiteral("kind")).toString());
    const std::optional<QString> name = text(object, QStringLiteral("name"));
    const std::optional<QString> value = text(object, QStringLiteral("value"));
    const std::optional<QString> color = text(object, QStringLiteral("color"));
    const std::optional<double> left = metric(object, QStringLiteral("left"), false);
    const std::optional<double> top = metric(object, QStringLiteral("top"), false);
    const std::optional<double> width = metric(object, QStringLiteral("width"), true);
    const std::optional<double> height = metric(object, QStringLiteral("height"), true);
    if (!kind || !name || !value || !color || !left || !top || !width || !height)
        return std::nullopt;

    FormElement element;
    element.kind = *kind;
    element.name = *name;
    element.value = *value;
    element.color = *color;
    element.on = object.value(QStringLiteral("on")).toBool();
    for (const QJsonValue item : object.value(QStringLiteral("list")).toArray()) {
        if (!item.isString())
            return std::nullopt;
        element.listItems.append(item.toString());
    }
    element.geometry = QRectF(*left, *top, *width, *height);
    element.horizontalPercent = object.value(QStringLiteral("horizontalPercent")).toBool();
    element.verticalPercent = object.value(QStringLiteral("verticalPercent")).toBool();
    return element;
}

} // namespace

QByteArray FormFile::toJson(const FormDesign::Content& content)
{
    QJsonArray elements;
    for (const FormElement& element : content.elements)
        elements.append(elementToJson(element));
    const QJsonObject root{
        {QStringLiteral("format"), FormatName},
        {QStringLiteral("version"), Version},
        {QStringLiteral("body"), QJsonObject{{QStringLiteral("width"), content.body.width()},
                                             {QStringLiteral("height"), content.body.height()}}},
        {QStringLiteral("elements"), elements},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<FormDesign::Content> FormFile::fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError ||
        root.value(QStringLiteral("format")).toString() != FormatName ||
        root.value(QStringLiteral("version")).toInt() != Version)
        return std::nullopt;
    const QJsonObject body = root.value(QStringLiteral("body")).toObject();
    const std::optional<double> width = metric(body, QStringLiteral("width"), true);
    const std::optional<double> height = metric(body, QStringLiteral("height"), true);
    const QJsonValue elements = root.value(QStringLiteral("elements"));
    if (!width || !height || !elements.isArray() || elements.toArray().size() > MaxElements)
        return std::nullopt;

    FormDesign::Content content;
    content.body = QSizeF(*width, *height);
    for (const QJsonValue item : elements.toArray()) {
        std::optional<FormElement> element = elementFromJson(item);
        if (!element)
            return std::nullopt;
        content.elements.append(*element);
    }
    return content;
}

FormFile::ReadResult FormFile::read(const QString& path, const LangStrings& strings)
{
    const FileReader::Result file = FileReader::read(path, MaxBytes, FileReader::Oversize::Refuse);
    if (!file.ok())
        return {std::nullopt,
                strings.message(Str::DesignerFormUnreadable, file.failure.describe(strings))};
    std::optional<FormDesign::Content> content = fromJson(file.bytes);
    if (!content)
        return {std::nullopt,
                strings.message(Str::DesignerFormUnreadable, FileFailure::quoted(path))};
    return {content, {}};
}

QString FormFile::write(const QString& path, const FormDesign::Content& content,
                        const LangStrings& strings)
{
    const FileFailure failure = FileSaver::save(path, toJson(content));
    if (failure.ok())
        return {};
    return strings.message(Str::DesignerFormNotSaved, failure.describe(strings));
}

} // namespace Quillorn
