#pragma once

#include <QRegion>
#include <QWidget>

// What the strip needs from X11 beyond what Qt offers. Every call does nothing off X11.
namespace x11 {

bool available();

// Keeps the window out of the taskbar and the pager. Qt's tool window type alone does not: panels still
// list it. Must be called before the window is first shown; the window manager reads the state at map.
void setSkipTaskbarAndPager(QWidget& window);

// The X server paints nothing into the window's newly exposed parts: the strip paints them itself
// straight after, and a background fill of every piece a shape change uncovers costs the server dearly.
void setNoBackground(QWidget& window);

// Whether a compositing manager owns the screen's _NET_WM_CM_Sn selection.
bool compositorRunning();

enum class ShapeKind { Bounding, Input };

// Sets a window's shape to `region` (the region's rectangles are banded as the X server wants them, so
// it need not sort them), or back to the plain rectangle when `region` is null.
void setShape(QWidget& window, ShapeKind kind, const QRegion* region);

} // namespace x11
