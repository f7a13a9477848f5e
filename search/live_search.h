#pragma once

namespace chenglan {

class CurrentKeyword;
class Form;

// Every change of the keyword box mirrors it into the big search box and searches
// Baidu's video search for it, twice (once from each box); a change of the big box
// searches once and touches nothing else.
void bindLiveSearch(Form& window, CurrentKeyword& keyword);

} // namespace chenglan
