#include "platform/web_pane.h"

#include "platform/form.h"
#include "platform/text_codec.h"

#include <QCoreApplication>
#include <QTimer>
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

// Holds the view, keeps it at its own size, and asks for it once first shown.
class PaneFrame : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void()> firstShown;

protected:
    void showEvent(QShowEvent* event) override
    {
        QWidget::showEvent(event);
        if (firstShown)
            QTimer::singleShot(0, this, std::exchange(firstShown, nullptr)); // after the window maps
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->setGeometry(rect());
    }
};
} // namespace

void prepareWebEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

WebPane::WebPane(QWidget* parent, const Text& startAddress, int fontSize)
    : frame_(new PaneFrame(parent)), fontSize_(fontSize)
{
    auto* frame = static_cast<PaneFrame*>(frame_.data());
    frame->setFocusPolicy(Qt::StrongFocus); // until the view takes the focus over
    // The window leaves Esc to the page while the pane has the focus.
    frame->setProperty(EscapeHandledInside, true);
    frame->firstShown = [this] { view(); };
    if (!startAddress.empty())
        setUrl(startAddress);
}

WebPane::~WebPane()
{
    delete frame_;
}

QWidget* WebPane::widget()
{
    return frame_;
}

QWebEngineView* WebPane::view()
{
    if (view_ || !frame_)
        return view_;
    view_ = new View(frame_);
    auto* page = new PanePage(QUuid::createUuid().toString(QUuid::WithoutBraces), view_);
    page->escapeUnhandled = [view = view_] {
        if (view)
            view->window()->close(); // as an Esc anywhere else in the window
    };
    view_->setPage(page);
    // Online, not silent: the engine's defaults. Then the text size, then the start page.
    page->settings()->setFontSize(QWebEngineSettings::DefaultFontSize, FontPixels[std::clamp(fontSize_, 0, 4)]);
    view_->setGeometry(frame_->rect());
    frame_->setFocusProxy(view_);
    view_->show();
    if (pending_)
        view_->setUrl(*std::exchange(pending_, std::nullopt));
    return view_;
}

void WebPane::setUrl(const Text& address)
{
    // Unescaped: the engine escapes what an address needs on its way out.
    QUrl url(fromText(address), QUrl::TolerantMode);
    if (view_)
        view_->setUrl(url);
    else
        pending_ = std::move(url);
}

} // namespace chenglan
