"""The mouse on the real strip: its text drags it, its transparent pixels let clicks through to what lies beneath."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import ClickRecorder, Program, move_pointer, near, wait_for, xdotool  # noqa: E402

BAR_COLOUR = (0, 153, 102)
# Solid blocks give a press point well inside the glyphs.
BAR_TEXT = "■■■■■■拖动这一条"
BAR1_ROWS = range(21, 40)
BAR6_ROWS = range(116, 135)


def solid_point(pixels, colour, rows):
    """A pixel of the given colour whose eight neighbours have it too, or None."""
    for y in rows:
        if y <= 0 or y + 1 >= len(pixels):
            continue
        for x in range(1, len(pixels[y]) - 1):
            if all(near(pixels[y + dy][x + dx], colour) for dy in (-1, 0, 1) for dx in (-1, 0, 1)):
                return x, y
    return None


def stopped_bar_one(p):
    """Starts p with BAR_TEXT on bar 1 and stops bar 1, which puts its text still at the left edge."""
    p.start()
    p.wait_mapped()
    p.pick(["事件条1", "停止滚动（文本不要长否则显示不全哦）"])
    return wait_for("bar 1's text at the left edge", lambda: solid_point(p.pixels(), BAR_COLOUR, BAR1_ROWS))


class Pointer(unittest.TestCase):
    def test_dragging_the_text_moves_the_strip_and_exit_stores_the_place(self):
        with Program(ini_lines=["事件条1内容=" + BAR_TEXT]) as p:
            x, y = stopped_bar_one(p)
            left, top, width, height = p.geometry()
            self.assertEqual((left, top), (906, 20))

            start = (left + x, top + y)
            move_pointer(*start)
            xdotool("mousedown", "1")
            for step in range(1, 11):
                move_pointer(start[0] - 50 * step, start[1] + 40 * step)
                time.sleep(0.03)
            xdotool("mouseup", "1")
            try:
                wait_for("the strip at its new place", lambda: p.geometry()[:2] == (406, 420), timeout=5)
            except AssertionError:
                self.assertEqual(p.geometry()[:2], (406, 420), "the strip did not follow the drag")
            self.assertEqual(p.geometry()[2:], (width, height))

            p.pick(["其它功能", "退出程序"])
            self.assertEqual(p.wait_exit(), 0)
            settings = p.ini()
            self.assertEqual((settings["窗口左边"], settings["窗口顶边"]), ("406", "420"))

            p.start()
            p.wait_mapped()
            self.assertEqual(p.geometry(), (406, 420, width, height))

    def check_clicks(self, p):
        x, y = stopped_bar_one(p)
        left, top, width, height = p.geometry()
        with ClickRecorder(left - 100, top - 10, width + 200, height + 200) as beneath:
            xdotool("windowactivate", "--sync", beneath.window, check=False)
            time.sleep(0.3)
            baseline = beneath.presses()

            # Bar 6 is empty: every pixel of it is the transparent key colour.
            empty = (left + width // 2, top + BAR6_ROWS[len(BAR6_ROWS) // 2])
            move_pointer(*empty)
            xdotool("click", "1")
            wait_for("the click to reach the window beneath",
                     lambda: beneath.presses() == baseline + 1, timeout=5)

            # On the text the strip takes the click itself, and a click without a move leaves it in place.
            move_pointer(left + x, top + y)
            xdotool("click", "1")
            time.sleep(0.8)
            self.assertEqual(beneath.presses(), baseline + 1, "a click on the text went through the strip")
            self.assertEqual(p.geometry(), (left, top, width, height))

    def test_clicks_pass_through_transparent_pixels_only(self):
        with Program(ini_lines=["事件条1内容=" + BAR_TEXT]) as p:
            self.check_clicks(p)

    def test_clicks_pass_through_transparent_pixels_only_with_a_compositing_manager(self):
        with Program(ini_lines=["事件条1内容=" + BAR_TEXT], compositor=True) as p:
            self.check_clicks(p)


if __name__ == "__main__":
    unittest.main()
