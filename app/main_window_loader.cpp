#include "app/main_window_loader.h"

#include "app/lifecycle.h"
#include "search/list_handlers.h"
#include "search/live_search.h"
#include "search/search_buttons.h"
#include "window/big_search_box_mode.h"
#include "window/layout_handler.h"
#include "window/main_window.h"

namespace chenglan {

void bindMainWindow(Form& window, CurrentKeyword& keyword)
{
    bindLifecycle(window, keyword);
    bindProportionalLayout(window);
    bindLiveSearch(window, keyword);
    bindSearchButtons(window, keyword);
    bindTopicLists(window, keyword);
    bindSiteDirectories(window);
    bindBigSearchBoxMode(window);
}

std::unique_ptr<Form> loadMainWindow(CurrentKeyword& keyword, const Form::PaneFactory& makePane)
{
    std::unique_ptr<Form> window = buildMainWindow(makePane);
    bindMainWindow(*window, keyword);
    window->load();
    return window;
}

} // namespace chenglan
