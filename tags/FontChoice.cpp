#include "tags/FontChoice.h"

namespace Quillorn {

QString FontChoice::colorHex() const
{
    const QColor rgb = color.isValid() ? color.toRgb() : QColor(Qt::black);
    return QStringLiteral("%1%2%3")
        .arg(rgb.red(), 2, 16, QLatin1Char('0'))
        .arg(rgb.green(), 2, 16, QLatin1Char('0'))
        .arg(rgb.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString FontChoice::insertionText(const QString& selected) const
{
    // A double quote inside a value would end the attribute early.
    const auto attribute = [](QString value) {
        return value.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    };
    QString text = QLatin1String("<font name=\"") + attribute(name) + QLatin1String("\" size=\"") +
                   attribute(size) + QLatin1String("\" color=\"#") + colorHex() +
                   QLatin1String("\">");
    if (bold)
        text += QLatin1String("<b>");
    if (italic)
        text += QLatin1String("<i>");
    if (underline)
        text += QLatin1String("<u>");
    if (strikeOut)
        text += QLatin1String("<s>");
    text += selected;
    if (strikeOut)
        text += QLatin1String("</s>");
    if (underline)
        text += QLatin1String("</u>");
    if (italic)
        text += QLatin1String("</i>");
    if (bold)
        text += QLatin1String("</b>");
    text += QLatin1String("</font>");
    return text;
}

} // namespace Quillorn
