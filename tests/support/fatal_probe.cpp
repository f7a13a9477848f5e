// Meets a fatal toolkit error on purpose (a missing control) and prints the error box
// it would show, for the test that checks the exit code and the message.
#include "platform/form.h"
#include "platform/message_box.h"
#include "platform/text_codec.h"
#include "platform/toolkit.h"

#include <QApplication>
#include <cstdio>

using namespace chenglan;

int main(int argc, char** argv)
{
    QApplication toolkit(argc, argv);
    setMessageBoxAnswerer([](const AskedMessage& message) {
        std::printf("title=%s\ntext=%s\nflags=%d\n", fromText(message.title).toUtf8().constData(),
                    fromText(message.text).toUtf8().constData(), message.flags);
        std::fflush(stdout);
        return int(MessageOk);
    });
    setExitRoutine([] { std::puts("exit routine ran"); });
    const ControlDefinition controls[] = {{"编辑框1", ControlKind::EditBox, 0, 0, 10, 10, true, ""}};
    Form form({"probe", 0, 0, 100, 100}, controls, nullptr);
    form.editBox("编辑框9");
    std::puts("still running");
    return 0;
}
