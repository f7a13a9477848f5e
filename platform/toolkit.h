#pragma once

#include "platform/text.h"

#include <functional>
#include <string>

namespace chenglan {

// Whether a window can be shown at all; otherwise why not, in one line. Asked before
// the toolkit starts, since Qt aborts with a trace when it finds no display.
bool displayAvailable(std::string& whyNot);

// The routine runMessageLoop runs once after the loop has ended.
void setExitRoutine(std::function<void()> routine);

// Runs until the last window is gone, then the exit routine; returns 0.
int runMessageLoop();

// A fatal toolkit error: the error box with the reason, then the process ends with
// code -1, without the exit routine.
[[noreturn]] void fatalError(const Text& reason);

// From now on a failed allocation is such a fatal error.
void treatOutOfMemoryAsFatal();

} // namespace chenglan
