#pragma once

#include "platform/html_viewer.h"
#include "platform/text.h"

namespace chenglan {

// The handlers' only way to the pane: write its url, which starts the navigation and
// returns at once.
inline void NavigateTo(HtmlViewer& pane, const Text& address)
{
    pane.setUrl(address);
}

} // namespace chenglan
