#pragma once

#include "platform/text.h"

namespace chenglan {

// The keyword of the latest search that named one; the one value the handlers share.
class CurrentKeyword {
  public:
    const Text& text() const { return text_; }

    // The caller obtains the new text first; the old one is released as the new one
    // is stored, so the keyword never refers to released memory.
    void replace(Text fresh) { text_ = std::move(fresh); }

    void release() { Text().swap(text_); }

  private:
    Text text_;
};

} // namespace chenglan
