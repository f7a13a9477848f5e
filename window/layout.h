#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace chenglan {

// A move of one control; a field left out keeps the control's current value.
struct Placement {
    std::string_view control;
    std::optional<int> left, top, width, height;
};

// The width of one of the thirteen columns: W / 13, truncated toward zero.
int LayoutUnit(int windowWidth);

// The moves for a window of outer size W × H, in the order they are made. The
// label 标签1 and the hyperlink box keep their stored places; sizes may come out
// negative for a tiny window (the toolkit's move clamps them).
std::array<Placement, 24> proportionalLayout(int windowWidth, int windowHeight);

} // namespace chenglan
