#include "platform/qt/display_profile.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>
#include <memory>
#include <string>

#include <xcb/xcb.h>

namespace lumivane {

namespace {

// Larger properties are not profiles a colour manager set.
constexpr std::uint32_t longest_profile = 16u << 20;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

std::vector<std::uint8_t> root_property(xcb_connection_t* connection, const std::string& name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr));
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!atom || atom->atom == XCB_ATOM_NONE || !screen) return {};
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, screen->root, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, longest_profile / 4),
        nullptr));
    if (!reply || reply->format != 8 || reply->bytes_after != 0) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
    return std::vector<std::uint8_t>(bytes, bytes + xcb_get_property_value_length(reply.get()));
}

}  // namespace

std::vector<std::uint8_t> display_icc_profile(const QScreen* screen) {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return {};
    const qsizetype n = screen ? QGuiApplication::screens().indexOf(const_cast<QScreen*>(screen)) : 0;
    return root_property(x11->connection(), n > 0 ? "_ICC_PROFILE_" + std::to_string(n) : "_ICC_PROFILE");
}

}  // namespace lumivane
