#include "platform/form.h"
#include "platform/text_codec.h"
#include "platform/web_pane.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <csignal>

using namespace chenglan;

namespace {
// The requests that reached the recording server, favicons left out.
QStringList requests()
{
    QFile log(qEnvironmentVariable("RECORDING_LOG"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray& line : log.readAll().split('\n'))
        if (!line.isEmpty() && !line.endsWith("/favicon.ico"))
            lines << QString::fromUtf8(line);
    return lines;
}

int countOf(const QString& request)
{
    return int(requests().count(request));
}

constexpr int Slow = 30000; // the engine starts slowly on a small machine

// A window with nothing but the pane, as the form loads it.
struct PaneWindow {
    WebPane* pane = nullptr;
    int closeRequests = 0;
    std::unique_ptr<Form> form;

    explicit PaneWindow(const Text& start)
    {
        const ControlDefinition controls[] = {
            {"超文本浏览框1", ControlKind::HtmlViewer, 0, 0, 400, 300, true, ""}};
        form =
            std::make_unique<Form>(WindowDefinition{"pane", 0, 0, 400, 300}, controls, [&](QWidget* parent) {
                auto made = std::make_unique<WebPane>(parent, start);
                pane = made.get();
                return std::unique_ptr<HtmlViewer>(std::move(made));
            });
        form->canBeClosed = [this] {
            ++closeRequests;
            return false;
        };
        form->load();
    }

    QWebEngineView* view() const { return qobject_cast<QWebEngineView*>(pane->engineWidget()); }
    QWebEnginePage* page() const { return view()->page(); }

    bool loadAndWait(const Text& address) const
    {
        QSignalSpy finished(page(), &QWebEnginePage::loadFinished);
        pane->setUrl(address);
        return finished.wait(Slow);
    }

    // Runs a script in the page and waits until it has run.
    void run(const QString& script) const
    {
        bool done = false;
        page()->runJavaScript(script, [&done](const QVariant&) { done = true; });
        QTRY_VERIFY_WITH_TIMEOUT(done, Slow);
    }

    void setHtmlAndWait(const QString& html) const
    {
        QSignalSpy finished(page(), &QWebEnginePage::loadFinished);
        page()->setHtml(html, QUrl(QStringLiteral("http://page.test/")));
        QVERIFY(finished.wait(Slow));
    }
};
} // namespace

class TestWebPane : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("RECORDING_LOG"), "run through with_recording_server.py");
    }

    void startsAtItsStartAddressAndNavigatesOnEveryWrite()
    {
        PaneWindow w("http://v.baidu.com");
        // The window is shown before the engine starts; the start page follows.
        QVERIFY(w.form->window()->isVisible());
        QVERIFY(!w.form->control("超文本浏览框1")->findChild<QWebEngineView*>());
        QTRY_COMPARE_WITH_TIMEOUT(countOf(QStringLiteral("GET http://v.baidu.com/")), 1, Slow);
        QVERIFY(w.page()->profile()->isOffTheRecord()); // nothing kept on disk
        // The same address twice: two requests.
        QVERIFY(w.loadAndWait("http://v.baidu.com/v?word=same"));
        QVERIFY(w.loadAndWait("http://v.baidu.com/v?word=same"));
        QCOMPARE(countOf(QStringLiteral("GET http://v.baidu.com/v?word=same")), 2);
    }

    void addressesAreHandedOverUnescaped()
    {
        PaneWindow w("");
        QVERIFY(requests().filter(QStringLiteral("v.baidu.com/ ")).isEmpty());
        // The engine escapes for the wire (a stray "%" too); the query keeps its "&",
        // the fragment stays home.
        QVERIFY(w.loadAndWait(toText(QStringLiteral("http://www.baidu.com/s?wd=澄 览&x=%zz#frag"))));
        QTRY_VERIFY_WITH_TIMEOUT(requests().contains(QStringLiteral(
                                     "GET http://www.baidu.com/s?wd=%E6%BE%84%20%E8%A7%88&x=%25zz")),
                                 Slow);
        QVERIFY(w.loadAndWait(toText(QStringLiteral("http://www.baidu.com/s?wd=外国小说\u3000"))));
        QTRY_VERIFY_WITH_TIMEOUT(
            requests().contains(QStringLiteral(
                "GET http://www.baidu.com/s?wd=%E5%A4%96%E5%9B%BD%E5%B0%8F%E8%AF%B4%E3%80%80")),
            Slow);
    }

    void aDeadRendererIsReplacedByTheNextNavigation()
    {
        PaneWindow w("");
        QVERIFY(w.loadAndWait("http://crash.test/before"));
        const qint64 renderer = w.page()->renderProcessPid();
        QVERIFY(renderer > 0);
        QSignalSpy died(w.page(), &QWebEnginePage::renderProcessTerminated);
        ::kill(pid_t(renderer), SIGKILL);
        QVERIFY(died.wait(Slow));
        QVERIFY(w.loadAndWait("http://crash.test/after"));
        QTRY_COMPARE_WITH_TIMEOUT(countOf(QStringLiteral("GET http://crash.test/after")), 1, Slow);
        QVERIFY(w.page()->renderProcessPid() > 0);
        QVERIFY(w.page()->renderProcessPid() != renderer);
    }

    void pagesOpenWindowsOfTheirOwn()
    {
        PaneWindow w("");
        w.setHtmlAndWait(QStringLiteral("<a id=blank href='http://popup.test/blank' target=_blank>new</a>"));
        const QUrl shown = w.page()->url();
        const auto before = QApplication::topLevelWidgets().size();

        w.page()->runJavaScript(QStringLiteral("document.getElementById('blank').click();"
                                               "window.open('http://popup.test/open');"));
        QTRY_VERIFY_WITH_TIMEOUT(requests().contains(QStringLiteral("GET http://popup.test/blank")), Slow);
        QTRY_VERIFY_WITH_TIMEOUT(requests().contains(QStringLiteral("GET http://popup.test/open")), Slow);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::topLevelWidgets().size(), before + 2, Slow);
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != w.form->window() && top->inherits("QWebEngineView")) {
                QVERIFY(top->isVisible());
                QVERIFY(
                    !top->testAttribute(Qt::WA_QuitOnClose)); // only the main window keeps the program alive
                top->close();
            }
        QCOMPARE(w.page()->url(), shown); // the pane keeps its page
    }

    void linksLoadInThePaneAndPagesCannotTouchTheWindow()
    {
        PaneWindow w("");
        w.setHtmlAndWait(QStringLiteral("<a id=link href='http://link.test/followed'>follow</a>"));
        QSignalSpy finished(w.page(), &QWebEnginePage::loadFinished);
        w.run(QStringLiteral("document.getElementById('link').click();"));
        QTRY_VERIFY_WITH_TIMEOUT(requests().contains(QStringLiteral("GET http://link.test/followed")), Slow);
        QTRY_COMPARE_WITH_TIMEOUT(w.page()->url(), QUrl(QStringLiteral("http://link.test/followed")), Slow);

        // A page asking to close, move, resize or go full screen changes nothing.
        const QRect place = w.form->window()->geometry();
        w.run(QStringLiteral(
            "window.close(); window.moveTo(300, 300); window.resizeTo(10, 10);"
            "document.documentElement.requestFullscreen && document.documentElement.requestFullscreen();"));
        QTest::qWait(500); // proves an absence: a slow machine can only pass it wrongly
        QVERIFY(w.form->window()->isVisible());
        QCOMPARE(w.form->window()->geometry(), place);
        QCOMPARE(w.closeRequests, 0);
        QVERIFY(!w.form->window()->isFullScreen());
    }

    void escapeInThePaneIsLeftToThePage()
    {
        // The page's own keys are checked end to end with real X input; here: the
        // window does not take an Esc from the pane for itself, and a script's fake
        // Esc closes nothing.
        PaneWindow w("");
        w.setHtmlAndWait(QStringLiteral("<input id=box autofocus>"));
        w.form->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form->window()));
        w.view()->setFocus();
        QVERIFY(w.view()->focusProxy());
        QTest::keyClick(w.view()->focusProxy(), Qt::Key_Escape);
        w.run(QStringLiteral("dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape', bubbles: true}));"));
        QTest::qWait(1000); // proves an absence: a slow machine can only pass it wrongly
        QCOMPARE(w.closeRequests, 0);
    }
};

QTEST_MAIN(TestWebPane)
#include "test_web_pane.moc"
