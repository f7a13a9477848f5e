#pragma once

#include "platform/text.h"

#include <functional>

namespace chenglan {

// Results, as the program compares them.
enum MessageBoxResult {
    MessageOk = 0,
    MessageCancel,
    MessageAbort,
    MessageRetry,
    MessageIgnore,
    MessageYes,
    MessageNo
};

// Windows-style flags: the low four bits choose the buttons (0 OK, 1 OK/Cancel,
// 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel), 0x10/0x20/0x30/0x40
// the icon (stop, question, warning, information), 0x100/0x200 make the second or
// third button the default instead of the first.
inline constexpr int MessageYesNoInformation = 0x44;

// Modal for the whole program, without an owner window. "\r\n" breaks a line.
int messageBox(const Text& text, int flags, const Text& title);

// A scriptable message box for tests: while an answerer is set, it is handed each
// question and its result is returned, and no box is shown.
struct AskedMessage {
    Text text;
    int flags;
    Text title;
};
using MessageBoxAnswerer = std::function<int(const AskedMessage&)>;
void setMessageBoxAnswerer(MessageBoxAnswerer answerer);

} // namespace chenglan
