#pragma once

#include "platform/form_definition.h"

#include <array>
#include <string_view>

namespace chenglan {

inline constexpr WindowDefinition MainWindowDefinition = {"澄览", 50, 50, 1077, 889};

// The main window's 26 controls in stored order.
extern const std::array<ControlDefinition, 26> ControlCatalogue;

} // namespace chenglan
