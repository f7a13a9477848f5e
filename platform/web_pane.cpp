#include "platform/web_pane.h"

#include "platform/form.h"
#include "platform/text_codec.h"

#include <QCoreApplication>
#include <QUuid>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>

namespace chenglan {

namespace {
// Page text sizes from smallest to largest, in pixels; medium is the engine's own.
constexpr int FontPixels[] = {12, 14, 16, 20, 24};

// The engine never hands an Escape back to the widgets. A script in a world of its
// own tells us, with a token the page cannot read, when the page left Esc unhandled;
// the pane then asks its window to close, as Esc does elsewhere in the window.
QString escapeWatcher(const QString& token)
{
    return QStringLiteral(R"((function () {
  addEventListener('keydown', function (e) {
    if (e.key !== 'Escape' || !e.isTrusted) return;
    setTimeout(function () { if (!e.defaultPrevented) console.log('%1'); }, 0);
  }, true);
})();)")
        .arg(token);
}

class PanePage : public QWebEnginePage {
public:
    PanePage(const QString& escapeToken, QObject* parent) : QWebEnginePage(parent), token_(escapeToken)
    {
        QWebEngineScript watcher;
        watcher.setName(QStringLiteral("escape-watcher"));
        watcher.setSourceCode(escapeWatcher(token_));
        watcher.setInjectionPoint(QWebEngineScript::DocumentCreation);
        watcher.setWorldId(QWebEngineScript::ApplicationWorld);
        watcher.setRunsOnSubFrames(true);
        scripts().insert(watcher);
    }

    std::function<void()> escapeUnhandled;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override
    {
        if (message == token_ && escapeUnhandled) {
            escapeUnhandled();
            return;
        }
        QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }

private:
    QString token_;
};

// A view whose page may ask for new windows: each opens in a top-level window of
// its own, which does not keep the program alive once the main window is gone.
class View : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;

protected:
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override
    {
        auto* popup = new View();
        popup->setAttribute(Qt::WA_DeleteOnClose);
        popup->setAttribute(Qt::WA_QuitOnClose, false);
        popup->resize(1024, 768);
        connect(popup->page(), &QWebEnginePage::windowCloseRequested, popup, &QWidget::close);
        connect(popup, &QWebEngineView::titleChanged, popup, &QWidget::setWindowTitle);
        popup->show();
        return popup;
    }
};
} // namespace

void prepareWebEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

WebPane::WebPane(QWidget* parent, const Text& startAddress, int fontSize) : view_(new View(parent))
{
    auto* page = new PanePage(QUuid::createUuid().toString(QUuid::WithoutBraces), view_);
    page->escapeUnhandled = [view = view_] {
        if (view)
            view->window()->close(); // as an Esc anywhere else in the window
    };
    // The window leaves Esc to the page while the pane has the focus.
    view_->setProperty(EscapeHandledInside, true);
    view_->setPage(page);

    // Online, not silent: the engine's defaults. Then the text size, then the start page.
    QWebEngineSettings* settings = page->settings();
    settings->setFontSize(QWebEngineSettings::DefaultFontSize, FontPixels[std::clamp(fontSize, 0, 4)]);
    if (!startAddress.empty())
        setUrl(startAddress);
}

WebPane::~WebPane()
{
    delete view_;
}

QWidget* WebPane::widget()
{
    return view_;
}

void WebPane::setUrl(const Text& address)
{
    // Unescaped: the engine escapes what an address needs on its way out.
    view_->setUrl(QUrl(fromText(address), QUrl::TolerantMode));
}

} // namespace chenglan
