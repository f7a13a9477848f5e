#pragma once

#include <QColor>
#include <optional>

namespace chenglan {

// Restyles buttons, edit boxes, combo boxes (with their lists), spin boxes and group
// boxes of the whole program, message boxes included, now and later: 1, 2 and 3 draw
// them with the frame colours 7B9EBD, A4B97F and C6C5D7; any other value restores the
// plain look.
void setSkinStyle(int style);

// The frame colour of a skin, or none for the plain look.
std::optional<QColor> skinFrameColour(int style);

} // namespace chenglan
