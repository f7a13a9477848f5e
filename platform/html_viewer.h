#pragma once

#include "platform/text.h"

class QWidget;

namespace chenglan {

// The browser pane as the program sees it: a widget to place, and a url to write.
// The pane reports nothing back.
class HtmlViewer {
  public:
    virtual ~HtmlViewer() = default;
    virtual QWidget* widget() = 0;
    // Starts a navigation to the address (an 8-bit text) and returns at once; every
    // write navigates, even to the address already shown.
    virtual void setUrl(const Text& address) = 0;
};

} // namespace chenglan
