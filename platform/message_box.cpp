#include "platform/message_box.h"

#include "platform/text_codec.h"

#include <QMessageBox>
#include <utility>
#include <vector>

namespace chenglan {

namespace {
MessageBoxAnswerer& answerer()
{
    static MessageBoxAnswerer scripted;
    return scripted;
}

using SB = QMessageBox::StandardButton;

struct ButtonSet {
    std::vector<SB> buttons; // in the order Windows shows them
};

ButtonSet buttonsFor(int flags)
{
    switch (flags & 0xF) {
    case 1:
        return {{SB::Ok, SB::Cancel}};
    case 2:
        return {{SB::Abort, SB::Retry, SB::Ignore}};
    case 3:
        return {{SB::Yes, SB::No, SB::Cancel}};
    case 4:
        return {{SB::Yes, SB::No}};
    case 5:
        return {{SB::Retry, SB::Cancel}};
    default:
        return {{SB::Ok}};
    }
}

QMessageBox::Icon iconFor(int flags)
{
    switch (flags & 0xF0) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int resultOf(int button)
{
    switch (button) {
    case SB::Ok:
        return MessageOk;
    case SB::Abort:
        return MessageAbort;
    case SB::Retry:
        return MessageRetry;
    case SB::Ignore:
        return MessageIgnore;
    case SB::Yes:
        return MessageYes;
    case SB::No:
        return MessageNo;
    default:
        return MessageCancel;
    }
}

QString displayed(const Text& text)
{
    QString shown = fromText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}
} // namespace

int messageBox(const Text& text, int flags, const Text& title)
{
    if (answerer())
        return answerer()({text, flags, title});

    QMessageBox box(iconFor(flags), displayed(title), displayed(text));
    box.setWindowModality(Qt::ApplicationModal);
    const ButtonSet set = buttonsFor(flags);
    for (SB button : set.buttons)
        box.addButton(button);
    const size_t defaultIndex = std::min<size_t>((flags >> 8) & 0xF, set.buttons.size() - 1);
    box.setDefaultButton(set.buttons[defaultIndex]);
    return resultOf(box.exec());
}

void setMessageBoxAnswerer(MessageBoxAnswerer scripted)
{
    answerer() = std::move(scripted);
}

} // namespace chenglan
