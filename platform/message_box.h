#pragma once

#include "platform/text.h"

#include <vector>

namespace chenglan {

// Results, as the program compares them.
enum MessageBoxResult { MessageOk = 0, MessageCancel, MessageAbort, MessageRetry, MessageIgnore, MessageYes, MessageNo };

// Windows-style flags: the low four bits choose the buttons (0 OK, 1 OK/Cancel,
// 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel), 0x10/0x20/0x30/0x40
// the icon (stop, question, warning, information), 0x100/0x200 make the second or
// third button the default instead of the first.
inline constexpr int MessageYesNoInformation = 0x44;

// Modal for the whole program, without an owner window. "\r\n" breaks a line.
int messageBox(const Text& text, int flags, const Text& title);

// A scriptable answer for tests: the next message boxes take these answers in turn,
// without being shown, and each question is recorded.
struct AskedMessage {
    Text text;
    int flags;
    Text title;
};
void answerNextMessageBox(int result);
const std::vector<AskedMessage>& askedMessages();
void forgetAskedMessages();

} // namespace chenglan
