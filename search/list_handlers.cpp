#include "search/list_handlers.h"

#include "platform/form.h"
#include "search/address.h"
#include "search/current_keyword.h"
#include "search/navigate.h"
#include "search/site_directories.h"
#include "search/topic_lists.h"

namespace chenglan {

void bindTopicLists(Form& window, CurrentKeyword& keyword)
{
    HtmlViewer& pane = window.htmlViewer("超文本浏览框1");
    for (const TopicList& list : TopicLists) {
        ComboBox& combo = window.comboBox(list.control);
        combo.listItemSelected = [&combo, &keyword, &pane] {
            // A selection outside the list gives the empty text, and so the empty keyword.
            keyword.replace(combo.itemText(combo.currentSelection()));
            NavigateTo(pane,
                       composeAddress(EndpointHost::BaiduWebSearch, TopicSearchRequest, keyword.text()));
        };
    }
}

void bindSiteDirectories(Form& window)
{
    HtmlViewer& pane = window.htmlViewer("超文本浏览框1");
    for (const SiteDirectory& directory : SiteDirectories) {
        ComboBox& combo = window.comboBox(directory.control);
        combo.listItemSelected = [&combo, &directory, &pane] {
            if (const SiteEntry* site = findSite(directory, combo.itemText(combo.currentSelection())))
                NavigateTo(pane, siteAddress(*site));
        };
    }
}

} // namespace chenglan
