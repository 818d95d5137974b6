"""Drives the real program on the test desktop (Xvfb, openbox, tint2) the way a person would.

Every end-to-end test goes through `Program`: it copies the binary into a temporary folder (the program keeps
its settings beside itself), starts it, finds its strip and its tray icon, walks the tray menu with the
keyboard, answers its input boxes and reads back the settings file and the screen.

Run as a script it also offers the few checks scripts/with_desktop.sh needs while it brings the desktop up.
"""

import ctypes
import datetime
import ctypes.util
import glob
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

SECTION = "Orrinvale"
SETTINGS_FILE = "配置文件.ini"
TRAY_TOOLTIP = "Orrinvale1.0"

# The tray menu as the program builds it, in order. None is a separator; a tuple is (caption, submenu).
BAR_COUNT_ITEMS = ["1条", "2条", "3条", "4条", "5条", "6条"]
MENU = [
    ("几条事件条", BAR_COUNT_ITEMS),
    ("时间条", ["重新计时", "设置滚动步调", "设置滚动速度", "停止滚动", "停止滚动带记时", "不要时间条"]),
    ("事件条1", ["一天工作计划模式", "设置事件内容", "设置滚动步调", "设置滚动速度", "停止滚动（文本不要长否则显示不全哦）"]),
] + [("事件条%d" % n, ["设置事件内容", "设置滚动步调", "设置滚动速度", "停止滚动"]) for n in range(2, 7)] + [
    None,
    ("换一组颜色吧", None),
    None,
    ("开启音乐报警", None),
    ("停止播放", None),
    None,
    ("其它功能", ["字体加粗", "设置宽度", "每日事件记录", "隐藏分隔线吧", "退出程序"]),
]

# How long Qt needs to react to one key or click; the menu and boxes are tiny, so this is generous.
SETTLE = 0.15
KEY_DELAY = 0.05


class ShiftedClock:
    """A program's faketime clock, followed from the moment the program was started."""

    def __init__(self, start):
        self.start = start
        self.started = None

    def begin(self):
        self.started = time.monotonic()

    def now(self):
        return self.start + datetime.timedelta(seconds=time.monotonic() - self.started)

    def wait_until(self, moment):
        while self.now() < moment:
            time.sleep(0.2)


def changed_columns(pixels, baseline, rows):
    """Columns where `pixels` differ clearly from `baseline` in any of `rows`: where text is painted."""
    columns = set()
    for row in rows:
        if row >= len(pixels) or row >= len(baseline):
            continue
        for x, (now, before) in enumerate(zip(pixels[row], baseline[row])):
            if max(abs(a - b) for a, b in zip(now, before)) > 60:
                columns.add(x)
    return columns


ROOT_COLOUR = (40, 60, 90)  # the plain colour scripts/with_desktop.sh paints the root with


def near(pixel, colour, tolerance=40):
    """Whether an (r, g, b) pixel is within `tolerance` of `colour` in every channel."""
    return all(abs(a - b) <= tolerance for a, b in zip(pixel, colour))


class DesktopError(AssertionError):
    """Something on the desktop did not happen in time; an AssertionError so unittest reports it as a failure."""


