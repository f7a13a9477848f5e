// Waits for a top-level window to be mapped on the X display and prints when, on
// CLOCK_MONOTONIC (the clock Python's time.monotonic() reads), so a launcher can
// subtract its own start time. Listening for MapNotify on the root window's
// substructure gives the moment the server mapped the window, not a later poll.
//
//   chenglan_bench_mapwait --title TITLE [--timeout S]     a window named exactly TITLE
//   chenglan_bench_mapwait --min-size N [--timeout S]      any managed window at least NxN
//
// Prints "ready" once listening, then "mapped SECONDS 0xID TITLE" and exits 0; exits 1
// on timeout or a lost display.
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <set>
#include <string>

namespace {

// libstdc++'s steady clock reads CLOCK_MONOTONIC.
double monotonicNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}

std::string windowTitle(xcb_connection_t* c, xcb_window_t window, xcb_atom_t netWmName, xcb_atom_t utf8)
{
    for (auto [property, type] :
         {std::pair{netWmName, utf8}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_ANY)}}) {
        xcb_get_property_reply_t* reply =
            xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr);
        std::string title;
        if (reply && xcb_get_property_value_length(reply) > 0)
            title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         static_cast<size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
        if (!title.empty())
            return title;
    }
    return {};
}

bool bigEnough(xcb_connection_t* c, xcb_window_t window, int minSize)
{
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    const bool big = g && g->width >= minSize && g->height >= minSize;
    std::free(g);
    return big;
}

} // namespace

int main(int argc, char** argv)
{
    std::string wantedTitle;
    int minSize = -1;
    double timeout = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--title")
            wantedTitle = argv[i + 1];
        else if (option == "--min-size")
            minSize = std::atoi(argv[i + 1]);
        else if (option == "--timeout")
            timeout = std::atof(argv[i + 1]);
    }
    if (wantedTitle.empty() == (minSize < 0)) {
        std::fprintf(stderr, "usage: %s (--title TITLE | --min-size N) [--timeout SECONDS]\n", argv[0]);
        return 2;
    }

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "mapwait: cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    const xcb_atom_t netWmName = atom(c, "_NET_WM_NAME"); // a round trip: the mask is in force after it
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    std::printf("ready\n");
    std::fflush(stdout);

    // Mapped windows whose title did not match yet: a title set after the map counts then.
    std::set<xcb_window_t> mappedUntitled;
    auto report = [&](double when, xcb_window_t window, const std::string& title) {
        std::printf("mapped %.6f 0x%x %s\n", when, window, title.c_str());
        std::fflush(stdout);
        xcb_disconnect(c);
        return 0;
    };

    const double deadline = monotonicNow() + timeout;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (true) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const double when = monotonicNow();
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                const xcb_window_t window = map->window;
                const bool managed = !map->override_redirect;
                std::free(event);
                if (!managed)
                    continue;
                const std::string title = windowTitle(c, window, netWmName, utf8);
                if (minSize >= 0 ? bigEnough(c, window, minSize) : title == wantedTitle)
                    return report(when, window, title);
                if (minSize < 0) {
                    mappedUntitled.insert(window);
                    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
                    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
                    xcb_flush(c);
                }
            } else if (type == XCB_PROPERTY_NOTIFY) {
                const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
                const xcb_window_t window = change->window;
                std::free(event);
                if (mappedUntitled.count(window)) {
                    const std::string title = windowTitle(c, window, netWmName, utf8);
                    if (title == wantedTitle)
                        return report(when, window, title);
                }
            } else if (type == XCB_UNMAP_NOTIFY || type == XCB_DESTROY_NOTIFY) {
                const auto* gone = reinterpret_cast<xcb_unmap_notify_event_t*>(event);
                mappedUntitled.erase(gone->window);
                std::free(event);
            } else {
                std::free(event);
            }
        }
        if (xcb_connection_has_error(c)) {
            std::fprintf(stderr, "mapwait: lost the display\n");
            return 1;
        }
        const double left = deadline - monotonicNow();
        if (left <= 0) {
            std::fprintf(stderr, "mapwait: no matching window within %.0f s\n", timeout);
            xcb_disconnect(c);
            return 1;
        }
        if (poll(&fd, 1, static_cast<int>(left * 1000) + 1) < 0 && errno != EINTR)
            return 1;
    }
}
