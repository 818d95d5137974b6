"""A colour set picked through the tray menu on the real program: shown on the strip and stored at exit."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import Program  # noqa: E402

# Every colour set the strip can take: time bar text, separator, event bar text, each (red, green, blue).
COLOR_SETS = [
    ((255, 102, 0), (255, 255, 102), (0, 153, 102)),
    ((255, 153, 153), (153, 102, 153), (255, 204, 204)),
    ((0, 153, 204), (204, 204, 204), (255, 102, 102)),
    ((204, 51, 51), (204, 204, 204), (0, 51, 102)),
    ((204, 0, 51), (51, 51, 51), (204, 204, 0)),
    ((255, 102, 102), (255, 255, 0), (0, 102, 204)),
    ((255, 0, 51), (51, 51, 153), (204, 204, 0)),
    ((204, 0, 51), (1, 0, 0), (0, 51, 153)),
    ((0, 51, 153), (255, 153, 0), (255, 204, 0)),
    ((153, 0, 51), (204, 255, 102), (255, 153, 0)),
    ((255, 153, 0), (102, 51, 0), (204, 204, 102)),
    ((204, 204, 51), (255, 255, 255), (204, 255, 204)),
    ((51, 153, 102), (204, 204, 204), (0, 51, 0)),
    ((204, 204, 204), (255, 255, 255), (153, 51, 204)),
    ((153, 51, 51), (204, 153, 102), (0, 51, 0)),
    ((0, 102, 51), (153, 0, 51), (255, 153, 0)),
    ((51, 153, 153), (255, 255, 255), (153, 204, 255)),
    ((102, 204, 204), (204, 255, 102), (255, 153, 204)),
    ((255, 204, 0), (0, 153, 153), (204, 51, 51)),
    ((204, 204, 153), (51, 51, 51), (153, 102, 204)),
    ((204, 51, 153), (255, 204, 153), (255, 102, 102)),
    ((255, 204, 153), (204, 255, 153), (204, 204, 204)),
    ((102, 204, 204), (204, 255, 102), (255, 153, 204)),
    ((255, 0, 51), (51, 51, 153), (204, 204, 0)),
    ((255, 0, 51), (204, 204, 0), (0, 102, 153)),
    ((204, 51, 51), (204, 204, 204), (0, 51, 102)),
    ((204, 0, 51), (1, 0, 0), (0, 51, 153)),
    ((204, 0, 51), (51, 51, 51), (204, 204, 0)),
    ((102, 102, 102), (255, 102, 0), (51, 51, 51)),
    ((204, 102, 153), (153, 204, 102), (153, 51, 102)),
    ((255, 153, 153), (255, 204, 204), (255, 153, 204)),
    ((204, 204, 102), (102, 0, 51), (204, 102, 0)),
    ((153, 153, 102), (204, 204, 153), (51, 153, 153)),
    ((0, 102, 0), (204, 255, 153), (102, 204, 102)),
    ((102, 102, 0), (204, 204, 102), (204, 255, 204)),
    ((204, 204, 153), (51, 51, 51), (153, 102, 204)),
    ((153, 0, 51), (204, 255, 102), (255, 153, 0)),
    ((102, 102, 51), (204, 204, 51), (204, 51, 102)),
    ((51, 102, 51), (153, 0, 51), (255, 204, 153)),
    ((51, 102, 51), (204, 204, 153), (51, 51, 102)),
    ((102, 51, 0), (153, 153, 51), (51, 51, 51)),
    ((0, 153, 204), (204, 255, 102), (102, 102, 102)),
    ((51, 102, 153), (255, 255, 102), (102, 153, 255)),
    ((102, 102, 102), (204, 204, 204), (0, 51, 0)),
    ((102, 153, 153), (204, 204, 204), (102, 102, 102)),
    ((102, 153, 204), (0, 102, 153), (1, 0, 0)),
    ((51, 102, 204), (204, 204, 102), (51, 51, 0)),
    ((0, 51, 102), (204, 204, 204), (0, 102, 153)),
    ((204, 255, 153), (255, 255, 255), (153, 204, 255)),
    ((204, 255, 204), (255, 255, 255), (102, 204, 204)),
    ((204, 204, 255), (255, 255, 255), (153, 204, 255)),
    ((102, 204, 255), (255, 255, 255), (204, 255, 255)),
]


def value(rgb):
    r, g, b = rgb
    return r + 256 * g + 65536 * b


TABLE = {(value(t), value(s), value(e)) for t, s, e in COLOR_SETS}

# A colouring that is in no set, so a pick that did nothing cannot pass.
START = ["时间条颜色=65793", "分隔线颜色=131586", "事件条颜色6条同色=197379"]


class ColorSetThroughTheTrayMenu(unittest.TestCase):
    @staticmethod
    def separator_colour(program):
        """The colour most of row 19 (the separator, below the 19-pixel time bar) shows on screen."""
        row = program.pixels()[19]
        return max(set(row), key=row.count)

    def wait_separator(self, program, settled, timeout=5.0):
        deadline = time.monotonic() + timeout
        colour = self.separator_colour(program)
        while not settled(colour) and time.monotonic() < deadline:
            time.sleep(0.1)
            colour = self.separator_colour(program)
        return colour

    def test_picked_set_is_shown_and_stored(self):
        self.assertEqual(len(COLOR_SETS), 52)
        self.assertEqual(len(TABLE), 45)
        with Program(ini_lines=START) as p:
            p.start()
            p.wait_mapped()
            self.assertEqual(self.wait_separator(p, lambda c: c == (2, 2, 2)), (2, 2, 2))
            p.pick(["换一组颜色吧"])
            # The separator row takes the new set's separator colour (never 0, 0, 0 in the table).
            shown = self.wait_separator(p, lambda c: c != (2, 2, 2))
            p.pick(["其它功能", "退出程序"])
            self.assertEqual(p.wait_exit(), 0)
            ini = p.ini()
        stored = (int(ini["时间条颜色"]), int(ini["分隔线颜色"]), int(ini["事件条颜色6条同色"]))
        self.assertIn(stored, TABLE)
        self.assertEqual(value(shown), stored[1])


if __name__ == "__main__":
    unittest.main()
