#include "x11_window.h"

#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace x11 {

namespace {

QNativeInterface::QX11Application* native() {
    auto* app = qGuiApp;
    return app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(xcb_intern_atom_reply(c, cookie, nullptr),
                                                                         &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

int screenNumber() {
    auto* x = native();
    if (!x || !x->display()) return 0;
    return static_cast<int>(DefaultScreen(x->display()));
}

} // namespace

bool available() {
    auto* x = native();
    return x && x->connection() && x->display();
}

void setSkipTaskbarAndPager(QWidget& window) {
    auto* x = native();
    if (!x || !x->connection()) return;
    xcb_connection_t* c = x->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t wanted[] = {atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), atom(c, "_NET_WM_STATE_SKIP_PAGER")};

    // Keep whatever states are already set (Qt adds "above" for a window that stays on top).
    std::vector<xcb_atom_t> atoms;
    const auto cookie = xcb_get_property(c, 0, id, state, XCB_ATOM_ATOM, 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(xcb_get_property_reply(c, cookie, nullptr),
                                                                          &std::free);
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        atoms.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
    }
    for (xcb_atom_t a : wanted)
        if (a != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), a) == atoms.end()) atoms.push_back(a);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());
    xcb_flush(c);
}

void setNoBackground(QWidget& window) {
    auto* x = native();
    if (!x || !x->connection()) return;
    const std::uint32_t none = XCB_BACK_PIXMAP_NONE;
    xcb_change_window_attributes(x->connection(), static_cast<xcb_window_t>(window.winId()), XCB_CW_BACK_PIXMAP, &none);
    xcb_flush(x->connection());
}

bool compositorRunning() {
    auto* x = native();
    if (!x || !x->connection()) return false;
    xcb_connection_t* c = x->connection();
    // Asked every few seconds: the atom is looked up once.
    static const xcb_atom_t selection = [c] {
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screenNumber());
        return atom(c, name.constData());
    }();
    if (selection == XCB_ATOM_NONE) return false;
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr), &std::free);
    return reply && reply->owner != XCB_NONE;
}

void setShape(QWidget& window, ShapeKind kind, const QRegion* region) {
    auto* x = native();
    if (!x || !x->display()) return;
    Display* d = x->display();
    const auto id = static_cast<Window>(window.winId());
    const int shapeKind = kind == ShapeKind::Bounding ? ShapeBounding : ShapeInput;
    if (!region) {
        XShapeCombineMask(d, id, shapeKind, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> rects;
        rects.reserve(static_cast<std::size_t>(region->rectCount()));
        for (const QRect& r : *region)
            rects.push_back({static_cast<short>(r.x()), static_cast<short>(r.y()),
                             static_cast<unsigned short>(r.width()), static_cast<unsigned short>(r.height())});
        XShapeCombineRectangles(d, id, shapeKind, 0, 0, rects.data(), static_cast<int>(rects.size()), ShapeSet,
                                YXBanded);
    }
    XFlush(d);
}

} // namespace x11
