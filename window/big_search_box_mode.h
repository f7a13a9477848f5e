#pragma once

#include <array>
#include <string_view>

namespace chenglan {

class Form;

// The controls that the big search box takes the place of, in the order both
// handlers treat them.
inline constexpr std::array<std::string_view, 22> SearchGroup = {
    "标签1",    "编辑框1", "大搜索框", "百度",    "谷歌",     "雅虎",     "网易",     "搜狐",
    "SOSO搜搜", "微软",    "中搜",     "新浪",    "百度文库", "文档搜索", "百度国学", "谷歌学术",
    "组合框1",  "组合框2", "组合框3",  "组合框4", "组合框5",  "组合框6",
};

// 大搜索框 enters big search box mode, 返回 leaves it. Both carry the big box's text
// into the keyword box, which runs the live search.
void bindBigSearchBoxMode(Form& window);

} // namespace chenglan
