#include "tags/TagWindowLayout.h"

#include <algorithm>

namespace Quillorn {

TagWindowLayout::TagWindowLayout(QSize inner)
{
    // A window shrunk below the margins gives empty lists rather than negative sizes.
    const int width = std::max(0, inner.width() - widthReduction);
    const int left = std::min(widthReduction / 2, std::max(0, inner.width()) / 2);
    const int height = std::max(0, inner.height());
    const int categoryHeight = height / 4;
    m_categories = QRect(left, 0, width, categoryHeight);
    const int tagTop = categoryHeight + listGap;
    m_tags = QRect(left, tagTop, width, std::max(0, height - tagTop));
}

} // namespace Quillorn
