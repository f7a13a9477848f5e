#include "window/layout.h"

namespace chenglan {

int LayoutUnit(int windowWidth)
{
    return static_cast<int>(windowWidth / 13.0);
}

std::array<Placement, 24> proportionalLayout(int W, int H)
{
    const int u = LayoutUnit(W);
    constexpr std::optional<int> keep;
    // Columns: the lists do not stand in the order of their numbers.
    return {{
        {"编辑框1", u, keep, 5 * u, 24},
        {"返回", W - 36, keep, 32, 48},
        {"大搜索框", 6 * u, keep, u, 24},
        {"组合框1", 7 * u, keep, u, keep},
        {"组合框2", 8 * u, keep, u, keep},
        {"组合框3", 10 * u, keep, u, keep},
        {"组合框4", 9 * u, keep, u, keep},
        {"组合框5", 12 * u, keep, u, keep},
        {"组合框6", 11 * u, keep, u, keep},
        {"百度", keep, 24, u, 24},
        {"谷歌", u, 24, u, 24},
        {"雅虎", 2 * u, 24, u, 24},
        {"网易", 3 * u, 24, u, 24},
        {"搜狐", 4 * u, 24, u, 24},
        {"SOSO搜搜", 5 * u, 24, u, 24},
        {"微软", 6 * u, 24, u, 24},
        {"中搜", 7 * u, 24, u, 24},
        {"新浪", 8 * u, 24, u, 24},
        {"百度文库", 9 * u, 24, u, 24},
        {"文档搜索", 10 * u, 24, u, 24},
        {"百度国学", 11 * u, 24, u, 24},
        {"谷歌学术", 12 * u, 24, u, 24},
        {"编辑框2", keep, keep, W - 36, 48},
        {"超文本浏览框1", keep, 48, W - 6, H - 76},
    }};
}

} // namespace chenglan
