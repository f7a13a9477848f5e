#pragma once

#include "platform/html_viewer.h"

#include <QPointer>

#include <QWebEngineView>

namespace chenglan {

// Settings the web engine needs before the toolkit starts.
void prepareWebEngine();

// The browser pane over Qt WebEngine. Applies its settings, then starts loading the
// start address. Pages may open windows of their own: each gets a top-level window
// outside the main window. The pane reports nothing back to the program.
class WebPane : public HtmlViewer {
public:
    // fontSize: 0 (smallest) to 4 (largest), clamped; 2 is medium.
    WebPane(QWidget* parent, const Text& startAddress, int fontSize = 2);
    ~WebPane() override;

    QWidget* widget() override;
    void setUrl(const Text& address) override;

    QWebEngineView* view() const { return view_; }

private:
    QPointer<QWebEngineView> view_;
};

} // namespace chenglan
