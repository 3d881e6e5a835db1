// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// Starts a command and measures the time until a top-level window whose title
// contains TITLE is mapped, from the X server's MapNotify event (no polling).
// Then it ends the window's program (its _NET_WM_PID, else the command) with
// SIGTERM and waits for the command, so that a wrapper such as /usr/bin/time
// can still report on it.
//
//   mapwait [--timeout SECONDS] [--painted] [--settle MS] TITLE COMMAND [ARGUMENT...]
//
// --painted also waits, after the map, until the window shows its first
// frame: a program paints only once mapped, and work it leaves until then
// (such as loading fonts) shows here rather than in the map time. It needs a
// black root window (Xvfb -br): an unpainted window shows the root through.
// --settle leaves the program running that long more before ending it.
//
// Prints the milliseconds to the map (and to the first frame) on stdout; exit
// code 0 when the window appeared, 1 on a timeout or an error.

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

// A property's bytes (a string), or nothing.
std::string property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                     xcb_atom_t type)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr);
    std::string value;
    if (reply) {
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return value;
}

// Some of nine points of the window, a grid over it, are no longer black.
bool showsFrame(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (!geometry)
        return false;
    const int width = geometry->width;
    const int height = geometry->height;
    std::free(geometry);
    int lit = 0;
    for (int row = 1; row <= 3; ++row) {
        for (int column = 1; column <= 3; ++column) {
            xcb_get_image_reply_t* image = xcb_get_image_reply(
                connection,
                xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window,
                              static_cast<std::int16_t>(width * column / 4),
                              static_cast<std::int16_t>(height * row / 4), 1, 1, ~0u),
                nullptr);
            if (!image)
                continue;
            const std::uint8_t* pixel = xcb_get_image_data(image);
            if (xcb_get_image_data_length(image) >= 3 && (pixel[0] | pixel[1] | pixel[2]) != 0)
                ++lit;
            std::free(image);
        }
    }
    return lit >= 5;
}

pid_t windowPid(xcb_connection_t* connection, xcb_window_t window)
{
    const std::string value =
        property(connection, window, atom(connection, "_NET_WM_PID"), XCB_ATOM_CARDINAL);
    if (value.size() < sizeof(std::uint32_t))
        return 0;
    std::uint32_t pid = 0;
    std::memcpy(&pid, value.data(), sizeof pid);
    return static_cast<pid_t>(pid);
}

} // namespace

int main(int argc, char* argv[])
{
    int first = 1;
    double timeoutSeconds = 60;
    int settleMs = 0;
    bool painted = false;
    while (argc - first > 2) {
        if (std::strcmp(argv[first], "--timeout") == 0) {
            timeoutSeconds = std::atof(argv[first + 1]);
            first += 2;
        } else if (std::strcmp(argv[first], "--settle") == 0) {
            settleMs = std::atoi(argv[first + 1]);
            first += 2;
        } else if (std::strcmp(argv[first], "--painted") == 0) {
            painted = true;
            first += 1;
        } else {
            break;
        }
    }
    if (argc - first < 2) {
        std::fprintf(stderr, "Usage: mapwait [--timeout SECONDS] [--painted] [--settle MS] TITLE "
                             "COMMAND [ARGUMENT...]\n");
        return 1;
    }
    const std::string title = argv[first];
    char** command = argv + first + 1;

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "mapwait: cannot connect to the X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // Without a window manager, top-level windows are the root's children.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmName = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING"); // a round trip: the mask is set

    const auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, command[0], nullptr, nullptr, command, environ) != 0) {
        std::fprintf(stderr, "mapwait: cannot start %s\n", command[0]);
        return 1;
    }

    const auto deadline =
        started + std::chrono::milliseconds(static_cast<long long>(timeoutSeconds * 1000));
    xcb_window_t mapped = XCB_WINDOW_NONE;
    double elapsedMs = 0;
    pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (mapped == XCB_WINDOW_NONE) {
        xcb_generic_event_t* event = xcb_poll_for_event(connection);
        if (!event) {
            if (xcb_connection_has_error(connection))
                break;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            ::poll(&descriptor, 1, static_cast<int>(left.count()));
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto now = std::chrono::steady_clock::now();
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            std::string name = property(connection, map->window, netWmName, utf8);
            if (name.empty())
                name = property(connection, map->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
            if (!map->override_redirect && name.find(title) != std::string::npos) {
                mapped = map->window;
                elapsedMs = std::chrono::duration<double, std::milli>(now - started).count();
            }
        }
        std::free(event);
    }

    // Polled every millisecond: the X server tells no one else of a paint.
    double paintedMs = -1;
    while (painted && mapped != XCB_WINDOW_NONE && std::chrono::steady_clock::now() < deadline) {
        if (showsFrame(connection, mapped)) {
            paintedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                  started)
                            .count();
            break;
        }
        ::usleep(1000);
    }

    const pid_t program = mapped != XCB_WINDOW_NONE ? windowPid(connection, mapped) : 0;
    if (mapped != XCB_WINDOW_NONE && settleMs > 0)
        ::usleep(static_cast<useconds_t>(settleMs) * 1000);
    ::kill(program > 0 ? program : child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    xcb_disconnect(connection);
    if (mapped == XCB_WINDOW_NONE) {
        std::fprintf(stderr, "mapwait: no window \"%s\" appeared\n", title.c_str());
        return 1;
    }
    if (!painted) {
        std::printf("%.2f\n", elapsedMs);
        return 0;
    }
    if (paintedMs < 0) {
        std::fprintf(stderr, "mapwait: window \"%s\" showed no frame\n", title.c_str());
        return 1;
    }
    std::printf("%.2f %.2f\n", elapsedMs, paintedMs);
    return 0;
}
