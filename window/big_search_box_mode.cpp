#include "window/big_search_box_mode.h"

#include "platform/form.h"

namespace chenglan {

namespace {
struct Mode {
    std::vector<QWidget*> searchGroup;
    EditBox& keywordBox;
    EditBox& bigBox;
    QWidget* back;

    // showBig: true enters the mode, false leaves it.
    void switchTo(bool showBig) const
    {
        for (QWidget* control : searchGroup)
            setVisible(control, !showBig);
        setVisible(bigBox.widget(), showBig);
        setVisible(back, showBig);
        keywordBox.setText(bigBox.text()); // runs the live search
        setFocus(showBig ? bigBox.widget() : keywordBox.widget());
    }
};
} // namespace

void bindBigSearchBoxMode(Form& window)
{
    std::vector<QWidget*> group;
    for (std::string_view name : SearchGroup)
        group.push_back(window.control(name));
    const Mode mode{std::move(group), window.editBox("编辑框1"), window.editBox("编辑框2"),
                    window.control("返回")};

    window.button("大搜索框").clicked = [mode] { mode.switchTo(true); };
    window.button("返回").clicked = [mode] { mode.switchTo(false); };
}

} // namespace chenglan
