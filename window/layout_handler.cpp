#include "window/layout_handler.h"

#include "platform/form.h"
#include "window/layout.h"

#include <QWidget>

namespace chenglan {

void bindProportionalLayout(Form& window)
{
    // Resolved once: the handler runs on every size change.
    std::vector<QWidget*> controls;
    for (const Placement& placement : proportionalLayout(0, 0))
        controls.push_back(window.control(placement.control));

    window.sizeChanged = [&window, controls] {
        const auto placements = proportionalLayout(window.width(), window.height());
        for (size_t i = 0; i < placements.size(); ++i) {
            const Placement& p = placements[i];
            move(controls[i], {p.left, p.top, p.width, p.height});
        }
    };
}

} // namespace chenglan
