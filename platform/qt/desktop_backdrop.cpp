#include "desktop_backdrop.h"

#include <QSysInfo>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> reply(T* r) {
    return Reply<T>(r, &std::free);
}

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    auto r = reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

} // namespace

DesktopBackdrop::DesktopBackdrop() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    // The wallpaper's pixels are copied as they come: little-endian 32-bit words, as QImage holds them.
    if (!screens.rem || xcb_get_setup(connection_)->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST ||
        QSysInfo::ByteOrder != QSysInfo::LittleEndian)
        return;
    root_ = screens.data->root;
    rootDepth_ = screens.data->root_depth;
    wallpaperAtoms_[0] = internAtom(connection_, "_XROOTPMAP_ID");
    wallpaperAtoms_[1] = internAtom(connection_, "ESETROOT_PMAP_ID");
    // Masks are per client: this selects on our own connection only.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { drain(); });
}

DesktopBackdrop::~DesktopBackdrop() {
    notifier_.reset();
    if (connection_) xcb_disconnect(connection_);
}

void DesktopBackdrop::drain() {
    if (!connection_) return;
    bool changed = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const auto type = event->response_type & 0x7F;
        if (type == XCB_PROPERTY_NOTIFY) {
            const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            changed |= e->atom == wallpaperAtoms_[0] || e->atom == wallpaperAtoms_[1];
        } else {
            changed |= type == XCB_CONFIGURE_NOTIFY || type == XCB_MAP_NOTIFY || type == XCB_UNMAP_NOTIFY ||
                       type == XCB_DESTROY_NOTIFY || type == XCB_CIRCULATE_NOTIFY || type == XCB_REPARENT_NOTIFY;
        }
        std::free(event);
    }
    if (notifier_ && xcb_connection_has_error(connection_)) notifier_->setEnabled(false);
    if (changed && onChanged) onChanged();
}

unsigned DesktopBackdrop::topLevelOf(unsigned window) {
    // The window manager's frame around ours, or ours when it has none: the root's child holding it.
    for (int depth = 0; depth < 16 && window; ++depth) {
        auto tree = reply(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
        if (!tree) return 0;
        if (tree->parent == root_ || tree->parent == XCB_WINDOW_NONE) return window;
        window = tree->parent;
    }
    return 0;
}

bool DesktopBackdrop::anotherWindowBeneath(unsigned topLevel, const QRect& area) {
    auto tree = reply(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree) return true;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    // Children come bottom first: the ones before ours are beneath it. Ask for all of them at once.
    int ours = 0;
    while (ours < count && children[ours] != topLevel)
        ++ours;
    if (ours == count) return true;
    std::vector<xcb_get_window_attributes_cookie_t> attributes;
    std::vector<xcb_get_geometry_cookie_t> geometries;
    for (int i = 0; i < ours; ++i) {
        attributes.push_back(xcb_get_window_attributes(connection_, children[i]));
        geometries.push_back(xcb_get_geometry(connection_, children[i]));
    }
    bool beneath = false;
    for (int i = 0; i < ours; ++i) {
        auto a = reply(xcb_get_window_attributes_reply(connection_, attributes[i], nullptr));
        auto g = reply(xcb_get_geometry_reply(connection_, geometries[i], nullptr));
        if (beneath || !a || !g) continue; // gone meanwhile: it covers nothing
        if (a->map_state != XCB_MAP_STATE_VIEWABLE || a->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT) continue;
        const QRect box(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
        beneath = box.intersects(area);
    }
    return beneath;
}

QImage DesktopBackdrop::wallpaper(const QRect& area) {
    for (xcb_atom_t property : wallpaperAtoms_) {
        if (property == XCB_ATOM_NONE) continue;
        auto value = reply(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, root_, property, XCB_ATOM_PIXMAP, 0, 1), nullptr));
        if (!value || value->type != XCB_ATOM_PIXMAP || value->format != 32 ||
            xcb_get_property_value_length(value.get()) != 4)
            continue;
        const xcb_pixmap_t pixmap = *static_cast<const xcb_pixmap_t*>(xcb_get_property_value(value.get()));
        auto g = reply(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, pixmap), nullptr));
        // A wallpaper smaller than the area would be tiled by the server; only a whole one is used.
        if (!g || g->depth != rootDepth_ || (g->depth != 24 && g->depth != 32) ||
            !QRect(0, 0, g->width, g->height).contains(area))
            continue;
        auto image = reply(xcb_get_image_reply(
            connection_,
            xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, static_cast<std::int16_t>(area.x()),
                          static_cast<std::int16_t>(area.y()), static_cast<std::uint16_t>(area.width()),
                          static_cast<std::uint16_t>(area.height()), ~0u),
            nullptr));
        const auto bytes = static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(area.height()) * 4;
        if (!image || static_cast<std::size_t>(xcb_get_image_data_length(image.get())) != bytes) continue;
        QImage result(area.size(), QImage::Format_RGB32);
        std::memcpy(result.bits(), xcb_get_image_data(image.get()), bytes);
        return result;
    }
    return {};
}

QImage DesktopBackdrop::under(unsigned window, const QRect& area) {
    if (!connection_ || !root_ || area.isEmpty() || xcb_connection_has_error(connection_)) return {};
    // Waiting for the replies below reads any events that came meanwhile into xcb's queue, where the socket
    // notifier no longer sees them: they are looked at once this call is over.
    QMetaObject::invokeMethod(
        this, [this] { drain(); }, Qt::QueuedConnection);
    const unsigned topLevel = topLevelOf(window);
    if (!topLevel || anotherWindowBeneath(topLevel, area)) return {};
    return wallpaper(area);
}
