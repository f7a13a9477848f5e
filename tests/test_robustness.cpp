#include "app/main_window_loader.h"
#include "platform/text_codec.h"
#include "search/current_keyword.h"
#include "support/typing.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <map>
#include <random>

using namespace chenglan;

namespace {
// A pane that keeps only what the checks need, so 20,000 actions do not pile up.
class LastAddressPane : public HtmlViewer {
  public:
    explicit LastAddressPane(QWidget* parent) : widget_(new QWidget(parent)) {}
    QWidget* widget() override { return widget_; }
    void setUrl(const Text& address) override
    {
        last = address;
        ++navigations;
    }
    Text last;
    long navigations = 0;

  private:
    QWidget* widget_;
};

struct Program {
    CurrentKeyword keyword;
    LastAddressPane* pane = nullptr;
    std::unique_ptr<Form> form = loadMainWindow(keyword, [this](QWidget* parent) {
        auto made = std::make_unique<LastAddressPane>(parent);
        pane = made.get();
        return std::unique_ptr<HtmlViewer>(std::move(made));
    });
    QLineEdit* edit(const char* name) const { return static_cast<QLineEdit*>(form->control(name)); }
};

// What the user should see, worked out from the behaviour alone.
struct Model {
    struct Search {
        bool fresh;
        const char* prefix;
        const char* suffix;
    };
    const std::map<std::string, Search> buttons = {
        {"百度", {true, "http://v.baidu.com/v?word=", ""}},
        {"谷歌", {true, "http://www.google.com.hk/search?q=", "&tbo=p&tbm=vid&source=vgc&hl=zh-CN&aq=f"}},
        {"雅虎", {true, "http://search.cn.yahoo.com/search?p=", "&amp;meta=all"}},
        {"网易", {true, "http://video.youdao.com/search?q=", ""}},
        {"搜狐", {true, "http://v.sogou.com/v?query=", ""}},
        {"SOSO搜搜", {true, "http://video.soso.com/search/?w=", ""}},
        {"微软", {true, "http://cn.bing.com/videos/search?q=", "&go=&form=QBRE&qs=n&sk="}},
        {"中搜", {true, "http://www.zhongsou.com/third.cgi?w=", ""}},
        {"新浪", {true, "http://video.sina.com.cn/search/index.php?k=", "&range=all&c=news&sort=time"}},
        {"百度文库", {false, "http://wenku.baidu.com/search?word=", ""}},
        {"文档搜索", {false, "http://www.baidu.com/baidu?q1=", "&ft=all"}},
        {"百度国学",
         {false, "http://guoxue.baidu.com/s?tn=baiduguoxue&ie=gb2312&bs=&cl=3&wd=",
          "&si=guoxue.baidu.com&ct=2097152"}},
        {"谷歌学术", {false, "http://scholar.google.com.hk/scholar?q=", "&btnG=%E6%90%9C%E7%B4%A2&lr="}},
    };
    // The sites the run chooses from, by list and item index.
    const std::map<std::pair<std::string, int>, const char*> sites = {
        {{"组合框5", 0}, "http://cb.kingsoft.com/jinshanciba.htm"},
        {{"组合框5", 3}, "http://www.google.com.hk/dictionary"},
        {{"组合框5", 8}, "http://dict.cn"},
        {{"组合框5", 19}, "http://www.jukuu.com"},
        {{"组合框6", 0}, "http://www.diyifanwen.com/"},
        {{"组合框6", 25}, "http://www.rmwxzz.com"},
        {{"组合框6", 31}, "http://www.xiezuo.com"},
    };

    QString keywordBox, bigBox, keyword;
    Text address;
    long navigations = 0;
    bool big = false;

    void navigate(const Text& to, int times = 1)
    {
        address = to;
        navigations += times;
    }
    static Text live(const QString& text) { return "http://v.baidu.com/v?word=" + toText(text); }

    void edited(const QString& now) // the user changed the focused box to `now`
    {
        if (big) {
            bigBox = now;
            navigate(live(now));
        } else {
            keywordBox = bigBox = keyword = now;
            navigate(live(now), 2);
        }
    }
    void pressed(const std::string& button)
    {
        if (button == "大搜索框" || button == "返回") {
            big = button == "大搜索框";
            keywordBox = keyword = bigBox;
            navigate(live(bigBox), 2);
            return;
        }
        const Search& search = buttons.at(button);
        if (search.fresh)
            keyword = keywordBox;
        navigate(search.prefix + toText(keyword) + search.suffix);
    }
    void topicChosen(const QString& item)
    {
        keyword = item;
        navigate("http://www.baidu.com/s?wd=" + toText(item));
    }
};

QString withoutLastCharacter(const QString& text)
{
    if (text.isEmpty())
        return text;
    const qsizetype cut =
        text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate() ? 2 : 1;
    return text.left(text.size() - cut);
}
} // namespace

