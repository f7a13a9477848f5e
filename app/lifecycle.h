#pragma once

namespace chenglan {

class CurrentKeyword;
class Form;

// created, canBeClosed and willBeDestroyed of the main window.
void bindLifecycle(Form& window, CurrentKeyword& keyword);

} // namespace chenglan
