#pragma once

#include "platform/form.h"

#include <memory>

namespace chenglan {

class CurrentKeyword;

// Binds every handler of the main window: its life cycle, the layout, live search,
// the search buttons, the lists and big search box mode.
void bindMainWindow(Form& window, CurrentKeyword& keyword);

// Builds the main window, binds every handler to it and loads it: created, the
// layout, then the first show filling the screen. The pane comes from the factory.
std::unique_ptr<Form> loadMainWindow(CurrentKeyword& keyword, const Form::PaneFactory& makePane);

} // namespace chenglan
