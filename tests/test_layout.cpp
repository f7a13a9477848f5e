#include "window/layout.h"

#include <QTest>
#include <map>

using namespace chenglan;

namespace {
struct Place {
    std::optional<int> left, top, width, height;
    bool operator==(const Place&) const = default;
};

std::map<std::string_view, Place> layoutFor(int W, int H)
{
    std::map<std::string_view, Place> places;
    for (const Placement& p : proportionalLayout(W, H))
        places[p.control] = {p.left, p.top, p.width, p.height};
    return places;
}

constexpr std::optional<int> kept;
} // namespace

class TestLayout : public QObject {
    Q_OBJECT

  private slots:
    void unitTruncates_data()
    {
        QTest::addColumn<int>("W");
        QTest::addColumn<int>("u");
        QTest::newRow("form width") << 1077 << 82;
        QTest::newRow("1920") << 1920 << 147;
        QTest::newRow("13k") << 13 * 100 << 100;
        QTest::newRow("13k+12") << 13 * 100 + 12 << 100;
        QTest::newRow("12") << 12 << 0;
        QTest::newRow("0") << 0 << 0;
    }

    void unitTruncates()
    {
        QFETCH(int, W);
        QFETCH(int, u);
        QCOMPARE(LayoutUnit(W), u);
    }

    void movesInOrder()
    {
        const char* order[] = {"编辑框1",  "返回",     "大搜索框", "组合框1",  "组合框2", "组合框3",
                               "组合框4",  "组合框5",  "组合框6",  "百度",     "谷歌",    "雅虎",
                               "网易",     "搜狐",     "SOSO搜搜", "微软",     "中搜",    "新浪",
                               "百度文库", "文档搜索", "百度国学", "谷歌学术", "编辑框2", "超文本浏览框1"};
        const auto moves = proportionalLayout(1077, 889);
        for (size_t i = 0; i < moves.size(); ++i)
            QCOMPARE(moves[i].control, std::string_view(order[i]));
    }

    void placesAtFormSize()
    {
        auto places = layoutFor(1077, 889); // u = 82
        QCOMPARE(places["编辑框1"], (Place{82, kept, 410, 24}));
        QCOMPARE(places["返回"], (Place{1041, kept, 32, 48}));
        QCOMPARE(places["大搜索框"], (Place{492, kept, 82, 24}));
        QCOMPARE(places["组合框1"], (Place{574, kept, 82, kept}));
        QCOMPARE(places["组合框2"], (Place{656, kept, 82, kept}));
        QCOMPARE(places["组合框4"], (Place{738, kept, 82, kept}));
        QCOMPARE(places["组合框3"], (Place{820, kept, 82, kept}));
        QCOMPARE(places["组合框6"], (Place{902, kept, 82, kept}));
        QCOMPARE(places["组合框5"], (Place{984, kept, 82, kept}));
        QCOMPARE(places["百度"], (Place{kept, 24, 82, 24}));
        QCOMPARE(places["谷歌学术"], (Place{984, 24, 82, 24}));
        QCOMPARE(places["编辑框2"], (Place{kept, kept, 1041, 48}));
        QCOMPARE(places["超文本浏览框1"], (Place{kept, 48, 1071, 813}));
    }

    void buttonsFillColumns_data()
    {
        QTest::addColumn<int>("W");
        QTest::newRow("1920") << 1920;
        QTest::newRow("13k") << 13 * 90;
        QTest::newRow("13k+12") << 13 * 90 + 12;
    }

    void buttonsFillColumns()
    {
        QFETCH(int, W);
        const int u = W / 13;
        auto places = layoutFor(W, 700);
        const char* buttons[] = {"谷歌", "雅虎", "网易",     "搜狐",     "SOSO搜搜", "微软",
                                 "中搜", "新浪", "百度文库", "文档搜索", "百度国学", "谷歌学术"};
        for (int column = 1; column <= 12; ++column)
            QCOMPARE(places[buttons[column - 1]], (Place{column * u, 24, u, 24}));
        // The lists' rightmost column ends 0 to 12 pixels short of the width.
        QCOMPARE(*places["组合框5"].left + u, 13 * u);
        QVERIFY(W - 13 * u <= 12);
    }

    void sizesOfTheWholeWidthFollowEveryPixel()
    {
        auto a = layoutFor(1300, 700);
        auto b = layoutFor(1301, 701);
        QCOMPARE(*b["返回"].left - *a["返回"].left, 1);
        QCOMPARE(*b["编辑框2"].width - *a["编辑框2"].width, 1);
        QCOMPARE(*b["超文本浏览框1"].width - *a["超文本浏览框1"].width, 1);
        QCOMPARE(*b["超文本浏览框1"].height - *a["超文本浏览框1"].height, 1);
        QCOMPARE(a["编辑框1"], b["编辑框1"]); // same u
    }

    void tinyWindowGivesNegativeSizesForTheToolkitToClamp()
    {
        auto places = layoutFor(10, 20);
        QCOMPARE(places["编辑框1"], (Place{0, kept, 0, 24}));
        QCOMPARE(*places["编辑框2"].width, -26);
        QCOMPARE(*places["超文本浏览框1"].height, -56);
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "test_layout.moc"
