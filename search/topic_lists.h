#pragma once

#include <array>
#include <span>
#include <string_view>

namespace chenglan {

// A drop-down list of ready-made topics; choosing one searches Baidu's web search for it.
// Items are UTF-8 here and become program texts in the list; their headings belong to
// the window definition, since a heading is the list's edit text, not an item.
struct TopicList {
    std::string_view control;
    std::span<const std::string_view> items;
};

extern const std::array<TopicList, 4> TopicLists;

// The request before a topic on Baidu's web search.
inline constexpr std::string_view TopicSearchRequest = "/s?wd=";

} // namespace chenglan