class TestRobustness : public QObject {
    Q_OBJECT

  private slots:
    void twentyThousandRandomActions()
    {
        const unsigned seed = 20261211;
        std::mt19937 random(seed);
        auto chance = [&](int n) { return int(random() % unsigned(n)); };
        const QStringList pieces = {
            QStringLiteral("a"),  QStringLiteral("Z"),      QStringLiteral(" "),         QStringLiteral("&"),
            QStringLiteral("#"),  QStringLiteral("%"),      QStringLiteral("="),         QStringLiteral("澄"),
            QStringLiteral("览"), QStringLiteral("\u3000"), QStringLiteral("\U0001F600")};
        auto randomText = [&](int most) {
            QString text;
            for (int n = chance(most + 1); n > 0; --n)
                text += pieces[chance(int(pieces.size()))];
            return text;
        };
        const std::vector<std::string> searchButtons = {"百度",     "谷歌",     "雅虎",    "网易", "搜狐",
                                                        "SOSO搜搜", "微软",     "中搜",    "新浪", "百度文库",
                                                        "文档搜索", "百度国学", "谷歌学术"};

        Program program;
        Model model;
        QWidget* window = program.form->window();
        QLineEdit* keywordBox = program.edit("编辑框1");
        QLineEdit* bigBox = program.edit("编辑框2");

        for (int step = 0; step < 20000; ++step) {
            QLineEdit* typingInto = model.big ? bigBox : keywordBox;
            const QString before = typingInto->text();
            QString action;
            const int roll = chance(100);
            if (roll < 40) {
                const QString piece = pieces[chance(int(pieces.size()))];
                action = QStringLiteral("type ") + piece;
                typeText(typingInto, piece);
                model.edited(before + piece);
            } else if (roll < 45) {
                const QString pasted = randomText(40);
                action = QStringLiteral("paste ") + pasted;
                QApplication::clipboard()->setText(pasted);
                QTest::keyClick(typingInto, Qt::Key_V, Qt::ControlModifier);
                if (!pasted.isEmpty())
                    model.edited(before + pasted);
            } else if (roll < 60) {
                action = QStringLiteral("backspace");
                QTest::keyClick(typingInto, Qt::Key_Backspace);
                if (!before.isEmpty())
                    model.edited(withoutLastCharacter(before));
            } else if (roll < 63) {
                action = QStringLiteral("clear");
                QTest::keyClick(typingInto, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(typingInto, Qt::Key_Delete);
                if (!before.isEmpty())
                    model.edited(QString());
            } else if (roll < 83) {
                std::string button = model.big         ? "返回"
                                     : chance(14) == 0 ? "大搜索框"
                                                       : searchButtons[chance(13)];
                if (program.form->control(button)->size().isEmpty())
                    continue; // a window under 13 pixels wide leaves no button to press
                action = QStringLiteral("press ") + QString::fromStdString(button);
                QTest::mouseClick(program.form->control(button), Qt::LeftButton);
                model.pressed(button);
            } else if (roll < 98) {
                if (model.big)
                    continue;
                // Chosen with the Down key from the item above, as a user can.
                const bool topic = chance(2) == 0;
                std::string list;
                int index;
                if (topic) {
                    list = "组合框" + std::to_string(1 + chance(4));
                    index = chance(static_cast<QComboBox*>(program.form->control(list))->count());
                } else {
                    auto site = model.sites.begin();
                    std::advance(site, chance(int(model.sites.size())));
                    std::tie(list, index) = site->first;
                }
                auto* combo = static_cast<QComboBox*>(program.form->control(list));
                action = QStringLiteral("choose %1 of ").arg(index) + QString::fromStdString(list);
                combo->setCurrentIndex(index - 1);
                QTest::keyClick(combo, Qt::Key_Down);
                QCoreApplication::sendPostedEvents(combo, QEvent::MetaCall);
                if (topic)
                    model.topicChosen(combo->itemText(index));
                else
                    model.navigate(model.sites.at({list, index}));
            } else {
                const QSize size(1 + chance(8000), 1 + chance(8000));
                action = QStringLiteral("resize %1x%2").arg(size.width()).arg(size.height());
                window->setFixedSize(size);
                const int W = program.form->width(), H = program.form->height(), u = W / 13;
                QCOMPARE(program.form->control("编辑框1")->geometry(), QRect(u, 0, 5 * u, 24));
                QCOMPARE(program.form->control("谷歌学术")->geometry(), QRect(12 * u, 24, u, 24));
                QCOMPARE(program.form->control("编辑框2")->size(), QSize(std::max(W - 36, 0), 48));
                QCOMPARE(program.form->control("超文本浏览框1")->geometry(),
                         QRect(-1, 48, std::max(W - 6, 0), std::max(H - 76, 0)));
            }

            const QByteArray where =
                QStringLiteral("step %1 (%2), seed %3").arg(step).arg(action).arg(seed).toUtf8();
            QVERIFY2(keywordBox->text() == model.keywordBox, where.constData());
            QVERIFY2(bigBox->text() == model.bigBox, where.constData());
            QVERIFY2(program.keyword.text() == toText(model.keyword), where.constData());
            QVERIFY2(program.pane->last == model.address, where.constData());
            QVERIFY2(program.pane->navigations == model.navigations, where.constData());
            QVERIFY2(bigBox->isVisibleTo(window) == model.big, where.constData());
            QVERIFY2(keywordBox->isVisibleTo(window) == !model.big, where.constData());
        }
    }

    void hostileInput_data()
    {
        QTest::addColumn<QString>("pasted");
        QString megabyte;
        megabyte.reserve(1 << 20);
        while (megabyte.size() < (1 << 20))
            megabyte += QStringLiteral("澄览 ab&#%\U0001F600");
        QTest::newRow("1 MB") << megabyte;
        QTest::newRow("control characters") << QStringLiteral("a\x01\x02\t\x1b\x7f\u0085b");
        QTest::newRow("NUL") << QString(QChar(0)) + QStringLiteral("after");
        QTest::newRow("right to left") << QStringLiteral("\u202Eabc\u05D0\u05D1\u202C");
        QTest::newRow("unpaired surrogates")
            << QString(QChar(0xD800)) + QStringLiteral("mid") + QChar(0xDC00);
    }

    void hostileInput()
    {
        QFETCH(QString, pasted);
        Program program;
        QLineEdit* keywordBox = program.edit("编辑框1");
        QApplication::clipboard()->setText(pasted);
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(keywordBox, Qt::Key_V, Qt::ControlModifier);
        QTest::mouseClick(program.form->control("谷歌"), Qt::LeftButton);
        const qint64 took = clock.elapsed();
        qInfo("paste, live search and one button took %lld ms", took);
#ifndef CHENGLAN_SANITIZED
        QVERIFY2(took < 1000, "froze");
#endif
        // Whatever the box holds reaches the address, byte for byte of its program text.
        const Text held = toText(keywordBox->text());
        QCOMPARE(program.keyword.text(), held);
        QCOMPARE(program.pane->last,
                 "http://www.google.com.hk/search?q=" + held + "&tbo=p&tbm=vid&source=vgc&hl=zh-CN&aq=f");
        QCOMPARE(toText(program.edit("编辑框2")->text()), held);
        // Text that is Unicode survives unchanged; an unpaired surrogate is no character
        // and cannot be carried.
        if (!pasted.contains(QChar(0xD800)))
            QCOMPARE(fromText(held), keywordBox->text());
    }

    void everyByteThroughTheConversion()
    {
        // Any bytes decode without harm; GBK's two-byte characters keep their bytes.
        for (int b = 0; b < 256; ++b) {
            const Text one(1, char(b));
            const QString decoded = fromText(one);
            if (b < 0x80)
                QCOMPARE(toText(decoded), one);
        }
        int kept = 0;
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                const Text pair{char(lead), char(trail)};
                const QString decoded = fromText(pair);
                if (decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter) {
                    QCOMPARE(toText(decoded), pair);
                    ++kept;
                }
            }
        QVERIFY(kept > 21000); // GBK holds 21,886 characters
    }
};

QTEST_MAIN(TestRobustness)
#include "test_robustness.moc"
