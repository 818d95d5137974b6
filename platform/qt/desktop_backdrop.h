#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QSocketNotifier>

#include <functional>
#include <memory>

struct xcb_connection_t;

// What lies beneath a window when it is only the desktop: the wallpaper a wallpaper setter published on
// the root window (_XROOTPMAP_ID, as pseudo-transparent panels read it), and no other window below ours.
//
// Without a compositing manager a see-through window needs a shape of exactly its drawn pixels, and every
// change of such a shape makes the X server repaint the desktop under it at a cost that grows with the
// square of the shape's rectangles. Over the bare desktop the strip can paint the wallpaper itself instead
// and keep a plain shape; whenever another window lies beneath, it must use the exact one.
//
// A connection of its own watches the root window, so the toolkit's connection and its event masks are
// left alone.
class DesktopBackdrop : public QObject {
public:
    DesktopBackdrop();
    ~DesktopBackdrop() override;
    DesktopBackdrop(const DesktopBackdrop&) = delete;
    DesktopBackdrop& operator=(const DesktopBackdrop&) = delete;

    // The wallpaper under `area` (in root coordinates) when nothing but the desktop lies beneath the top-level
    // window holding `window` there; a null image otherwise, or when no wallpaper is published.
    QImage under(unsigned window, const QRect& area);

    // Runs when a window was mapped, unmapped, moved or restacked, or the wallpaper changed: what `under`
    // gives may have changed.
    std::function<void()> onChanged;

private:
    void drain();
    unsigned topLevelOf(unsigned window);
    bool anotherWindowBeneath(unsigned topLevel, const QRect& area);
    QImage wallpaper(const QRect& area);

    xcb_connection_t* connection_ = nullptr;
    unsigned root_ = 0;
    unsigned rootDepth_ = 0;
    unsigned wallpaperAtoms_[2] = {0, 0};
    std::unique_ptr<QSocketNotifier> notifier_;
};
