#pragma once

#include <QString>

namespace Quillorn {

// Fits a path into the path label: a path wider than the label keeps its beginning and its
// end, joined by "...".
class PathShortener {
public:
    // `labelWidth` and `textWidth` are the label's width and the full path's rendered width.
    static QString shorten(const QString& path, int labelWidth, int textWidth);
};

} // namespace Quillorn
