#pragma once

#include <QColor>
#include <QString>

namespace Quillorn {

// What the font chooser returns, and the font element it makes of a selection.
struct FontChoice {
    QString name;
    QString size;
    QColor color = Qt::black;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    // The colour as six upper-case hexadecimal digits, red first ("FF8000").
    QString colorHex() const;

    // The font start tag, the start tags of the chosen styles in the order b, i, u, s,
    // `selected`, their end tags in the opposite order and the font end tag.
    QString insertionText(const QString& selected) const;
};

} // namespace Quillorn
