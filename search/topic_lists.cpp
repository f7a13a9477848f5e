#include "search/topic_lists.h"

namespace chenglan {

namespace {
constexpr std::string_view reading[] = {
    "时事政治", "热点新闻", "时事评论", "奇闻异事", "大案要案", "文化思潮",
    "最新科技", "主流思潮", "现代聊斋", "历史演义", "古今秘史", "伟人传记",
};

// Two items end with an ideographic space (U+3000); it belongs to the topic.
constexpr std::string_view literature[] = {
    "小说素材", "小说技巧", "经典小说", "名家小说", "外国小说\u3000", "小说论坛",
    "诗歌素材", "诗歌技巧", "经典诗歌", "名家诗歌", "外国诗歌",       "诗歌论坛",
    "散文素材", "散文技巧", "经典散文", "名家散文", "外国散文\u3000", "散文论坛",
    "戏剧素材", "戏剧技巧", "经典戏剧", "名家戏剧", "外国戏剧",       "戏剧论坛",
};

constexpr std::string_view freelance[] = {
    "自由撰稿", "通讯写作技巧", "通讯例文", "时事评论写作技巧", "时事评论例文", "网络小说写作技巧",
};

constexpr std::string_view essays[] = {
    "如何写好作文", "小学生作文论坛", "中学生作文论坛", "中考作文论坛", "高考作文论坛", "记叙文素材",
    "记叙文技巧",   "经典记叙文",     "名家记叙文",     "记叙文论坛",   "说明文素材",   "说明文技巧",
    "经典说明文",   "名家说明文",     "议论文素材",     "议论文技巧",   "经典议论文",   "名家议论文",
};
} // namespace

const std::array<TopicList, 4> TopicLists = {{
    {"组合框1", reading},
    {"组合框2", literature},
    {"组合框3", freelance},
    {"组合框4", essays},
}};

} // namespace chenglan
