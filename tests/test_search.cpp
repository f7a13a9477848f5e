#include "app/main_window_loader.h"
#include "platform/text_codec.h"
#include "search/current_keyword.h"
#include "support/recording_pane.h"
#include "support/typing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace chenglan;

namespace {
Text t(const QString& unicode)
{
    return toText(unicode);
}

// The loaded main window, active, with a pane that records every address written.
struct Window {
    CurrentKeyword keyword;
    RecordingPane* pane = nullptr;
    std::unique_ptr<Form> form = loadMainWindow(keyword, recordingPaneInto(pane));

    Window()
    {
        form->window()->activateWindow();
        if (!QTest::qWaitForWindowActive(form->window()))
            qFatal("window not active");
    }

    QLineEdit* keywordBox() const { return static_cast<QLineEdit*>(form->control("编辑框1")); }
    QLineEdit* bigBox() const { return static_cast<QLineEdit*>(form->control("编辑框2")); }
    QWidget* widget(std::string_view name) const { return form->control(name); }

    void type(const QString& text) const { typeText(QApplication::focusWidget(), text); }
    void click(std::string_view button) const { QTest::mouseClick(widget(button), Qt::LeftButton); }

    // A pick from the dropped-down list, as the user makes it; handled once queued.
    void choose(std::string_view list, int index) const
    {
        auto* combo = static_cast<QComboBox*>(widget(list));
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        if (!QTest::qWaitForWindowExposed(view->window()))
            qFatal("list did not drop down");
        const QModelIndex item = view->model()->index(index, 0);
        view->scrollTo(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
        QCoreApplication::processEvents();
    }

    std::vector<Text> takeUrls() const { return std::exchange(pane->urls, {}); }
};

using Urls = std::vector<Text>;
} // namespace

class TestSearch : public QObject {
    Q_OBJECT

  private slots:
    void addresses_data()
    {
        QTest::addColumn<QString>("keyword"); // typed into the keyword box first
        QTest::addColumn<QString>("action");  // then: a button, or list:index
        QTest::addColumn<QString>("address");
        auto row = [](const char* name, const char* keyword, const char* action, const char* address) {
            QTest::newRow(name) << QString::fromUtf8(keyword) << QString::fromUtf8(action)
                                << QString::fromUtf8(address);
        };
        row("百度", "kw", "百度", "http://v.baidu.com/v?word=kw");
        row("谷歌", "kw", "谷歌",
            "http://www.google.com.hk/search?q=kw&tbo=p&tbm=vid&source=vgc&hl=zh-CN&aq=f");
        row("雅虎", "kw", "雅虎", "http://search.cn.yahoo.com/search?p=kw&amp;meta=all");
        row("网易", "kw", "网易", "http://video.youdao.com/search?q=kw");
        row("搜狐", "kw", "搜狐", "http://v.sogou.com/v?query=kw");
        row("SOSO搜搜", "kw", "SOSO搜搜", "http://video.soso.com/search/?w=kw");
        row("微软", "kw", "微软", "http://cn.bing.com/videos/search?q=kw&go=&form=QBRE&qs=n&sk=");
        row("中搜", "kw", "中搜", "http://www.zhongsou.com/third.cgi?w=kw");
        row("新浪", "kw", "新浪",
            "http://video.sina.com.cn/search/index.php?k=kw&range=all&c=news&sort=time");
        row("百度文库", "kw", "百度文库", "http://wenku.baidu.com/search?word=kw");
        row("文档搜索", "kw", "文档搜索", "http://www.baidu.com/baidu?q1=kw&ft=all");
        row("百度国学", "kw", "百度国学",
            "http://guoxue.baidu.com/"
            "s?tn=baiduguoxue&ie=gb2312&bs=&cl=3&wd=kw&si=guoxue.baidu.com&ct=2097152");
        row("谷歌学术", "kw", "谷歌学术",
            "http://scholar.google.com.hk/scholar?q=kw&btnG=%E6%90%9C%E7%B4%A2&lr=");
        row("Chinese keyword", "澄览", "谷歌学术",
            "http://scholar.google.com.hk/scholar?q=澄览&btnG=%E6%90%9C%E7%B4%A2&lr=");
        row("empty box", "", "百度", "http://v.baidu.com/v?word=");
        row("topic 组合框1", "kw", "组合框1:2", "http://www.baidu.com/s?wd=时事评论");
        row("topic 组合框2 ideographic space", "kw", "组合框2:4", "http://www.baidu.com/s?wd=外国小说\u3000");
        row("topic 组合框3", "", "组合框3:0", "http://www.baidu.com/s?wd=自由撰稿");
        row("topic 组合框4", "kw", "组合框4:17", "http://www.baidu.com/s?wd=名家议论文");
        row("海词", "kw", "组合框5:8", "http://dict.cn");
        row("谷歌字典", "kw", "组合框5:3", "http://www.google.com.hk/dictionary");
        row("第一范文网", "kw", "组合框6:0", "http://www.diyifanwen.com/");
        row("人民文学杂志社", "kw", "组合框6:25", "http://www.rmwxzz.com");
        row("写作网", "kw", "组合框6:31", "http://www.xiezuo.com");
    }

