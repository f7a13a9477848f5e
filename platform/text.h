#pragma once

#include <string>

namespace chenglan {

// A text as the program holds it: 8-bit bytes in GB18030, the superset of GBK that
// gives every GBK character GBK's own bytes. The empty text also stands for "absent".
// A value type: each text has one owner and is released when that owner goes.
using Text = std::string;

} // namespace chenglan
