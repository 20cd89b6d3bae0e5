#include "app/PathShortener.h"

#include <algorithm>

namespace Quillorn {

QString PathShortener::shorten(const QString& path, int labelWidth, int textWidth)
{
    if (textWidth <= labelWidth || textWidth <= 0)
        return path;
    const qsizetype n = path.size();
    const qsizetype kept = static_cast<qsizetype>(double(n) * std::max(labelWidth, 0) / textWidth);
    const qsizetype cut = n - kept + 3;
    const qsizetype half = cut / 2;
    // A label narrower than "..." still shows the joint rather than failing.
    const qsizetype head = std::clamp<qsizetype>(n / 2 - half, 0, n);
    const qsizetype tailStart = std::clamp<qsizetype>(n / 2 - half + cut - 1, head, n);
    return path.left(head) + QLatin1String("...") + path.mid(tailStart);
}

} // namespace Quillorn