    void addresses()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, action);
        QFETCH(QString, address);
        Window w;
        w.type(keyword);
        w.takeUrls();
        if (action.contains(u':'))
            w.choose(action.section(u':', 0, 0).toStdString(), action.section(u':', 1).toInt());
        else
            w.click(action.toStdString());
        QCOMPARE(w.takeUrls(), Urls{t(address)});
    }

    void liveSearchNavigatesTwicePerChange()
    {
        Window w;
        QVERIFY(w.pane->urls.empty()); // loading searched nothing
        w.type(QStringLiteral("ab"));
        const Text a = "http://v.baidu.com/v?word=a", ab = "http://v.baidu.com/v?word=ab";
        QCOMPARE(w.takeUrls(), (Urls{a, a, ab, ab}));
        QCOMPARE(w.bigBox()->text(), QStringLiteral("ab"));
        QCOMPARE(w.keyword.text(), Text("ab"));
        QCOMPARE(QApplication::focusWidget(), w.keywordBox());

        // Clearing searches for the empty keyword.
        QTest::keyClick(w.keywordBox(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w.keywordBox(), Qt::Key_Delete);
        QCOMPARE(w.takeUrls(), (Urls{"http://v.baidu.com/v?word=", "http://v.baidu.com/v?word="}));
        QVERIFY(w.keyword.text().empty());
        QCOMPARE(w.bigBox()->text(), QString());
    }

    void keywordsGoInAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("ampersand") << QStringLiteral("a&b=c");
        QTest::newRow("hash and percent") << QStringLiteral("c#d%zz");
        QTest::newRow("spaces") << QStringLiteral(" two  spaces ");
        QTest::newRow("outside GBK") << QStringLiteral("\U0001F600\U00020000");
        QTest::newRow("right to left") << QStringLiteral("\u05E9\u05DC\u05D5\u05DD");
    }

    void keywordsGoInAsTyped()
    {
        QFETCH(QString, typed);
        Window w;
        w.type(typed);
        QCOMPARE(w.keywordBox()->text(), typed);
        const Text address = Text("http://v.baidu.com/v?word=") + t(typed);
        QCOMPARE(w.pane->urls.back(), address);
        QCOMPARE(w.keyword.text(), t(typed));
        w.click("谷歌");
        QCOMPARE(w.pane->urls.back(),
                 "http://www.google.com.hk/search?q=" + t(typed) + "&tbo=p&tbm=vid&source=vgc&hl=zh-CN&aq=f");
        QCOMPARE(fromText(w.keyword.text()), typed);
    }

    void aHugePasteReachesTheAddressWhole()
    {
        Window w;
        QString huge;
        for (int i = 0; i < 100000; ++i)
            huge += QChar(u"澄览ab &#"[i % 7]);
        QApplication::clipboard()->setText(huge);
        QTest::keyClick(w.keywordBox(), Qt::Key_V, Qt::ControlModifier);
        const QString held = w.keywordBox()->text();
        QCOMPARE(held.size(), w.keywordBox()->maxLength()); // the edit box's own limit
        QVERIFY(huge.startsWith(held));
        QCOMPARE(w.takeUrls(), Urls(2, "http://v.baidu.com/v?word=" + t(held)));
        QCOMPARE(w.keyword.text(), t(held));
        QCOMPARE(w.bigBox()->text(), held);
    }

    void storedKeywordButtonsContinueTheLastSearch()
    {
        Window w;
        // Before any search the stored keyword is the box's initial, empty text.
        w.click("百度文库");
        QCOMPARE(w.takeUrls(), Urls{"http://wenku.baidu.com/search?word="});

        QTest::mouseClick(w.keywordBox(), Qt::LeftButton); // back from the button
        w.type(QStringLiteral("abc"));
        w.choose("组合框2", 1); // 小说技巧
        QCOMPARE(w.keywordBox()->text(), QStringLiteral("abc"));
        QCOMPARE(static_cast<QComboBox*>(w.widget("组合框2"))->currentText(), QStringLiteral("小说技巧"));
        w.takeUrls();
        w.click("百度文库");
        QCOMPARE(w.takeUrls(), Urls{t(QStringLiteral("http://wenku.baidu.com/search?word=小说技巧"))});
        w.click("百度");
        QCOMPARE(w.takeUrls(), Urls{"http://v.baidu.com/v?word=abc"});
        w.click("百度文库");
        QCOMPARE(w.takeUrls(), Urls{"http://wenku.baidu.com/search?word=abc"});

        // Opening a site leaves the keyword and both boxes alone.
        w.choose("组合框5", 8); // 海词
        QCOMPARE(w.takeUrls(), Urls{"http://dict.cn"});
        QCOMPARE(w.keyword.text(), Text("abc"));
        QCOMPARE(w.bigBox()->text(), QStringLiteral("abc"));
        w.click("文档搜索");
        QCOMPARE(w.takeUrls(), Urls{"http://www.baidu.com/baidu?q1=abc&ft=all"});
    }

    void typingIntoAListRunsNothing()
    {
        Window w;
        w.type(QStringLiteral("kw"));
        w.takeUrls();
        for (const char* list : {"组合框1", "组合框5"}) {
            auto* combo = static_cast<QComboBox*>(w.widget(list));
            combo->lineEdit()->selectAll();
            typeText(combo->lineEdit(), QStringLiteral("海词"));
            QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
            QCoreApplication::processEvents();
        }
        QVERIFY(w.pane->urls.empty());
        QCOMPARE(w.keyword.text(), Text("kw"));
    }

    void aSelectionOutsideTheListSearchesForNothing()
    {
        Window w;
        w.type(QStringLiteral("kw"));
        w.takeUrls();
        w.form->comboBox("组合框5").listItemSelected(); // no item selected
        QVERIFY(w.pane->urls.empty());
        w.form->comboBox("组合框1").listItemSelected();
        QCOMPARE(w.takeUrls(), Urls{"http://www.baidu.com/s?wd="});
        QVERIFY(w.keyword.text().empty());
    }

    void bigSearchBoxMode()
    {
        Window w;
        auto visibleControls = [&] {
            QStringList names;
            for (QWidget* child : w.form->window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisible())
                    names << child->objectName();
            names.sort();
            return names;
        };
        const QStringList normal = visibleControls();
        QCOMPARE(normal.size(), 24);

        w.type(QStringLiteral("abc"));
        w.takeUrls();
        w.click("大搜索框");
        QStringList big = {QStringLiteral("编辑框2"), QStringLiteral("返回"), QStringLiteral("超级链接框1"),
                           QStringLiteral("超文本浏览框1")};
        big.sort();
        QCOMPARE(visibleControls(), big);
        QCOMPARE(QApplication::focusWidget(), w.bigBox());
        QCOMPARE(w.bigBox()->text(), QStringLiteral("abc"));
        QCOMPARE(w.takeUrls(), Urls(2, "http://v.baidu.com/v?word=abc"));

        // Typing in the big box searches once per change and changes nothing else.
        QTest::keyClick(w.bigBox(), Qt::Key_A, Qt::ControlModifier);
        w.type(QStringLiteral("xyz"));
        QCOMPARE(w.takeUrls(), (Urls{"http://v.baidu.com/v?word=x", "http://v.baidu.com/v?word=xy",
                                     "http://v.baidu.com/v?word=xyz"}));
        QCOMPARE(w.keywordBox()->text(), QStringLiteral("abc"));
        QCOMPARE(w.keyword.text(), Text("abc"));

        // Resizing keeps the mode and places both sets of controls.
        const int W = w.form->width() - 40;
        w.form->window()->setFixedSize(w.form->window()->size() - QSize(40, 0));
        QCOMPARE(visibleControls(), big);
        QCOMPARE(w.bigBox()->width(), W - 36);
        QCOMPARE(w.widget("百度")->width(), W / 13);

        w.click("返回");
        QCOMPARE(visibleControls(), normal);
        QCOMPARE(w.keywordBox()->text(), QStringLiteral("xyz"));
        QCOMPARE(w.keyword.text(), Text("xyz"));
        QCOMPARE(QApplication::focusWidget(), w.keywordBox());
        QCOMPARE(w.takeUrls(), Urls(2, "http://v.baidu.com/v?word=xyz"));
        w.click("百度文库");
        QCOMPARE(w.takeUrls(), Urls{"http://wenku.baidu.com/search?word=xyz"});
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"
