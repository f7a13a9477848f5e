#include "window/control_catalogue.h"

namespace chenglan {

using enum ControlKind;

const std::array<ControlDefinition, 26> ControlCatalogue = {{
    {"超级链接框1", HyperLinker, 1032, 24, 32, 24, true, ""},
    {"组合框5", ComboBox, 932, 2, 80, 20, true, "在线词典"},
    {"组合框6", ComboBox, 855, 2, 80, 20, true, "写作网站"},
    {"组合框3", ComboBox, 777, 2, 80, 20, true, "自由撰稿"},
    {"组合框4", ComboBox, 700, 2, 80, 20, true, "学生作文"},
    {"组合框2", ComboBox, 623, 2, 80, 20, true, "文学创作"},
    {"组合框1", ComboBox, 546, 2, 80, 20, true, "博览群书"},
    {"返回", Button, 986, 0, 32, 24, false, "返回", {20}},
    {"大搜索框", Button, 468, 0, 78, 24, true, "大搜索框"},
    {"编辑框2", EditBox, 0, 0, 986, 74, false, "", {48}, true},
    {"百度文库", Button, 702, 48, 78, 24, true, "百度文库"},
    {"百度国学", Button, 858, 22, 78, 24, true, "百度国学"},
    {"谷歌学术", Button, 936, 22, 78, 24, true, "Google学术"},
    {"新浪", Button, 624, 48, 78, 24, true, "新  浪"},
    {"中搜", Button, 546, 48, 78, 24, true, "中  搜"},
    {"微软", Button, 468, 48, 78, 24, true, "微  软"},
    {"SOSO搜搜", Button, 390, 25, 78, 24, true, "SOSO搜搜"},
    {"搜狐", Button, 312, 25, 78, 24, true, "搜  狐"},
    {"文档搜索", Button, 780, 22, 78, 24, true, "百度文档"},
    {"网易", Button, 234, 25, 78, 24, true, "网   易"},
    {"雅虎", Button, 156, 25, 78, 24, true, "雅   虎"},
    {"谷歌", Button, 78, 25, 78, 24, true, "Google"},
    {"标签1", Label, 0, -2, 74, 24, true, "关键词", {12}},
    {"超文本浏览框1", HtmlViewer, -1, 72, 1022, 776, true, ""},
    {"百度", Button, 0, 25, 78, 24, true, "百   度"},
    {"编辑框1", EditBox, 76, 0, 392, 24, true, ""},
}};

} // namespace chenglan
