#include "app/main_window_loader.h"
#include "platform/text_codec.h"
#include "platform/toolkit.h"
#include "search/current_keyword.h"
#include "support/recording_pane.h"
#include "support/scripted_message_box.h"
#include "window/main_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace chenglan;

namespace {
QString q(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// The main window as the program loads it, with a pane that only records.
struct LoadedWindow {
    CurrentKeyword keyword;
    RecordingPane* pane = nullptr;
    std::unique_ptr<Form> form = loadMainWindow(keyword, recordingPaneInto(pane));

    QWidget* widget(const char* name) const { return form->control(name); }
};

// Records events of the window and its pane as they happen.
class EventLog : public QObject {
  public:
    std::vector<QString> lines;
    std::function<QString()> describe;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            lines.push_back(QStringLiteral("shown ") + describe());
        return false;
    }
};
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

  private slots:
    void init() { QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(800, 800)); }

    void controlsAsStored()
    {
        struct Expected {
            const char* name;
            const char* qtClass;
            QRect place; // before the first layout
            bool shown;
            const char* text;
        };
        // Combo boxes keep the toolkit's height for the closed field (checked apart).
        const Expected catalogue[] = {
            {"超级链接框1", "QWidget", {1032, 24, 32, 24}, true, ""},
            {"组合框5", "QComboBox", {932, 2, 80, 0}, true, "在线词典"},
            {"组合框6", "QComboBox", {855, 2, 80, 0}, true, "写作网站"},
            {"组合框3", "QComboBox", {777, 2, 80, 0}, true, "自由撰稿"},
            {"组合框4", "QComboBox", {700, 2, 80, 0}, true, "学生作文"},
            {"组合框2", "QComboBox", {623, 2, 80, 0}, true, "文学创作"},
            {"组合框1", "QComboBox", {546, 2, 80, 0}, true, "博览群书"},
            {"返回", "QPushButton", {986, 0, 32, 24}, false, "返回"},
            {"大搜索框", "QPushButton", {468, 0, 78, 24}, true, "大搜索框"},
            {"编辑框2", "QLineEdit", {0, 0, 986, 74}, false, ""},
            {"百度文库", "QPushButton", {702, 48, 78, 24}, true, "百度文库"},
            {"百度国学", "QPushButton", {858, 22, 78, 24}, true, "百度国学"},
            {"谷歌学术", "QPushButton", {936, 22, 78, 24}, true, "Google学术"},
            {"新浪", "QPushButton", {624, 48, 78, 24}, true, "新  浪"},
            {"中搜", "QPushButton", {546, 48, 78, 24}, true, "中  搜"},
            {"微软", "QPushButton", {468, 48, 78, 24}, true, "微  软"},
            {"SOSO搜搜", "QPushButton", {390, 25, 78, 24}, true, "SOSO搜搜"},
            {"搜狐", "QPushButton", {312, 25, 78, 24}, true, "搜  狐"},
            {"文档搜索", "QPushButton", {780, 22, 78, 24}, true, "百度文档"},
            {"网易", "QPushButton", {234, 25, 78, 24}, true, "网   易"},
            {"雅虎", "QPushButton", {156, 25, 78, 24}, true, "雅   虎"},
            {"谷歌", "QPushButton", {78, 25, 78, 24}, true, "Google"},
            {"标签1", "QLabel", {0, -2, 74, 24}, true, "关键词"},
            {"超文本浏览框1", "QWidget", {-1, 72, 1022, 776}, true, ""},
            {"百度", "QPushButton", {0, 25, 78, 24}, true, "百   度"},
            {"编辑框1", "QLineEdit", {76, 0, 392, 24}, true, ""},
        };

        RecordingPane* pane = nullptr;
        const auto form = buildMainWindow(recordingPaneInto(pane));
        QWidget* window = form->window();
        QCOMPARE(window->windowTitle(), QStringLiteral("澄览"));
        QCOMPARE(window->size(), QSize(1077, 889));
        QCOMPARE(window->minimumSize(), window->maximumSize()); // a fixed frame
        QVERIFY(!window->isVisible());

        // Children in stored order, each with its object name.
        QList<QWidget*> children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(children.size(), 26);
        for (size_t i = 0; i < std::size(catalogue); ++i) {
            const Expected& e = catalogue[i];
            QWidget* w = form->control(e.name);
            QCOMPARE(w->objectName(), q(e.name));
            QCOMPARE(w->parentWidget(), window);
            QVERIFY2(w->inherits(e.qtClass), e.name);
            QCOMPARE(w->geometry().topLeft(), e.place.topLeft());
            QCOMPARE(w->width(), e.place.width());
            if (e.place.height())
                QCOMPARE(w->height(), e.place.height());
            QVERIFY2(w->isHidden(), e.name); // built hidden
            QString text;
            if (auto* button = qobject_cast<QPushButton*>(w))
                text = button->text();
            else if (auto* edit = qobject_cast<QLineEdit*>(w))
                text = edit->text();
            else if (auto* combo = qobject_cast<QComboBox*>(w))
                text = combo->currentText();
            else if (auto* label = qobject_cast<QLabel*>(w))
                text = label->text();
            QCOMPARE(text, q(e.text));
            const bool tabStop =
                std::string_view(e.name) != "标签1" && std::string_view(e.name) != "超级链接框1";
            QCOMPARE(w->focusPolicy() != Qt::NoFocus, tabStop);
        }

        // An earlier control lies above a later one: Qt lists children bottom to top.
        for (int i = 0; i < 26; ++i)
            QCOMPARE(children[i]->objectName(), q(catalogue[25 - i].name));

        // Fonts: 宋体 (or a CJK stand-in) at 48, 20 and 12 pixels; the rest the GUI default.
        QCOMPARE(form->control("编辑框2")->font().pixelSize(), 48);
        QCOMPARE(form->control("返回")->font().pixelSize(), 20);
        QCOMPARE(form->control("标签1")->font().pixelSize(), 12);
        QCOMPARE(form->control("编辑框1")->font(), QApplication::font());
        QCOMPARE(static_cast<QLabel*>(form->control("标签1"))->alignment(), Qt::AlignCenter);

        // Each form's shown controls appear at load.
        ScriptedMessageBox boxes;
        form->load();
        for (const Expected& e : catalogue)
            QCOMPARE(form->control(e.name)->isVisible(), e.shown);
        window->close();
        QCOMPARE(boxes.asked.size(), size_t(0)); // no handler bound: closes without asking
    }

    void listsHoldTheirItemsUnderTheirHeadings()
    {
        struct Expected {
            const char* name;
            const char* heading;
            int count;
            const char* first;
            const char* last;
        };
        const Expected lists[] = {
            {"组合框1", "博览群书", 12, "时事政治", "伟人传记"},
            {"组合框2", "文学创作", 24, "小说素材", "戏剧论坛"},
            {"组合框3", "自由撰稿", 6, "自由撰稿", "网络小说写作技巧"},
            {"组合框4", "学生作文", 18, "如何写好作文", "名家议论文"},
            {"组合框5", "在线词典", 20, "金山词霸搜索", "句酷"},
            {"组合框6", "写作网站", 32, "第一范文网", "写作网"},
        };
        LoadedWindow loaded;
        for (const Expected& e : lists) {
            auto* combo = static_cast<QComboBox*>(loaded.widget(e.name));
            QVERIFY(combo->isEditable());
            QCOMPARE(combo->currentIndex(), -1);
            QCOMPARE(combo->currentText(), q(e.heading));
            QCOMPARE(combo->count(), e.count);
            QCOMPARE(combo->itemText(0), q(e.first));
            QCOMPARE(combo->itemText(e.count - 1), q(e.last));
            QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);
        }
        auto* literature = static_cast<QComboBox*>(loaded.widget("组合框2"));
        QCOMPARE(literature->itemText(4), QStringLiteral("外国小说\u3000"));
        QCOMPARE(literature->itemText(16), QStringLiteral("外国散文\u3000"));
    }

    void startsInOrderAndFillsTheScreen()
    {
        CurrentKeyword keyword;
        EventLog log;
        RecordingPane* pane = nullptr;
        QWidget* window = nullptr;
        auto describe = [&] {
            const QRect p = pane->widget()->geometry();
            return QStringLiteral("window %1 pane %2x%3 focus %4")
                .arg(window->isVisible() ? QStringLiteral("visible") : QStringLiteral("hidden"))
                .arg(p.width())
                .arg(p.height())
                .arg(window->focusWidget() ? window->focusWidget()->objectName() : QStringLiteral("-"));
        };
        log.describe = describe;
        int controlsShownWhenPaneMade = -1;
        const auto form = buildMainWindow([&](QWidget* parent) {
            const auto made = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            controlsShownWhenPaneMade =
                int(std::count_if(made.begin(), made.end(), [](QWidget* w) { return !w->isHidden(); }));
            return recordingPaneInto(pane)(parent);
        });
        window = form->window();
        bindMainWindow(*form, keyword);
        const Handler created = form->created;
        const Handler sizeChanged = form->sizeChanged;
        form->created = [&] {
            log.lines.push_back(
                QStringLiteral("created, label shown: %1").arg(form->control("标签1")->isVisibleTo(window)));
            created();
            log.lines.push_back(QStringLiteral("after created ") + describe());
        };
        form->sizeChanged = [&] {
            sizeChanged();
            log.lines.push_back(QStringLiteral("sizeChanged %1x%2 ").arg(form->width()).arg(form->height()) +
                                describe());
        };
        window->installEventFilter(&log);
        form->load();

        QCOMPARE(controlsShownWhenPaneMade, 0);
        const std::vector<QString> expected = {
            QStringLiteral("created, label shown: 1"),
            QStringLiteral("after created window hidden pane 1063x889 focus 编辑框1"),
            QStringLiteral("sizeChanged 1077x889 window hidden pane 1071x813 focus 编辑框1"),
            QStringLiteral("sizeChanged 800x800 window hidden pane 794x724 focus 编辑框1"),
            QStringLiteral("shown window visible pane 794x724 focus 编辑框1"),
        };
        QCOMPARE(log.lines, expected);
        QCOMPARE(window->pos(), QPoint(0, 0));
        QCOMPARE(window->frameGeometry(), QRect(0, 0, 800, 800));
        QVERIFY(!(window->windowState() & Qt::WindowMaximized));
        QVERIFY(keyword.text().empty());
        QVERIFY(pane->urls.empty()); // loading runs no search
        // Laid out for the screen: u = 800 / 13 = 61.
        QCOMPARE(form->control("编辑框1")->geometry(), QRect(61, 0, 305, 24));
        QCOMPARE(form->control("超文本浏览框1")->geometry(), QRect(-1, 48, 794, 724));
    }

    void layoutOfTheRealWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1920") << QSize(1920, 1080) - QSize(4, 4); // the offscreen frame is 2 pixels wide
        QTest::newRow("form") << QSize(1077, 889);
        QTest::newRow("tiny") << QSize(10, 20);
        QTest::newRow("1x1") << QSize(1, 1);
    }

    void layoutOfTheRealWindow()
    {
        QFETCH(QSize, size);
        LoadedWindow loaded;
        QWidget* window = loaded.form->window();
        window->setFixedSize(size);
        QCOMPARE(loaded.form->width(), window->frameGeometry().width());
        const int W = loaded.form->width();
        const int u = W / 13;
        QCOMPARE(loaded.widget("中搜")->geometry(), QRect(7 * u, 24, u, 24));
        QCOMPARE(loaded.widget("返回")->geometry().left(), W - 36);
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(child->width() >= 0 && child->height() >= 0, qPrintable(child->objectName()));
        // The label and the hyperlink box never move.
        QCOMPARE(loaded.widget("标签1")->geometry(), QRect(0, -2, 74, 24));
        QCOMPARE(loaded.widget("超级链接框1")->geometry(), QRect(1032, 24, 32, 24));
        if (u == 147) {
            // 中搜 (left 1029, width 147) passes under the hyperlink box's patch.
            QCOMPARE(window->childAt(1040, 30), loaded.widget("超级链接框1"));
            QCOMPARE(window->childAt(1030, 30), loaded.widget("中搜"));
            QCOMPARE(window->childAt(1070, 30), loaded.widget("中搜"));
        }
    }

    void answeringNoKeepsEverything()
    {
        LoadedWindow loaded;
        auto* keywordBox = static_cast<QLineEdit*>(loaded.widget("编辑框1"));
        QTest::keyClicks(keywordBox, QStringLiteral("kw"));
        const auto urls = loaded.pane->urls;
        ScriptedMessageBox boxes;
        boxes.answers = {MessageNo, MessageCancel};
        QVERIFY(!loaded.form->window()->close());
        QTest::keyClick(keywordBox, Qt::Key_Escape);
        QCOMPARE(boxes.asked.size(), size_t(2));
        for (const AskedMessage& asked : boxes.asked) {
            QCOMPARE(asked.text, textFromUtf8("您确定要退出《澄览》吗?\r\n"));
            QCOMPARE(asked.flags, 0x44);
            QCOMPARE(asked.title, textFromUtf8("提醒:"));
        }
        QVERIFY(loaded.form->window()->isVisible());
        QCOMPARE(keywordBox->text(), QStringLiteral("kw"));
        QCOMPARE(loaded.keyword.text(), Text("kw"));
        QCOMPARE(loaded.pane->urls, urls);
    }

    void enterAndF1DoNothing()
    {
        LoadedWindow loaded;
        loaded.form->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(loaded.form->window()));
        QWidget* keywordBox = loaded.widget("编辑框1");
        QCOMPARE(QApplication::focusWidget(), keywordBox);
        const auto windows = QApplication::topLevelWidgets().size();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F1}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCoreApplication::processEvents();
        }
        QTest::keyClick(loaded.widget("百度"), Qt::Key_Return); // no default button either
        QCOMPARE(QApplication::focusWidget(), keywordBox);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QVERIFY(loaded.pane->urls.empty());
    }

    void logOffIsRefusedOnNo()
    {
        LoadedWindow loaded;
        ScriptedMessageBox boxes;
        boxes.answers = {MessageNo, MessageYes};
        QVERIFY(!loaded.form->logOffMayProceed());
        QVERIFY(loaded.form->logOffMayProceed());
        QCOMPARE(boxes.asked.size(), size_t(2));
    }

    void escapeThenYesEndsTheLoopOnce()
    {
        LoadedWindow loaded;
        ScriptedMessageBox boxes;
        boxes.answers = {MessageYes};
        int exitRoutineRuns = 0;
        setExitRoutine([&] {
            ++exitRoutineRuns;
            loaded.keyword.release();
        });
        QTest::keyClicks(loaded.widget("编辑框1"), QStringLiteral("x"));
        QTimer::singleShot(0, loaded.widget("编辑框1"),
                           [&] { QTest::keyClick(loaded.widget("编辑框1"), Qt::Key_Escape); });
        QCOMPARE(runMessageLoop(), 0);
        QCOMPARE(exitRoutineRuns, 1);
        QCOMPARE(boxes.asked.size(), size_t(1));
        QVERIFY(!loaded.form->window()->isVisible());
        QVERIFY(loaded.keyword.text().empty());
        setExitRoutine(nullptr);
    }

    void fatalErrorShowsTheBoxAndExitsMinusOne()
    {
        QProcess probe;
        probe.start(QStringLiteral(FATAL_PROBE), {});
        QVERIFY(probe.waitForFinished(30000));
        const QString out = QString::fromUtf8(probe.readAllStandardOutput());
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 255); // -1
        QVERIFY2(out.contains(QStringLiteral("title=错误\n")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("text=运行时出错!\r\n\r\n错误信息：找不到控件 \"编辑框9\"\n")),
                 qPrintable(out));
        QVERIFY(!out.contains(QStringLiteral("exit routine ran")));
        QVERIFY(!out.contains(QStringLiteral("still running")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
