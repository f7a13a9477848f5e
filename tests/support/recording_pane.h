#pragma once

#include "platform/html_viewer.h"

#include <QWidget>
#include <memory>
#include <vector>

namespace chenglan {

// A pane that only remembers the addresses written to it, in order.
class RecordingPane : public HtmlViewer {
  public:
    explicit RecordingPane(QWidget* parent) : widget_(new QWidget(parent))
    {
        widget_->setFocusPolicy(Qt::StrongFocus); // as the web view's
    }
    QWidget* widget() override { return widget_; }
    void setUrl(const Text& address) override { urls.push_back(address); }

    std::vector<Text> urls;

  private:
    QWidget* widget_;
};

// A factory for a Form that keeps a pointer to the pane it made.
inline auto recordingPaneInto(RecordingPane*& made)
{
    return [&made](QWidget* parent) {
        auto pane = std::make_unique<RecordingPane>(parent);
        made = pane.get();
        return std::unique_ptr<HtmlViewer>(std::move(pane));
    };
}

} // namespace chenglan
