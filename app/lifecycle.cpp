#include "app/lifecycle.h"

#include "platform/form.h"
#include "platform/message_box.h"
#include "platform/skin.h"
#include "platform/text_codec.h"
#include "search/current_keyword.h"

#include <QWidget>

namespace chenglan {

void bindLifecycle(Form& window, CurrentKeyword& keyword)
{
    window.created = [&window, &keyword] {
        setSkinStyle(2);
        EditBox& keywordBox = window.editBox("编辑框1");
        setFocus(keywordBox.widget());
        // Replaced by the layout straight after; never seen.
        const int W = window.width();
        const int H = window.height();
        move(window.control("超文本浏览框1"), {std::nullopt, std::nullopt, W - 14, H});
        keyword.replace(keywordBox.text());
    };

    window.canBeClosed = [] {
        const int answer = messageBox(textFromUtf8("您确定要退出《澄览》吗?\r\n"), MessageYesNoInformation,
                                      textFromUtf8("提醒:"));
        return answer == MessageYes;
    };

    window.willBeDestroyed = [] {};
}

} // namespace chenglan
