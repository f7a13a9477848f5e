#pragma once

namespace chenglan {

class CurrentKeyword;
class Form;

// Choosing a topic makes it the current keyword and searches Baidu's web search for it.
void bindTopicLists(Form& window, CurrentKeyword& keyword);

// Choosing a site opens its fixed address; nothing else changes.
void bindSiteDirectories(Form& window);

} // namespace chenglan
