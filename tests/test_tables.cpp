#include "platform/text_codec.h"
#include "search/address.h"
#include "search/current_keyword.h"
#include "search/search_engine_table.h"
#include "search/site_directories.h"
#include "search/topic_lists.h"

#include <QTest>
#include <atomic>
#include <cstdlib>
#include <new>
#include <set>

// Live heap blocks of this process, to see how many texts the keyword keeps alive.
static std::atomic<long> liveBlocks{0};
void* operator new(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    ++liveBlocks;
    return block;
}
void operator delete(void* block) noexcept
{
    if (block) {
        --liveBlocks;
        std::free(block);
    }
}
void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

using namespace chenglan;

namespace {
const SiteEntry& entryNamed(std::string_view name)
{
    for (const SiteDirectory& directory : SiteDirectories)
        for (const SiteEntry& entry : directory.entries)
            if (entry.name == name)
                return entry;
    qFatal("no entry");
}

const SearchEngine& row(std::string_view button)
{
    for (const SearchEngine& engine : SearchEngineTable)
        if (engine.button == button)
            return engine;
    qFatal("no row");
}
} // namespace

class TestTables : public QObject {
    Q_OBJECT

  private slots:
    void eachServiceHasOneHostEverywhere()
    {
        // Baidu video search: start page, live search and the 百度 button.
        QCOMPARE(startAddress(), Text("http://v.baidu.com"));
        QCOMPARE(row("百度").host, EndpointHost::BaiduVideoSearch);
        QCOMPARE(liveSearchEngine().button, std::string_view("百度"));
        // Baidu web search: 文档搜索 and the topic lists (checked through their address).
        QCOMPARE(row("文档搜索").host, EndpointHost::BaiduWebSearch);
        // Google web search, Hong Kong: 谷歌 and the dictionary entry.
        QCOMPARE(entryNamed("谷歌字典").host, row("谷歌").host);
    }

    void everyOtherSiteHasAHostOfItsOwn()
    {
        std::set<std::string_view> searchHosts;
        for (const SearchEngine& engine : SearchEngineTable)
            searchHosts.insert(hostOf(engine.host));
        std::set<std::string_view> siteHosts;
        int sites = 0;
        for (const SiteDirectory& directory : SiteDirectories)
            for (const SiteEntry& entry : directory.entries) {
                const std::string_view host = hostOf(entry.host);
                QVERIFY2(!host.empty() && host.find('/') == host.npos && host.find(':') == host.npos,
                         host.data());
                if (entry.name == "谷歌字典")
                    continue;
                ++sites;
                QVERIFY2(siteHosts.insert(host).second, host.data());
                QVERIFY2(!searchHosts.count(host), host.data());
            }
        QCOMPARE(sites, 51);
    }

    void directoriesMatchTheirLists()
    {
        QCOMPARE(SiteDirectories[0].control, std::string_view("组合框5"));
        QCOMPARE(SiteDirectories[0].entries.size(), size_t(20));
        QCOMPARE(SiteDirectories[1].control, std::string_view("组合框6"));
        QCOMPARE(SiteDirectories[1].entries.size(), size_t(32));
        int endingInSlash = 0;
        for (const SiteDirectory& directory : SiteDirectories)
            for (const SiteEntry& entry : directory.entries) {
                QCOMPARE(findSite(directory, textFromUtf8(entry.name)), &entry);
                endingInSlash += siteAddress(entry).ends_with('/');
            }
        QCOMPARE(endingInSlash, 1);
        QCOMPARE(siteAddress(entryNamed("第一范文网")), Text("http://www.diyifanwen.com/"));
    }

