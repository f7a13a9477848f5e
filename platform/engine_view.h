#pragma once

#include <QUrl>

class QWidget;

namespace chenglan {

// The web engine's view as the pane sees it. The engine lives in a module of its own
// (chenglan_webview), loaded once the window is on screen: linking it into the program
// would hold up the first sight of the window by a tenth of a second.
class EngineView {
  public:
    virtual ~EngineView() = default;
    virtual QWidget* widget() = 0;
    virtual void load(const QUrl& url) = 0;
};

// The module's one entry point: a view inside `parent` with the page text size set,
// each page's unused Esc handed to the view's window as a close request, and pages'
// new windows opened as top-level windows of their own.
using MakeEngineView = EngineView* (*)(QWidget* parent, int fontPixels);
inline constexpr char MakeEngineViewSymbol[] = "chenglan_make_engine_view";

} // namespace chenglan
