#include "window/main_window.h"

#include "platform/text_codec.h"
#include "search/site_directories.h"
#include "search/topic_lists.h"
#include "window/control_catalogue.h"

namespace chenglan {

std::unique_ptr<Form> buildMainWindow(const Form::PaneFactory& makePane)
{
    auto form = std::make_unique<Form>(MainWindowDefinition, ControlCatalogue, makePane);
    for (const TopicList& list : TopicLists) {
        std::vector<Text> items;
        for (std::string_view item : list.items)
            items.push_back(textFromUtf8(item));
        form->comboBox(list.control).addItems(items);
    }
    for (const SiteDirectory& directory : SiteDirectories) {
        std::vector<Text> items;
        for (const SiteEntry& entry : directory.entries)
            items.push_back(textFromUtf8(entry.name));
        form->comboBox(directory.control).addItems(items);
    }
    return form;
}

} // namespace chenglan
