#pragma once

#include <array>

namespace Quillorn {

// Which document tab Ctrl+Tab and Ctrl+Shift+Tab move to among the ten fixed tabs, only the
// visible ones holding documents.
class TabCycle {
public:
    static constexpr int TabCount = 10;
    using Visibility = std::array<bool, TabCount>;

    // The first visible tab after `current` (current+1 .. 9, then 0 .. current-1); `current`
    // itself when no other tab is visible.
    static int next(const Visibility& visible, int current);

    // The first visible tab before `current` (current-1 .. 0, then 9 .. current+1); `current`
    // itself when no other tab is visible.
    static int previous(const Visibility& visible, int current);
};

} // namespace Quillorn
