// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/frame.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, std::strlen(name), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The 32-bit values of a window's property; empty when it is not set.
std::vector<std::uint32_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t property, xcb_atom_t type)
{
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, property, type, 0, 4), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

bool QtKnowsFrame(const QWidget* window)
{
    return window->frameGeometry() != window->geometry();
}

// The frame offset that Qt's positions leave out: all of it before Qt has seen the frame.
QPoint FrameUnknownToQt(const QWidget* window)
{
    if (QtKnowsFrame(window))
        return {};
    const QMargins frame = FrameExtents(window);
    return {frame.left(), frame.top()};
}

}  // namespace

QMargins FrameExtents(const QWidget* window)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return {};
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    if (Property(connection, root, Atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW)
            .empty())
        return {};

    const auto client = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    auto frame = Property(connection, client, extents, XCB_ATOM_CARDINAL);
    if (frame.size() != 4) {
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = client;
        request.type = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
        xcb_send_event(connection, false, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&request));
        xcb_flush(connection);
        // The window manager answers in a few milliseconds; one that does not, leaves the
        // window unframed as far as we can tell.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
        while (frame.size() != 4 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            frame = Property(connection, client, extents, XCB_ATOM_CARDINAL);
        }
        if (frame.size() != 4)
            return {};
    }
    // Left, right, top, bottom.
    return QMargins(static_cast<int>(frame[0]), static_cast<int>(frame[2]),
                    static_cast<int>(frame[1]), static_cast<int>(frame[3]));
}

QSize OuterSize(const QWidget* window)
{
    if (QtKnowsFrame(window))
        return window->frameGeometry().size();
    return window->size().grownBy(FrameExtents(window));
}

namespace {

// A native Wayland window can neither place itself nor learn where the compositor put it:
// there the position last asked for stands for the window's, so that a stored position
// survives a run on such a session instead of being replaced by Qt's made-up one.
constexpr char askedPosition[] = "phonoduct-asked-position";

bool CannotPlaceItself()
{
    return QGuiApplication::platformName() == QLatin1String("wayland");
}

}  // namespace

QPoint FramePosition(const QWidget* window)
{
    if (CannotPlaceItself())
        return window->property(askedPosition).toPoint();
    return window->pos() - FrameUnknownToQt(window);
}

void MoveFrame(QWidget* window, QPoint position)
{
    if (CannotPlaceItself()) {
        window->setProperty(askedPosition, position);
        return;
    }
    window->move(position + FrameUnknownToQt(window));
}
