#pragma once

#include "platform/form.h"

#include <memory>

namespace chenglan {

// The main window built hidden from its catalogue, with its lists filled from the
// topic lists and site directories. No handler is bound yet.
std::unique_ptr<Form> buildMainWindow(const Form::PaneFactory& makePane);

} // namespace chenglan
