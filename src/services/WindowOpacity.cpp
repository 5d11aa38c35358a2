// Whether and how the windowing system blends translucent windows. On X11 that needs a
// compositing manager, which owns the selection _NET_WM_CM_S<screen> while it runs (EWMH); the
// X connection is Qt's and libxcb is already loaded by Qt's xcb platform, so its functions are
// looked up at run time instead of linking the program to it.

#include "services/mGlobal.h"

#include <QGuiApplication>
#include <QLibrary>

#if __has_include(<xcb/xcb.h>)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#define QUORVANEL_HAS_XCB_HEADERS 1
#endif

namespace {

#if defined(QUORVANEL_HAS_XCB_HEADERS) && QT_CONFIG(xcb)
bool x11CompositorRunning()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    QLibrary xcb(QStringLiteral("xcb"), 1);
    using InternAtom = xcb_intern_atom_cookie_t (*)(xcb_connection_t*, uint8_t, uint16_t,
                                                    const char*);
    using InternAtomReply = xcb_intern_atom_reply_t* (*)(xcb_connection_t*,
                                                         xcb_intern_atom_cookie_t,
                                                         xcb_generic_error_t**);
    using GetOwner = xcb_get_selection_owner_cookie_t (*)(xcb_connection_t*, xcb_atom_t);
    using GetOwnerReply = xcb_get_selection_owner_reply_t* (*)(xcb_connection_t*,
                                                               xcb_get_selection_owner_cookie_t,
                                                               xcb_generic_error_t**);
    const auto internAtom = reinterpret_cast<InternAtom>(xcb.resolve("xcb_intern_atom"));
    const auto internAtomReply =
        reinterpret_cast<InternAtomReply>(xcb.resolve("xcb_intern_atom_reply"));
    const auto getOwner = reinterpret_cast<GetOwner>(xcb.resolve("xcb_get_selection_owner"));
    const auto getOwnerReply =
        reinterpret_cast<GetOwnerReply>(xcb.resolve("xcb_get_selection_owner_reply"));
    if (!internAtom || !internAtomReply || !getOwner || !getOwnerReply)
        return false;

    xcb_connection_t* connection = x11->connection();
    static constexpr char kSelection[] = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom =
        internAtomReply(connection, internAtom(connection, 1, sizeof kSelection - 1, kSelection),
                        nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        getOwnerReply(connection, getOwner(connection, selection), nullptr);
    if (!owner)
        return false;
    const bool running = owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return running;
}
#else
bool x11CompositorRunning()
{
    return true; // cannot ask: assume the usual composited desktop
}
#endif

} // namespace

namespace mGlobal {

WindowBlending windowBlending(const QString& platformName)
{
    if (platformName == u"windows" || platformName == u"cocoa")
        return WindowBlending::WindowOpacity;
    // Wayland has no opacity for a whole window; its compositors blend the alpha of what a
    // window draws.
    if (platformName.startsWith(u"wayland"))
        return WindowBlending::DrawnBackground;
    if (platformName == u"xcb")
        return x11CompositorRunning() ? WindowBlending::WindowOpacity : WindowBlending::None;
    return WindowBlending::None; // offscreen, minimal, vnc, framebuffers: nothing blends
}

bool platformHasTranslucentWindows()
{
    return windowBlending(QGuiApplication::platformName()) != WindowBlending::None;
}

} // namespace mGlobal
