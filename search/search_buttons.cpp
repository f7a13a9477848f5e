#include "search/search_buttons.h"

#include "platform/form.h"
#include "search/current_keyword.h"
#include "search/navigate.h"

namespace chenglan {

void runSearch(const SearchEngine& engine, const EditBox& keywordBox, CurrentKeyword& keyword,
               HtmlViewer& pane)
{
    if (engine.source == KeywordSource::Fresh)
        keyword.replace(keywordBox.text());
    NavigateTo(pane, searchAddress(engine, keyword.text()));
}

void bindSearchButtons(Form& window, CurrentKeyword& keyword)
{
    EditBox& keywordBox = window.editBox("编辑框1");
    HtmlViewer& pane = window.htmlViewer("超文本浏览框1");
    for (const SearchEngine& engine : SearchEngineTable)
        window.button(engine.button).clicked = [&engine, &keywordBox, &keyword, &pane] {
            runSearch(engine, keywordBox, keyword, pane);
        };
}

} // namespace chenglan
