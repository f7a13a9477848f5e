#pragma once

#include "platform/text.h"

#include <QString>
#include <string_view>

namespace chenglan {

// The one crossing between the widgets' Unicode and the program's 8-bit texts.
// GB18030 rather than GBK, so that a character outside GBK survives the round trip.
Text toText(QStringView unicode);
QString fromText(std::string_view text);

// Compiled-in tables are written in UTF-8 source; this gives their program text.
Text textFromUtf8(std::string_view utf8);

} // namespace chenglan
