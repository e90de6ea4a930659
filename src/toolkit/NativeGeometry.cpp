#include "toolkit/NativeGeometry.h"

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace tk {

namespace {

// Qt's own connection to the X server; none on other platforms.
xcb_connection_t* x11Connection() {
    if (qGuiApp == nullptr) {
        return nullptr;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> reply(T* r, xcb_generic_error_t* error) {
    std::free(error);  // a failed request is only no answer
    return Reply<T>(r, &std::free);
}

bool hasMonitors(xcb_connection_t* c) {
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(c, &xcb_randr_id);
    if (randr == nullptr || randr->present == 0) {
        return false;
    }
    xcb_generic_error_t* error = nullptr;
    const auto version =
        reply(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), &error), error);
    return version != nullptr && (version->major_version > 1 ||
                                  (version->major_version == 1 && version->minor_version >= 5));
}

// Whether Qt shows a monitor of `device` pixels as `logical` at `ratio`: it
// keeps a screen's corner in device pixels and divides its size, rounded.
bool showsAs(const QRect& device, const QRect& logical, double ratio) {
    return device.topLeft() == logical.topLeft() &&
           qRound(device.width() / ratio) == logical.width() &&
           qRound(device.height() / ratio) == logical.height();
}

}  // namespace

std::optional<QRect> nativeScreenGeometry(const QScreen* screen) {
    xcb_connection_t* c = x11Connection();
    if (c == nullptr || screen == nullptr || !hasMonitors(c)) {
        return std::nullopt;
    }
    const QRect logical = screen->geometry();
    const double ratio = screen->devicePixelRatio();
    for (auto roots = xcb_setup_roots_iterator(xcb_get_setup(c)); roots.rem != 0;
         xcb_screen_next(&roots)) {
        xcb_generic_error_t* error = nullptr;
        const auto monitors = reply(
            xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, roots.data->root, 1), &error),
            error);
        if (monitors == nullptr) {
            continue;
        }
        for (auto m = xcb_randr_get_monitors_monitors_iterator(monitors.get()); m.rem != 0;
             xcb_randr_monitor_info_next(&m)) {
            const QRect device(m.data->x, m.data->y, m.data->width, m.data->height);
            if (showsAs(device, logical, ratio)) {
                return device;
            }
        }
    }
    return std::nullopt;
}

bool setNativeGeometry(QWidget* window, const QRect& device) {
    xcb_connection_t* c = x11Connection();
    if (c == nullptr || window == nullptr || !window->isWindow() || device.isEmpty()) {
        return false;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    constexpr uint16_t mask = XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                              XCB_CONFIG_WINDOW_HEIGHT;
    // Signed positions travel as their 32-bit pattern.
    const uint32_t values[] = {static_cast<uint32_t>(device.x()), static_cast<uint32_t>(device.y()),
                               static_cast<uint32_t>(device.width()),
                               static_cast<uint32_t>(device.height())};
    xcb_configure_window(c, id, mask, values);
    xcb_flush(c);
    return true;
}

}  // namespace tk
