#pragma once

#include "search/search_engine_table.h"

namespace chenglan {

class CurrentKeyword;
class EditBox;
class Form;
class HtmlViewer;

// One row's action: a fresh-keyword row first makes the keyword box's text the current
// keyword; then the current keyword is sent to the row's service.
void runSearch(const SearchEngine& engine, const EditBox& keywordBox, CurrentKeyword& keyword,
               HtmlViewer& pane);

// Each of the thirteen buttons runs its row of the SearchEngineTable.
void bindSearchButtons(Form& window, CurrentKeyword& keyword);

} // namespace chenglan
