#include "search/search_engine_table.h"

#include "search/address.h"

namespace chenglan {

using enum KeywordSource;
using enum EndpointHost;

// In the order of the button bar, left to right. The suffixes are sent literally:
// "&amp;" as five characters, and Google Scholar's already percent-encoded "搜索".
const std::array<SearchEngine, 13> SearchEngineTable = {{
    {"百度", Fresh, BaiduVideoSearch, "/v?word=", ""},
    {"谷歌", Fresh, GoogleWebSearchHongKong, "/search?q=", "&tbo=p&tbm=vid&source=vgc&hl=zh-CN&aq=f"},
    {"雅虎", Fresh, YahooChina, "/search?p=", "&amp;meta=all"},
    {"网易", Fresh, YoudaoVideoSearch, "/search?q=", ""},
    {"搜狐", Fresh, SogouVideoSearch, "/v?query=", ""},
    {"SOSO搜搜", Fresh, SosoVideoSearch, "/search/?w=", ""},
    {"微软", Fresh, BingChina, "/videos/search?q=", "&go=&form=QBRE&qs=n&sk="},
    {"中搜", Fresh, Zhongsou, "/third.cgi?w=", ""},
    {"新浪", Fresh, SinaVideo, "/search/index.php?k=", "&range=all&c=news&sort=time"},
    {"百度文库", Stored, BaiduWenku, "/search?word=", ""},
    {"文档搜索", Stored, BaiduWebSearch, "/baidu?q1=", "&ft=all"},
    {"百度国学", Stored, BaiduGuoxue, "/s?tn=baiduguoxue&ie=gb2312&bs=&cl=3&wd=", "&si=", true,
     "&ct=2097152"},
    {"谷歌学术", Stored, GoogleScholarHongKong, "/scholar?q=", "&btnG=%E6%90%9C%E7%B4%A2&lr="},
}};

Text searchAddress(const SearchEngine& engine, std::string_view keyword)
{
    if (!engine.suffixRepeatsHost)
        return composeAddress(engine.host, engine.request, keyword, engine.suffix);
    Text suffix(engine.suffix);
    suffix.append(hostOf(engine.host)).append(engine.suffixTail);
    return composeAddress(engine.host, engine.request, keyword, suffix);
}

const SearchEngine& liveSearchEngine()
{
    return SearchEngineTable.front();
}

} // namespace chenglan
