#include "platform/web_pane.h"

#include "platform/engine_view.h"
#include "platform/form.h"
#include "platform/text_codec.h"
#include "platform/toolkit.h"

#include <QGuiApplication>
#include <QLibrary>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QTimer>
#include <algorithm>

namespace chenglan {

namespace {
// Page text sizes from smallest to largest, in pixels; medium is the engine's own.
constexpr int FontPixels[] = {12, 14, 16, 20, 24};

// Where the engine's module may be: installed beside the program's libraries, beside
// the program itself, or in the build tree (for the tests).
MakeEngineView loadEngineModule()
{
    static MakeEngineView make = [] {
        const QString here = QCoreApplication::applicationDirPath();
        QString reasons;
        for (const QString& dir : {here + QStringLiteral("/" CHENGLAN_MODULE_DIR_FROM_BINDIR), here,
                                   QStringLiteral(CHENGLAN_BUILD_MODULE_DIR)}) {
            QLibrary module(dir + QStringLiteral("/chenglan_webview"));
            if (auto found = reinterpret_cast<MakeEngineView>(module.resolve(MakeEngineViewSymbol)))
                return found;
            reasons += QStringLiteral("\r\n") + module.errorString();
        }
        fatalError(textFromUtf8("无法载入网页组件") + toText(reasons));
    }();
    return make;
}

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
    : frame_(new PaneFrame(parent)), fontSize_(std::clamp(fontSize, 0, 4))
{
    auto* frame = static_cast<PaneFrame*>(frame_.data());
    frame->setFocusPolicy(Qt::StrongFocus); // until the view takes the focus over
    // The window leaves Esc to the page while the pane has the focus.
    frame->setProperty(EscapeHandledInside, true);
    frame->firstShown = [this] { engine(); };
    // On a desktop the view composes through OpenGL, and a window that starts without
    // it is torn down and mapped anew when the view arrives; this stand-in asks for it
    // from the start. (Headless platforms have no such windows and refuse it.)
    const QString platform = QGuiApplication::platformName();
    if (QOpenGLContext::globalShareContext() && (platform == u"xcb" || platform.startsWith(u"wayland")))
        (new QOpenGLWidget(frame))->hide();
    if (!startAddress.empty())
        setUrl(startAddress);
}

WebPane::~WebPane()
{
    engine_.reset();
    delete frame_.data();
}

QWidget* WebPane::widget()
{
    return frame_;
}

QWidget* WebPane::engineWidget()
{
    EngineView* view = engine();
    return view ? view->widget() : nullptr;
}

EngineView* WebPane::engine()
{
    if (engine_ || !frame_)
        return engine_.get();
    engine_.reset(loadEngineModule()(frame_, FontPixels[fontSize_]));
    QWidget* view = engine_->widget();
    view->setGeometry(frame_->rect());
    frame_->setFocusProxy(view);
    view->show();
    if (pending_)
        engine_->load(*std::exchange(pending_, std::nullopt));
    return engine_.get();
}

void WebPane::setUrl(const Text& address)
{
    // Unescaped: the engine escapes what an address needs on its way out.
    QUrl url(fromText(address), QUrl::TolerantMode);
    if (engine_)
        engine_->load(url);
    else
        pending_ = std::move(url);
}

} // namespace chenglan
