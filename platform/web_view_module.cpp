// The web engine's side of the browser pane, built as a module that the program
// loads once its window is shown.
#include "platform/engine_view.h"

#include <QPointer>
#include <QUuid>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace chenglan {

namespace {
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

class PaneView : public EngineView {
  public:
    PaneView(QWidget* parent, int fontPixels) : view_(new View(parent))
    {
        auto* page = new PanePage(QUuid::createUuid().toString(QUuid::WithoutBraces), view_);
        page->escapeUnhandled = [view = view_.data()] {
            view->window()->close();
        }; // as Esc elsewhere in the window
        view_->setPage(page);
        // Online, not silent: the engine's defaults. Only the text size is ours.
        page->settings()->setFontSize(QWebEngineSettings::DefaultFontSize, fontPixels);
    }
    ~PaneView() override { delete view_.data(); }

    QWidget* widget() override { return view_; }
    void load(const QUrl& url) override { view_->setUrl(url); }

  private:
    QPointer<View> view_;
};
} // namespace

} // namespace chenglan

extern "C" Q_DECL_EXPORT chenglan::EngineView* chenglan_make_engine_view(QWidget* parent, int fontPixels)
{
    return new chenglan::PaneView(parent, fontPixels);
}