    void siteAddresses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::newRow("海词") << "海词"
                              << "http://dict.cn";
        QTest::newRow("谷歌字典") << "谷歌字典"
                                  << "http://www.google.com.hk/dictionary";
        QTest::newRow("金山词霸搜索") << "金山词霸搜索"
                                      << "http://cb.kingsoft.com/jinshanciba.htm";
        QTest::newRow("在线成语词典二") << "在线成语词典二"
                                        << "http://www.hydcd.com/cy";
        QTest::newRow("译典通") << "译典通"
                                << "http://www.dreye.com/index_gb.html";
        QTest::newRow("洪恩在线") << "洪恩在线"
                                  << "http://www.hongen.com/dict";
        QTest::newRow("写作网") << "写作网"
                                << "http://www.xiezuo.com";
        QTest::newRow("人民文学杂志社") << "人民文学杂志社"
                                        << "http://www.rmwxzz.com";
    }

    void siteAddresses()
    {
        QFETCH(QString, name);
        QFETCH(QString, address);
        QCOMPARE(QString::fromStdString(siteAddress(entryNamed(name.toStdString()))), address);
    }

    void onlyListItemsOpenSites()
    {
        for (const char* text : {"在线词典", "写作网站", "", "海词 ", "海"})
            QVERIFY2(!findSite(SiteDirectories[0], textFromUtf8(text)) &&
                         !findSite(SiteDirectories[1], textFromUtf8(text)),
                     text);
    }

    void topicLists()
    {
        const size_t counts[] = {12, 24, 6, 18};
        for (size_t i = 0; i < TopicLists.size(); ++i) {
            const TopicList& list = TopicLists[i];
            QCOMPARE(list.items.size(), counts[i]);
            std::set<std::string_view> distinct(list.items.begin(), list.items.end());
            QCOMPARE(distinct.size(), list.items.size());
        }
        QCOMPARE(TopicLists[2].items[0], std::string_view("自由撰稿"));
        QCOMPARE(TopicLists[0].items[2], std::string_view("时事评论"));
        // Items 5 and 17 of 组合框2 end with an ideographic space, which is GBK's A1 A1.
        for (size_t index : {4, 16}) {
            const Text item = textFromUtf8(TopicLists[1].items[index]);
            QVERIFY(item.ends_with("\xA1\xA1"));
            QCOMPARE(fromText(item).size(), 5);
        }
    }

    void searchRowsCompose_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("fresh");
        QTest::addColumn<QString>("address"); // for the keyword "kw"
        auto add = [](const char* button, bool fresh, const char* address) {
            QTest::newRow(button) << QString::fromUtf8(button) << fresh << QString::fromUtf8(address);
        };
        add("百度", true, "http://v.baidu.com/v?word=kw");
        add("谷歌", true, "http://www.google.com.hk/search?q=kw&tbo=p&tbm=vid&source=vgc&hl=zh-CN&aq=f");
        add("雅虎", true, "http://search.cn.yahoo.com/search?p=kw&amp;meta=all");
        add("网易", true, "http://video.youdao.com/search?q=kw");
        add("搜狐", true, "http://v.sogou.com/v?query=kw");
        add("SOSO搜搜", true, "http://video.soso.com/search/?w=kw");
        add("微软", true, "http://cn.bing.com/videos/search?q=kw&go=&form=QBRE&qs=n&sk=");
        add("中搜", true, "http://www.zhongsou.com/third.cgi?w=kw");
        add("新浪", true, "http://video.sina.com.cn/search/index.php?k=kw&range=all&c=news&sort=time");
        add("百度文库", false, "http://wenku.baidu.com/search?word=kw");
        add("文档搜索", false, "http://www.baidu.com/baidu?q1=kw&ft=all");
        add("百度国学", false,
            "http://guoxue.baidu.com/"
            "s?tn=baiduguoxue&ie=gb2312&bs=&cl=3&wd=kw&si=guoxue.baidu.com&ct=2097152");
        add("谷歌学术", false, "http://scholar.google.com.hk/scholar?q=kw&btnG=%E6%90%9C%E7%B4%A2&lr=");
    }

    void searchRowsCompose()
    {
        QFETCH(QString, button);
        QFETCH(bool, fresh);
        QFETCH(QString, address);
        const SearchEngine& engine = row(button.toStdString());
        QCOMPARE(engine.source == KeywordSource::Fresh, fresh);
        QCOMPARE(QString::fromStdString(searchAddress(engine, "kw")), address);
    }

    void keywordsGoInByteForByte()
    {
        const Text keyword = Text("a b&c#d%e=\0f", 12) + textFromUtf8("\u3000\U0001F600");
        const Text address = composeAddress(EndpointHost::BaiduWebSearch, "/s?wd=", keyword);
        QCOMPARE(address, Text("http://www.baidu.com/s?wd=") + keyword);
        QCOMPARE(composeAddress(EndpointHost::BaiduVideoSearch, "/v?word=", ""),
                 Text("http://v.baidu.com/v?word="));
    }

    void keywordKeepsExactlyOneTextAlive()
    {
        CurrentKeyword keyword;
        keyword.replace(Text(100, 'k'));
        const long before = liveBlocks.load();
        for (int i = 0; i < 5000; ++i)
            keyword.replace(Text(100 + i % 50, char('a' + i % 26)));
        QCOMPARE(liveBlocks.load(), before);
        QCOMPARE(keyword.text(), Text(100 + 4999 % 50, char('a' + 4999 % 26)));
        keyword.release();
        QCOMPARE(liveBlocks.load(), before - 1);
        QVERIFY(keyword.text().empty());
    }
};

QTEST_GUILESS_MAIN(TestTables)
#include "test_tables.moc"
