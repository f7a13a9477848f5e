#include "app/main_window_loader.h"
#include "platform/web_pane.h"
#include "search/address.h"
#include "search/current_keyword.h"
#include "support/scripted_message_box.h"

#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

using namespace chenglan;

namespace {
constexpr int Slow = 30000;

QStringList requests()
{
    QFile log(qEnvironmentVariable("RECORDING_LOG"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
}
} // namespace

// The whole program against a web that answers garbage, or nothing at all.
class TestWebFaults : public QObject {
    Q_OBJECT

  private slots:
    void theProgramOutlivesABrokenWeb()
    {
        const QString mode = qEnvironmentVariable("RECORDING_MODE");
        QVERIFY2(mode == u"garbage" || mode == u"unreachable", "run through with_recording_server.py");
        CurrentKeyword keyword;
        WebPane* pane = nullptr;
        const auto window = loadMainWindow(keyword, [&](QWidget* parent) {
            auto made = std::make_unique<WebPane>(parent, startAddress());
            pane = made.get();
            return std::unique_ptr<HtmlViewer>(std::move(made));
        });
        // The view is made now, before the event loop first runs, so no load is missed.
        QWebEnginePage* page = qobject_cast<QWebEngineView*>(pane->engineWidget())->page();
        const auto loads = std::make_unique<QSignalSpy>(page, &QWebEnginePage::loadFinished);

        // The start page fails; the engine shows its own error page.
        QTRY_VERIFY_WITH_TIMEOUT(loads->size() >= 1, Slow);
        QCOMPARE(loads->takeFirst().at(0).toBool(), false);
        QVERIFY(page->settings()->testAttribute(QWebEngineSettings::ErrorPageEnabled));

        // The program goes on: typing still searches, the next search is sent.
        auto* keywordBox = static_cast<QLineEdit*>(window->control("编辑框1"));
        QTest::keyClicks(keywordBox, QStringLiteral("ab"));
        QCOMPARE(keyword.text(), Text("ab"));
        QTRY_COMPARE_WITH_TIMEOUT(page->url(), QUrl(QStringLiteral("http://v.baidu.com/v?word=ab")), Slow);
        QTRY_VERIFY_WITH_TIMEOUT(!loads->isEmpty() && !loads->last().at(0).toBool(), Slow);
        if (mode == u"garbage")
            QTRY_VERIFY_WITH_TIMEOUT(requests().contains(QStringLiteral("GET http://v.baidu.com/v?word=ab")),
                                     Slow);

        QTest::mouseClick(window->control("百度文库"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(page->url(), QUrl(QStringLiteral("http://wenku.baidu.com/search?word=ab")),
                                  Slow);
        QVERIFY(window->window()->isVisible());

        ScriptedMessageBox boxes;
        boxes.answers = {MessageYes};
        QVERIFY(window->window()->close());
    }
};

QTEST_MAIN(TestWebFaults)
#include "test_web_faults.moc"
