#pragma once

namespace chenglan {

class Form;

// Lays the window out on thirteen columns after every change of its size.
void bindProportionalLayout(Form& window);

} // namespace chenglan
