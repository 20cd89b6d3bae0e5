#pragma once

#include <QRect>
#include <QSize>

namespace Quillorn {

// Where the tag window puts its two lists for a given inner size: both a little narrower than
// the window, the category list a quarter of the height, the tag list below it to the bottom.
class TagWindowLayout {
public:
    // 30 and 100 twips of the window's scale at 15 twips per pixel.
    static constexpr int widthReduction = 2;
    static constexpr int listGap = 7;

    explicit TagWindowLayout(QSize inner);

    QRect categories() const { return m_categories; }
    QRect tags() const { return m_tags; }

private:
    QRect m_categories;
    QRect m_tags;
};

} // namespace Quillorn