def wait_for(what, probe, timeout=10.0, interval=0.05):
    """Polls probe() until it returns something true and returns that; fails with `what` after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise DesktopError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def run(*args, check=True, timeout=30):
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    if check and result.returncode != 0:
        raise DesktopError("%s failed (%d): %s" % (" ".join(args), result.returncode,
                                                  result.stderr.decode(errors="replace").strip()))
    return result.stdout.decode(errors="replace")


def xdotool(*args, check=True):
    return run("xdotool", *[str(a) for a in args], check=check)


def pointer_location():
    out = xdotool("getmouselocation", "--shell")
    values = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return int(values["X"]), int(values["Y"])


def move_pointer(x, y):
    """Moves the pointer and waits until it is there. (xdotool's own --sync waits about 15 s when the pointer
    already stands on the target.)"""
    xdotool("mousemove", x, y)
    wait_for("the pointer at %d, %d" % (x, y), lambda: pointer_location() == (x, y), timeout=5, interval=0.01)


# --- a few direct Xlib calls, for what the command-line tools cannot tell ---

class _XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, as far as reading the pixels needs them.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


class _XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


# Windows come and go while a test looks at them; Xlib's default handler would end the test on BadWindow.
_ERROR_HANDLER_TYPE = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
_ignore_errors = _ERROR_HANDLER_TYPE(lambda display, event: 0)


class _X:
    lib = None
    ext = None

    @classmethod
    def load_ext(cls):
        if cls.ext is None:
            ext = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xext") or "libXext.so.6")
            ext.XShapeGetRectangles.restype = ctypes.c_void_p
            ext.XShapeGetRectangles.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                                ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
            cls.ext = ext
        return cls.ext

    @classmethod
    def load(cls):
        if cls.lib is None:
            lib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
            lib.XOpenDisplay.restype = ctypes.c_void_p
            lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
            lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
            lib.XDefaultRootWindow.restype = ctypes.c_ulong
            lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
            lib.XInternAtom.restype = ctypes.c_ulong
            lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
            lib.XGetSelectionOwner.restype = ctypes.c_ulong
            lib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
            lib.XSetWindowBackground.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
            lib.XClearWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
            lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
            lib.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                       ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                       ctypes.POINTER(ctypes.c_uint)]
            lib.XFree.argtypes = [ctypes.c_void_p]
            lib.XGetImage.restype = ctypes.POINTER(_XImage)
            lib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                      ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
            lib.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
            lib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                                 ctypes.POINTER(_XWindowAttributes)]
            lib.XTranslateCoordinates.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                                                  ctypes.c_int, ctypes.POINTER(ctypes.c_int),
                                                  ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong)]
            lib.XDefaultScreen.argtypes = [ctypes.c_void_p]
            lib.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
            lib.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
            lib.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long,
                                               ctypes.c_long, ctypes.c_int, ctypes.c_ulong,
                                               ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int),
                                               ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
                                               ctypes.POINTER(ctypes.POINTER(ctypes.c_ubyte))]
            lib.XGetAtomName.restype = ctypes.c_void_p
            lib.XGetAtomName.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
            lib.XDefaultDepth.argtypes = [ctypes.c_void_p, ctypes.c_int]
            lib.XCreatePixmap.restype = ctypes.c_ulong
            lib.XCreatePixmap.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_uint,
                                          ctypes.c_uint]
            lib.XFreePixmap.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
            lib.XCreateGC.restype = ctypes.c_void_p
            lib.XCreateGC.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_void_p]
            lib.XFreeGC.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
            lib.XSetForeground.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_ulong]
            lib.XFillRectangle.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p, ctypes.c_int,
                                           ctypes.c_int, ctypes.c_uint, ctypes.c_uint]
            lib.XSetWindowBackgroundPixmap.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
            lib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                            ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
            lib.XDeleteProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
            lib.XSetErrorHandler.argtypes = [_ERROR_HANDLER_TYPE]
            lib.XSetErrorHandler(_ignore_errors)
            cls.lib = lib
        return cls.lib


class XConnection:
    def __init__(self):
        self.lib = _X.load()
        self.display = self.lib.XOpenDisplay(None)
        if not self.display:
            raise DesktopError("cannot open display %r" % os.environ.get("DISPLAY"))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.lib.XCloseDisplay(self.display)

    @property
    def root(self):
        return self.lib.XDefaultRootWindow(self.display)

    def selection_owner(self, name):
        atom = self.lib.XInternAtom(self.display, name.encode(), 0)
        return self.lib.XGetSelectionOwner(self.display, atom)

    def children(self, window):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        kids, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not self.lib.XQueryTree(self.display, window, ctypes.byref(root), ctypes.byref(parent),
                                   ctypes.byref(kids), ctypes.byref(count)):
            return []
        found = [kids[i] for i in range(count.value)]
        if kids:
            self.lib.XFree(kids)
        return found

    def parent(self, window):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        kids, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not self.lib.XQueryTree(self.display, window, ctypes.byref(root), ctypes.byref(parent),
                                   ctypes.byref(kids), ctypes.byref(count)):
            return 0
        if kids:
            self.lib.XFree(kids)
        return parent.value

    def atom(self, name):
        return self.lib.XInternAtom(self.display, name.encode(), 0)

    def atom_name(self, atom):
        pointer = self.lib.XGetAtomName(self.display, atom)
        if not pointer:
            return ""
        try:
            return ctypes.string_at(pointer).decode(errors="replace")
        finally:
            self.lib.XFree(pointer)

    def property(self, window, name):
        """A window property as (format, bytes); (0, b"") when it is not set or the window is gone."""
        actual_type, actual_format = ctypes.c_ulong(), ctypes.c_int()
        count, after = ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.POINTER(ctypes.c_ubyte)()
        status = self.lib.XGetWindowProperty(self.display, window, self.atom(name), 0, 1 << 20, 0, 0,
                                             ctypes.byref(actual_type), ctypes.byref(actual_format),
                                             ctypes.byref(count), ctypes.byref(after), ctypes.byref(data))
        if status != 0 or not data:
            return 0, b""
        try:
            # Xlib hands 32-bit items over as C longs.
            size = {8: 1, 16: ctypes.sizeof(ctypes.c_short), 32: ctypes.sizeof(ctypes.c_long)}[actual_format.value]
            return actual_format.value, ctypes.string_at(data, size * count.value)
        finally:
            self.lib.XFree(data)

    def cardinals(self, window, name):
        fmt, data = self.property(window, name)
        if fmt != 32:
            return []
        return list((ctypes.c_ulong * (len(data) // ctypes.sizeof(ctypes.c_ulong))).from_buffer_copy(data))

    def atoms(self, window, name):
        return [self.atom_name(a) for a in self.cardinals(window, name)]

    def text(self, window, name):
        fmt, data = self.property(window, name)
        return data.decode("utf-8", errors="replace") if fmt == 8 else ""

    def all_windows(self):
        found, stack = [], [self.root]
        while stack:
            window = stack.pop()
            for child in self.children(window):
                found.append(child)
                stack.append(child)
        return found

    def windows_of(self, pid):
        return [w for w in self.all_windows() if self.cardinals(w, "_NET_WM_PID")[:1] == [pid]]

    def screen_size(self):
        screen = self.lib.XDefaultScreen(self.display)
        return self.lib.XDisplayWidth(self.display, screen), self.lib.XDisplayHeight(self.display, screen)

    def attributes(self, window):
        """Absolute place, size, map state and override-redirect of a window; None when it is gone."""
        attrs = _XWindowAttributes()
        if not self.lib.XGetWindowAttributes(self.display, window, ctypes.byref(attrs)):
            return None
        x, y, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        if not self.lib.XTranslateCoordinates(self.display, window, self.root, 0, 0, ctypes.byref(x),
                                              ctypes.byref(y), ctypes.byref(child)):
            return None
        viewable = 2
        return {"x": x.value, "y": y.value, "width": attrs.width, "height": attrs.height,
                "viewable": attrs.map_state == viewable, "override_redirect": bool(attrs.override_redirect)}

    def root_pixels(self, x, y, width, height):
        """Rows of (r, g, b) of a rectangle of the root window: the screen as shown, composited or not."""
        z_pixmap = 2
        image = self.lib.XGetImage(self.display, self.root, x, y, width, height, 0xFFFFFFFF, z_pixmap)
        if not image:
            raise DesktopError("XGetImage failed for %dx%d+%d+%d" % (width, height, x, y))
        try:
            im = image.contents
            if im.bits_per_pixel != 32 or im.red_mask != 0xFF0000 or im.blue_mask != 0xFF:
                raise DesktopError("unexpected screen format: %d bits per pixel" % im.bits_per_pixel)
            data = ctypes.string_at(im.data, im.bytes_per_line * im.height)
            rows = []
            for row in range(im.height):
                line = data[row * im.bytes_per_line:row * im.bytes_per_line + 4 * im.width]
                # Little-endian 32-bit pixels: blue, green, red, unused.
                rows.append(list(zip(line[2::4], line[1::4], line[0::4])))
            return rows
        finally:
            self.lib.XDestroyImage(image)

    def shape_rectangle_count(self, window, kind="bounding"):
        """How many rectangles make the window's bounding (or input) shape; 1 for a plain window."""
        count, ordering = ctypes.c_int(), ctypes.c_int()
        rects = _X.load_ext().XShapeGetRectangles(self.display, window, {"bounding": 0, "input": 2}[kind],
                                        ctypes.byref(count), ctypes.byref(ordering))
        if rects:
            self.lib.XFree(rects)
        return count.value

    def set_root_colour(self, red, green, blue):
        self.lib.XSetWindowBackground(self.display, self.root, (red << 16) | (green << 8) | blue)
        self.lib.XClearWindow(self.display, self.root)
        self.lib.XSync(self.display, 0)


