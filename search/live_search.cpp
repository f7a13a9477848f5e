#include "search/live_search.h"

#include "platform/form.h"
#include "search/current_keyword.h"
#include "search/navigate.h"
#include "search/search_buttons.h"

namespace chenglan {

void bindLiveSearch(Form& window, CurrentKeyword& keyword)
{
    EditBox& keywordBox = window.editBox("编辑框1");
    EditBox& bigBox = window.editBox("编辑框2");
    HtmlViewer& pane = window.htmlViewer("超文本浏览框1");

    keywordBox.textChanged = [&keywordBox, &bigBox, &keyword, &pane] {
        bigBox.setText(keywordBox.text()); // runs the big box's handler before returning
        setFocus(keywordBox.widget());
        runSearch(liveSearchEngine(), keywordBox, keyword, pane);
    };

    bigBox.textChanged = [&bigBox, &pane] {
        setFocus(bigBox.widget());
        const Text text = bigBox.text();
        NavigateTo(pane, searchAddress(liveSearchEngine(), text));
    };
}

} // namespace chenglan
