"""Without a compositing manager, over a published wallpaper: the strip paints the wallpaper into its key-coloured
pixels itself and keeps a plain rectangle, so the X server has no shape to follow at each scroll step; once a
window lies beneath it, its exact shape is back and that window shows through."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import ClickRecorder, Program, Wallpaper, XConnection, near, wait_for  # noqa: E402

STRIPES = [(200, 40, 40), (40, 200, 40), (40, 40, 200), (220, 220, 60)]
TEXT_COLOUR = (0, 153, 102)  # the bars' default colour
EMPTY_ROWS = range(45, 135)  # bars 2 to 6, without text
TEXT_ROWS = range(22, 38)    # bar 1
EXACT = 8  # the wallpaper is copied, not blended: only rounding may differ


class OverTheWallpaper(unittest.TestCase):
    def test_the_wallpaper_is_painted_in_until_a_window_comes_beneath(self):
        # Bar 1 scrolls a text in quickly; the other bars stay empty.
        with Wallpaper(STRIPES, 7) as wall, Program(ini_lines=["事件条1内容=上午九点开会带上笔记本电脑",
                                                               "事件条1滚动步调=40"]) as p:
            p.start()
            strip = p.wait_mapped()
            left = p.geometry()[0]

            def bounding_rectangles():
                with XConnection() as x:
                    return x.shape_rectangle_count(strip)

            def shows(beneath):
                pixels = p.pixels()
                expected = lambda column: beneath or wall.colour_at(left + column)  # noqa: E731
                empty = all(near(pixels[y][c], expected(c), EXACT) for y in EMPTY_ROWS for c in range(0, 600, 3))
                row = [pixels[y][c] for y in TEXT_ROWS for c in range(600)]
                text = sum(1 for px in row if near(px, TEXT_COLOUR, 30))
                seen = all(near(px, TEXT_COLOUR, 30) or near(px, expected(i % 600), EXACT) for i, px in enumerate(row))
                return empty and seen and text > 100

            wait_for("the wallpaper between the letters and a plain window", lambda: bounding_rectangles() == 1
                     and shows(None), timeout=10)

            # xev's own small child window sits near its top left corner: keep it left of the strip.
            x, y, width, height = p.geometry()
            with ClickRecorder(x - 100, y, width + 200, height + 40):
                wait_for("the window beneath seen between the letters, through an exact shape",
                         lambda: bounding_rectangles() > 50 and shows((255, 255, 255)), timeout=10)

            wait_for("the wallpaper painted in again", lambda: bounding_rectangles() == 1 and shows(None),
                     timeout=10)


if __name__ == "__main__":
    unittest.main()
