#pragma once

#include "platform/html_viewer.h"

#include <QPointer>
#include <QUrl>
#include <memory>
#include <optional>

namespace chenglan {

class EngineView;

// Settings the web engine needs before the toolkit starts.
void prepareWebEngine();

// The browser pane over Qt WebEngine. Applies its settings, then starts loading the
// start address. Pages may open windows of their own: each gets a top-level window
// outside the main window. The pane reports nothing back to the program.
//
// Starting the engine takes a quarter of a second, so the pane is a frame whose view
// is made just after the frame is first shown: the window appears first, and an
// address written before then is loaded as soon as the view exists.
class WebPane : public HtmlViewer {
  public:
    // fontSize: 0 (smallest) to 4 (largest), clamped; 2 is medium.
    WebPane(QWidget* parent, const Text& startAddress, int fontSize = 2);
    ~WebPane() override;

    QWidget* widget() override;
    void setUrl(const Text& address) override;

    // The engine's view (a QWebEngineView), made now if it is not there yet.
    QWidget* engineWidget();

  private:
    EngineView* engine();

    QPointer<QWidget> frame_;
    std::unique_ptr<EngineView> engine_;
    int fontSize_;
    std::optional<QUrl> pending_;
};

} // namespace chenglan
