#include "search/site_directories.h"

#include "platform/text_codec.h"
#include "search/address.h"

#include <algorithm>

namespace chenglan {

namespace {
using enum EndpointHost;

constexpr SiteEntry dictionaries[] = {
    {"金山词霸搜索", KingsoftCibaSearch, "/jinshanciba.htm"},
    {"汉典", Zdic, ""},
    {"百度词典", BaiduDictionary, ""},
    {"谷歌字典", GoogleWebSearchHongKong, "/dictionary"}, // Google's own search host
    {"在线新华词典", XinhuaDictionaryOnline, ""},
    {"在线成语词典", IdiomDictionaryOnline, ""},
    {"在线成语词典二", IdiomDictionaryOnlineTwo, "/cy"},
    {"有道词典", YoudaoDictionary, ""},
    {"海词", Dictcn, ""},
    {"爱词霸", Iciba, ""},
    {"爱词霸在线词典", IcibaDictionary, ""},
    {"爱词霸英语", IcibaEnglish, ""},
    {"英语在线", EnglishOnline, ""},
    {"必应词典", BingDictionary, ""},
    {"查字典", Chazidian, ""},
    {"译典通", DrEye, "/index_gb.html"},
    {"洪恩在线", HongenOnline, "/dict"},
    {"亿容", Yirong, ""},
    {"查查在线词典", Ichacha, ""},
    {"句酷", Jukuu, ""},
};

constexpr SiteEntry writingSites[] = {
    {"第一范文网", DiyiFanwen, "/"},
    {"范文写作网", FanwenXiezuo, ""},
    {"范文中国", FanwenChina, ""},
    {"爱上范文网", AishangFanwen, ""},
    {"范文大全", FanwenDaquan, ""},
    {"小草范文网", XiaocaoFanwen, ""},
    {"文书写作网", WenshuXiezuo, ""},
    {"文书文秘网", WenshuWenmi, ""},
    {"公文易", Gongwenyi, ""},
    {"文秘114", Wenmi114, ""},
    {"工作总结网", GongzuoZongjie, ""},
    {"工作总结网二", GongzuoZongjieTwo, ""},
    {"中文写作网", ZhongwenXiezuo, ""},
    {"华文写作在线", HuawenXiezuo, ""},
    {"巨人网作文频道", JurenZuowen, ""},
    {"学生作文", XueshengZuowen, ""},
    {"中小学生作文网", ZhongxiaoxueshengZuowen, ""},
    {"中国论文联盟", LunwenLianmeng, ""},
    {"中国论文下载中心", LunwenDownloadCenter, ""},
    {"毕业论文参考网", BiyeLunwen, ""},
    {"文章写作网", WenzhangXiezuo, ""},
    {"新闻写作网", XinwenXiezuo, ""},
    {"应用写作", YingyongXiezuo, ""},
    {"中国作者素材库", ZuozheSucai, ""},
    {"中国作家网", ChinaWriter, ""},
    {"人民文学杂志社", RenminWenxue, ""},
    {"起点中文网", Qidian, ""},
    {"潇湘书院", Xiaoxiang, ""},
    {"红袖添香", Hongxiu, ""},
    {"晋江文学城", Jjwxc, ""},
    {"榕树下", Rongshuxia, ""},
    {"写作网", Xiezuo, ""},
};
} // namespace

const std::array<SiteDirectory, 2> SiteDirectories = {{
    {"组合框5", dictionaries},
    {"组合框6", writingSites},
}};

const SiteEntry* findSite(const SiteDirectory& directory, const Text& itemText)
{
    // GB18030 gives each character one byte sequence, so the item's text turned into
    // the tables' UTF-8 once compares with every name byte for byte. The empty text
    // (no selection) matches no entry, since no name is empty.
    const QByteArray wanted = fromText(itemText).toUtf8();
    const std::string_view name(wanted.constData(), static_cast<size_t>(wanted.size()));
    const auto match = std::find_if(directory.entries.begin(), directory.entries.end(),
                                    [&](const SiteEntry& entry) { return entry.name == name; });
    return match == directory.entries.end() ? nullptr : &*match;
}

Text siteAddress(const SiteEntry& entry)
{
    return composeAddress(entry.host, entry.path);
}

} // namespace chenglan
