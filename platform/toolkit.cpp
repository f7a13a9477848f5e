#include "platform/toolkit.h"

#include "platform/message_box.h"
#include "platform/text_codec.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <new>

namespace chenglan {

namespace {
std::function<void()>& exitRoutine()
{
    static std::function<void()> routine;
    return routine;
}

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// ":0", ":1.0" and "unix:0" name a socket of the local X server; other forms name a
// remote one, which only the toolkit can try.
bool localXServerMissing(const std::string& display)
{
    std::string number = display;
    if (number.rfind("unix", 0) == 0)
        number.erase(0, 4);
    if (number.empty() || number[0] != ':')
        return false;
    number = number.substr(1, number.find('.') - 1);
    return !std::filesystem::exists("/tmp/.X11-unix/X" + number);
}
} // namespace

bool displayAvailable(std::string& whyNot)
{
    const std::string platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty() && platform.rfind("xcb", 0) != 0)
        return true; // offscreen, wayland, vnc…: the platform plugin reports for itself
    const std::string display = environment("DISPLAY");
    if (display.empty() && (!platform.empty() || environment("WAYLAND_DISPLAY").empty())) {
        whyNot = "no graphical display: DISPLAY is not set (start chenglan inside a desktop session)";
        return false;
    }
    if (!display.empty() && localXServerMissing(display)) {
        whyNot = "no graphical display: no X server answers on DISPLAY=" + display;
        return false;
    }
    return true;
}

void setExitRoutine(std::function<void()> routine)
{
    exitRoutine() = std::move(routine);
}

int runMessageLoop()
{
    QApplication::exec();
    if (exitRoutine())
        exitRoutine()();
    return 0;
}

void fatalError(const Text& reason)
{
    messageBox(textFromUtf8("运行时出错!\r\n\r\n") + textFromUtf8("错误信息：") + reason, 0x10,
               textFromUtf8("错误"));
    std::_Exit(-1);
}

void treatOutOfMemoryAsFatal()
{
    std::set_new_handler([] {
        std::set_new_handler(nullptr); // the box itself may allocate; fail plainly then
        fatalError(textFromUtf8("内存不足"));
    });
}

} // namespace chenglan
