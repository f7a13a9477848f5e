#pragma once

#include "platform/message_box.h"

#include <deque>
#include <vector>

namespace chenglan {

// Answers message boxes from a queue while alive, recording every question; a
// question with no answer queued gets Cancel, so a test never blocks on a real box.
class ScriptedMessageBox {
  public:
    ScriptedMessageBox()
    {
        setMessageBoxAnswerer([this](const AskedMessage& message) {
            asked.push_back(message);
            if (answers.empty())
                return int(MessageCancel);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    ~ScriptedMessageBox() { setMessageBoxAnswerer(nullptr); }
    ScriptedMessageBox(const ScriptedMessageBox&) = delete;
    ScriptedMessageBox& operator=(const ScriptedMessageBox&) = delete;

    std::deque<int> answers;
    std::vector<AskedMessage> asked;
};

} // namespace chenglan