class Wallpaper:
    """A wallpaper on the test desktop the way wallpaper setters put one there: a pixmap of the screen's size,
    here vertical stripes of `colours` each `stripe` pixels wide, made the root's background and published
    in _XROOTPMAP_ID. Taken down again (property deleted, the plain root colour back) on leaving."""

    def __init__(self, colours, stripe):
        self.colours, self.stripe = list(colours), stripe

    def colour_at(self, x):
        return self.colours[(x // self.stripe) % len(self.colours)]

    def __enter__(self):
        self.x = XConnection()
        lib, display, root = self.x.lib, self.x.display, self.x.root
        width, height = self.x.screen_size()
        self.pixmap = lib.XCreatePixmap(display, root, width, height,
                                        lib.XDefaultDepth(display, lib.XDefaultScreen(display)))
        gc = lib.XCreateGC(display, self.pixmap, 0, None)
        for left in range(0, width, self.stripe):
            red, green, blue = self.colour_at(left)
            lib.XSetForeground(display, gc, (red << 16) | (green << 8) | blue)
            lib.XFillRectangle(display, self.pixmap, gc, left, 0, self.stripe, height)
        lib.XFreeGC(display, gc)
        lib.XSetWindowBackgroundPixmap(display, root, self.pixmap)
        lib.XClearWindow(display, root)
        xa_pixmap, replace = 20, 0
        value = ctypes.c_ulong(self.pixmap)
        lib.XChangeProperty(display, root, self.x.atom("_XROOTPMAP_ID"), xa_pixmap, 32, replace,
                            ctypes.byref(value), 1)
        lib.XSync(display, 0)
        return self

    def __exit__(self, *exc):
        self.x.lib.XDeleteProperty(self.x.display, self.x.root, self.x.atom("_XROOTPMAP_ID"))
        self.x.set_root_colour(*ROOT_COLOUR)
        self.x.lib.XFreePixmap(self.x.display, self.pixmap)
        self.x.lib.XSync(self.x.display, 0)
        self.x.__exit__()
        return False


def tray_owner():
    """The window of the tray host (tint2), 0 while there is none."""
    with XConnection() as x:
        return x.selection_owner("_NET_SYSTEM_TRAY_S0")


def window_manager_ready():
    return "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False)


# --- window properties through the standard tools ---

def window_attributes(window):
    with XConnection() as x:
        return x.attributes(window)


def window_geometry(window):
    """(x, y, width, height) of a window on the screen."""
    attrs = window_attributes(window)
    if attrs is None:
        raise DesktopError("window %d is gone" % window)
    return attrs["x"], attrs["y"], attrs["width"], attrs["height"]


def is_viewable(window):
    attrs = window_attributes(window)
    return bool(attrs and attrs["viewable"])


def is_override_redirect(window):
    attrs = window_attributes(window)
    return bool(attrs and attrs["override_redirect"])


def atom_list(window, prop):
    """Names in an ATOM list property of a window, e.g. _NET_WM_STATE."""
    with XConnection() as x:
        return x.atoms(window, prop)


def window_name(window):
    with XConnection() as x:
        return x.text(window, "_NET_WM_NAME")


def windows_of(pid, visible=True):
    """The windows that carry pid as their _NET_WM_PID (Qt sets it on every window it makes)."""
    with XConnection() as x:
        windows = x.windows_of(pid)
        if visible:
            windows = [w for w in windows if (x.attributes(w) or {}).get("viewable")]
        return windows


def grab_area(x, y, width, height, path=None):
    """A PNG of a rectangle of the screen as it is shown (root window, so transparency shows what is beneath)."""
    target = "png:%s" % path if path else "png:-"
    return subprocess.run(["import", "-silent", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                           "+repage", target], stdout=subprocess.PIPE, check=True, timeout=30).stdout


def screen_pixels(x, y, width, height):
    """Rows of (r, g, b) of a rectangle of the screen; the part of it that lies off the screen is left out."""
    with XConnection() as connection:
        screen_width, screen_height = connection.screen_size()
        left, top = max(x, 0), max(y, 0)
        right, bottom = min(x + width, screen_width), min(y + height, screen_height)
        if right <= left or bottom <= top:
            return []
        return connection.root_pixels(left, top, right - left, bottom - top)


# --- the panel: taskbar and tray ---

TASK_COLOUR = (255, 0, 0)


_panel = []


def panel_window():
    """tint2's panel window (the wide one; tint2 has a few small helper windows too)."""
    if _panel and is_viewable(_panel[0]):
        return _panel[0]
    _panel.clear()
    if not tray_owner():
        raise DesktopError("no tray host is running")
    for window in [int(w) for w in xdotool("search", "--class", "tint2", check=False).split()]:
        attrs = window_attributes(window)
        if attrs and attrs["viewable"] and attrs["width"] > 200:
            _panel.append(window)
            return window
    raise DesktopError("tint2's panel is not mapped")


def taskbar_count():
    """How many task buttons tint2 shows: our tint2rc paints every task as a solid red block on a grey panel."""
    x, y, width, height = window_geometry(panel_window())
    row = screen_pixels(x, y + height // 2, width, 1)[0]
    count, inside = 0, False
    for pixel in row:
        red = pixel == TASK_COLOUR
        if red and not inside:
            count += 1
        inside = red
    return count


def tray_icons():
    """Windows embedded in tint2's tray, with their absolute geometry."""
    icons = []
    with XConnection() as x:
        panels = [int(w) for w in xdotool("search", "--class", "tint2", check=False).split()]
        stack = list(panels)
        seen = set()
        while stack:
            window = stack.pop()
            if window in seen:
                continue
            seen.add(window)
            for child in x.children(window):
                stack.append(child)
                if child not in panels:
                    icons.append(child)
    return icons


# --- the program ---

def _gbk_ini(lines):
    text = "[%s]\r\n" % SECTION + "".join(line + "\r\n" for line in lines)
    return text.encode("gbk")


def parse_ini(data, section=SECTION):
    """Keys and values of one section, in file order; GBK; CR LF or LF line ends."""
    values, current = {}, None
    for raw in data.split(b"\n"):
        line = raw.rstrip(b"\r")
        stripped = line.strip()
        if stripped.startswith(b"[") and stripped.endswith(b"]"):
            current = stripped[1:-1].decode("gbk", errors="replace")
            continue
        if current != section or b"=" not in line:
            continue
        key, _, value = line.partition(b"=")
        values[key.decode("gbk", errors="replace").strip()] = value.decode("gbk", errors="replace")
    return values


def _faketime_library():
    for pattern in ("/usr/lib/*/faketime/libfaketime.so.1", "/usr/lib/faketime/libfaketime.so.1"):
        found = glob.glob(pattern)
        if found:
            return found[0]
    raise DesktopError("libfaketime is not installed (Debian package faketime)")


class Program:
    """One run of the real program in a folder of its own."""

    def __init__(self, ini_lines=None, faketime=None, env=None, compositor=False):
        binary = os.environ.get("ORRINVALE_BINARY")
        if not binary or not os.path.exists(binary):
            raise DesktopError("ORRINVALE_BINARY does not name the program: %r" % binary)
        if not os.environ.get("DISPLAY"):
            raise DesktopError("no DISPLAY: run the tests under scripts/with_desktop.sh")
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix="orrinvale-e2e-"))
        self.binary = self.folder / os.path.basename(binary)
        shutil.copy2(binary, self.binary)
        if ini_lines is not None:
            (self.folder / SETTINGS_FILE).write_bytes(_gbk_ini(ini_lines))
        self.faketime = faketime
        self.extra_env = dict(env or {})
        self.compositor = compositor
        self.process = None
        self.compositor_process = None
        self.window = None
        self.output = self.folder / "output.log"
        self.taskbar_before = None
        self.started_at = None

    # context management: always leave nothing running and nothing behind
    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        self.kill()
        if self.compositor_process and self.compositor_process.poll() is None:
            self.compositor_process.terminate()
            try:
                self.compositor_process.wait(5)
            except subprocess.TimeoutExpired:
                self.compositor_process.kill()
                self.compositor_process.wait()
        self.compositor_process = None
        shutil.rmtree(self.folder, ignore_errors=True)

    # --- running ---
    def start(self):
        if self.compositor and self.compositor_process is None:
            self.compositor_process = subprocess.Popen(["xcompmgr"], stdout=subprocess.DEVNULL,
                                                       stderr=subprocess.DEVNULL)
            wait_for("the compositing manager",
                     lambda: XConnection_selection("_NET_WM_CM_S0"), timeout=10)
        self.window = None
        self.taskbar_before = taskbar_count()
        env = dict(os.environ)
        env.update(self.extra_env)
        if self.faketime:
            env["LD_PRELOAD"] = _faketime_library()
            env["FAKETIME"] = self.faketime
            # Qt's timers run on the monotonic clock; only the wall clock is shifted.
            env["FAKETIME_DONT_FAKE_MONOTONIC"] = "1"
            env["FAKETIME_NO_CACHE"] = "1"
        with open(self.output, "wb") as out:
            self.started_at = time.monotonic()
            self.process = subprocess.Popen([str(self.binary)], cwd=str(self.folder), env=env,
                                            stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT)
        return self

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process is not None and self.process.poll() is None

    def _strip_candidates(self):
        """Our mapped managed windows that are not input boxes. The tray icon and the menu are
        override-redirect, so the window manager never sees them."""
        found = []
        for window in windows_of(self.pid):
            attrs = window_attributes(window)
            if attrs is None or not attrs["viewable"] or attrs["override_redirect"]:
                continue
            if "_NET_WM_WINDOW_TYPE_DIALOG" in atom_list(window, "_NET_WM_WINDOW_TYPE"):
                continue
            found.append(window)
        return found

    def _in_tray(self, window):
        with XConnection() as x:
            panels = set(int(w) for w in xdotool("search", "--class", "tint2", check=False).split())
            ancestor = x.parent(window)
            while ancestor and ancestor != x.root:
                if ancestor in panels:
                    return True
                ancestor = x.parent(ancestor)
        return False

    def wait_mapped(self, timeout=10):
        def mapped():
            if not self.running():
                raise DesktopError("the program ended (code %s) before its strip was mapped:\n%s"
                                   % (self.process.poll(), self.log()))
            candidates = self._strip_candidates()
            return candidates[0] if candidates else None

        self.window = wait_for("the strip to be mapped", mapped, timeout=timeout)
        return self.window

    def wait_exit(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise DesktopError("the program did not end within %s s" % timeout)

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def log(self):
        try:
            return self.output.read_text(errors="replace")
        except OSError:
            return ""

    # --- the strip ---
    def _strip(self):
        if self.window is None:
            self.wait_mapped()
        return self.window

    def geometry(self):
        return window_geometry(self._strip())

    def net_wm_state(self):
        return atom_list(self._strip(), "_NET_WM_STATE")

    def in_taskbar(self, settle=1.0):
        """Whether tint2 shows a task for the strip: more task buttons than before the program started."""
        deadline = time.monotonic() + settle
        while True:
            if taskbar_count() > self.taskbar_before:
                return True
            if time.monotonic() >= deadline:
                return False
            time.sleep(0.1)

    def grab(self, path=None):
        x, y, width, height = self.geometry()
        return grab_area(x, y, width, height, path)

    def pixels(self):
        x, y, width, height = self.geometry()
        return screen_pixels(x, y, width, height)

    # --- the tray icon and its menu ---
    def tray_icon(self):
        """The program's icon window in tint2's tray (XEmbed puts it inside tint2's panel)."""
        def find():
            ours = set(windows_of(self.pid, visible=False))
            for window in tray_icons():
                if window in ours and is_viewable(window):
                    return window
            return None

        return wait_for("the tray icon", find, timeout=10)

    def click_tray_icon(self, button=1, repeat=1):
        icon = self.tray_icon()
        x, y, width, height = window_geometry(icon)
        move_pointer(x + width // 2, y + height // 2)
        xdotool("click", "--repeat", repeat, "--delay", 80, button)

    def open_tray_menu(self):
        # A panel still laying out its tray (icons of programs that just ended leave it) can move the icon
        # from under a click; a person whose click did nothing clicks again.
        attempts = 3
        for attempt in range(attempts):
            self.click_tray_icon(3)
            try:
                menu = wait_for("the tray menu", self._open_menu, timeout=2.5)
                break
            except DesktopError:
                if attempt == attempts - 1:
                    raise
        # Out of the way, so the pointer does not pick an item while the keyboard walks the menu.
        move_pointer(0, 0)
        return menu

    def _open_menu(self):
        """The tray menu's window: a mapped override-redirect window of ours that is neither the strip nor
        the tray icon (Qt gives popups no dependable window type here)."""
        for window in windows_of(self.pid):
            if window == self.window or self._in_tray(window):
                continue
            if is_override_redirect(window):
                return window
        return None

    def menu_open(self):
        return self._open_menu() is not None

    def pick(self, path, disabled=()):
        """Opens the tray menu and walks it with the keyboard to path (captions, top level first), then
        activates the item. Separators and the captions in `disabled` are skipped, as Qt's keyboard does."""
        if self.dialog_open():
            raise DesktopError("an input box is open; the tray menu does not open then")
        keys = menu_keys(path, disabled)
        self.open_tray_menu()
        # One xdotool call with a pause between keys: Qt opens a submenu on Right before the next key comes.
        xdotool("key", "--delay", int(KEY_DELAY * 1000), *keys)
        wait_for("the menu to close", lambda: not self.menu_open(), timeout=5)

    # --- input boxes ---
    def _dialog(self):
        for window in windows_of(self.pid):
            if "_NET_WM_WINDOW_TYPE_DIALOG" in atom_list(window, "_NET_WM_WINDOW_TYPE"):
                return window
        return None

    def dialog_open(self):
        return self.running() and self._dialog() is not None

    def dialog_title(self):
        window = self._dialog()
        return window_name(window) if window else None

    def answer_dialog(self, text, ok=True, timeout=10):
        """Waits for the modal input box, replaces its text with `text` (None keeps the initial text) and
        presses Return (Escape if not ok)."""
        window = wait_for("the input box", self._dialog, timeout=timeout)
        xdotool("windowactivate", "--sync", window, check=False)
        xdotool("windowfocus", "--sync", window, check=False)
        time.sleep(SETTLE)
        if text is not None:
            xdotool("key", "ctrl+a")
            xdotool("key", "BackSpace")
            if text:
                xdotool("type", "--delay", "100", text)
        time.sleep(SETTLE)
        xdotool("key", "Return" if ok else "Escape")
        wait_for("the input box to close", lambda: not self.dialog_open(), timeout=5)

    # --- the settings file ---
    def ini_bytes(self):
        path = self.folder / SETTINGS_FILE
        return path.read_bytes() if path.exists() else None

    def ini(self):
        data = self.ini_bytes()
        return parse_ini(data) if data is not None else {}


class ClickRecorder:
    """An ordinary window (xev from x11-utils) that records the button presses it receives, to put under the
    strip and see which clicks pass through it."""

    def __init__(self, x, y, width, height):
        self.log = pathlib.Path(tempfile.mkstemp(prefix="orrinvale-xev-")[1])
        self.name = "orrinvale-click-recorder-%d" % os.getpid()
        with open(self.log, "wb") as out:
            self.process = subprocess.Popen(["xev", "-name", self.name, "-geometry",
                                             "%dx%d+%d+%d" % (width, height, x, y), "-event", "button"],
                                            stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT)
        self.window = wait_for("the click recorder window", self._find, timeout=10)

    def _find(self):
        found = [int(w) for w in xdotool("search", "--onlyvisible", "--name", "^%s$" % self.name,
                                         check=False).split()]
        return found[0] if found else None

    def presses(self):
        return self.log.read_text(errors="replace").count("ButtonPress event")

    def geometry(self):
        return window_geometry(self.window)

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(5)
        self.log.unlink(missing_ok=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False


def XConnection_selection(name):
    with XConnection() as x:
        return x.selection_owner(name)


def menu_keys(path, disabled=()):
    """The keys that walk the tray menu to path. In a menu just opened the first Down selects the first item;
    Right opens a submenu with its first item selected; each further Down goes to the next selectable item;
    Return runs the target."""
    keys = ["Down"]
    level = MENU
    for depth, caption in enumerate(path):
        selectable = [entry for entry in level if entry is not None and _caption(entry) not in disabled]
        captions = [_caption(entry) for entry in selectable]
        if caption not in captions:
            if caption in [_caption(e) for e in level if e is not None]:
                raise DesktopError("%s is disabled" % caption)
            raise DesktopError("no item %s in the menu here" % caption)
        index = captions.index(caption)
        keys += ["Down"] * index
        entry = selectable[index]
        submenu = entry[1] if isinstance(entry, tuple) else None
        if depth < len(path) - 1:
            if not submenu:
                raise DesktopError("%s has no submenu" % caption)
            keys.append("Right")
            level = submenu
        else:
            if submenu:
                raise DesktopError("%s opens a submenu; name an item of it" % caption)
            keys.append("Return")
    return keys


def _caption(entry):
    return entry[0] if isinstance(entry, tuple) else entry


def _main(argv):
    command = argv[1] if len(argv) > 1 else ""
    if command == "set-root-colour":
        with XConnection() as x:
            x.set_root_colour(*([int(v) for v in argv[2:5]] or ROOT_COLOUR))
        return 0
    if command == "wm-ready":
        return 0 if window_manager_ready() else 1
    if command == "tray-ready":
        return 0 if tray_owner() else 1
    print("usage: desktop.py set-root-colour [R G B] | wm-ready | tray-ready", file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(_main(sys.argv))
