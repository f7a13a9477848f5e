#include "app/main_window_loader.h"
#include "platform/toolkit.h"
#include "platform/web_pane.h"
#include "search/address.h"
#include "search/current_keyword.h"

#include <QApplication>
#include <cstdio>

using namespace chenglan;

int main(int argc, char** argv)
{
    std::string whyNot;
    if (!displayAvailable(whyNot)) {
        std::fprintf(stderr, "chenglan: %s\n", whyNot.c_str());
        return 1;
    }
    prepareWebEngine();
    QApplication toolkit(argc, argv);
    treatOutOfMemoryAsFatal();

    CurrentKeyword keyword;
    setExitRoutine([&keyword] { keyword.release(); });

    const auto window = loadMainWindow(
        keyword, [](QWidget* parent) { return std::make_unique<WebPane>(parent, startAddress()); });
    return runMessageLoop();
}
