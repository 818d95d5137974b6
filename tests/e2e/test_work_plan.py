"""The one-day work plan on the real program: entered through the tray menu, fired by a shifted clock."""

import datetime
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import Program, ShiftedClock, changed_columns  # noqa: E402

START = datetime.datetime(2026, 12, 11, 9, 29, 15)
FIRST_AT = datetime.datetime(2026, 12, 11, 9, 30, 0)
SECOND_AT = datetime.datetime(2026, 12, 11, 9, 31, 0)
FIRST_TEXT = "开会"
SECOND_TEXT = "WWWWWWWWWWWWWWWWWWWWWWWW"
PLAN = "1.9:30|" + FIRST_TEXT + "*2.9:31|" + SECOND_TEXT

# Bar 1 sits below the time bar (19) and the separator (2).
BAR1_ROWS = range(21, 40)


def extent(columns):
    return max(columns) - min(columns) + 1 if columns else 0


class WorkPlanEndToEnd(unittest.TestCase):
    def test_plan_entered_from_the_tray_fires_its_entries_on_bar_one(self):
        clock = ShiftedClock(START)
        ini = [
            "几条事件条=六条",
            "事件条1内容=",
            # A bigger step brings a text in quickly enough to measure it within seconds.
            "事件条1滚动步调=4",
            "窗口左边=40",
            "窗口顶边=60",
        ]
        with Program(ini_lines=ini, faketime="@" + START.strftime("%Y-%m-%d %H:%M:%S")) as p:
            clock.begin()
            p.start()
            p.wait_mapped()
            self.assertEqual(p.geometry()[3], 135)

            p.pick(["事件条1", "一天工作计划模式"])
            p.answer_dialog(PLAN)
            deadline = time.monotonic() + 10
            while p.geometry()[3] != 40 and time.monotonic() < deadline:
                time.sleep(0.2)
            self.assertEqual(p.geometry()[3], 40, "the strip shrinks to the time bar, separator and bar 1")
            self.assertLess(clock.now(), FIRST_AT - datetime.timedelta(seconds=3),
                            "the plan must be in before its first minute; the machine was too slow")

            baseline = p.pixels()
            self.assertEqual(changed_columns(p.pixels(), baseline, BAR1_ROWS), set())

            # Nothing shows on bar 1 before the first minute.
            clock.wait_until(FIRST_AT - datetime.timedelta(seconds=2))
            self.assertEqual(changed_columns(p.pixels(), baseline, BAR1_ROWS), set(), "bar 1 is empty before 9:30")

            # The first entry enters from the right edge at its minute.
            appeared = None
            while clock.now() < FIRST_AT + datetime.timedelta(seconds=10):
                columns = changed_columns(p.pixels(), baseline, BAR1_ROWS)
                if columns:
                    appeared = clock.now()
                    break
                time.sleep(0.2)
            self.assertIsNotNone(appeared, "the first entry never appeared")
            self.assertGreaterEqual(appeared, FIRST_AT - datetime.timedelta(seconds=1.5))
            width = p.geometry()[2]
            self.assertGreater(min(columns), width - 120, "it comes in from the right edge")

            first_widths = []
            while clock.now() < SECOND_AT - datetime.timedelta(seconds=3):
                first_widths.append(extent(changed_columns(p.pixels(), baseline, BAR1_ROWS)))
                time.sleep(1)
            first_width = max(first_widths)
            self.assertGreater(first_width, 0)
            self.assertLess(first_width, 80, "a two-character text")

            # At the next minute the second, much longer text replaces it.
            replaced = None
            while clock.now() < SECOND_AT + datetime.timedelta(seconds=15):
                if extent(changed_columns(p.pixels(), baseline, BAR1_ROWS)) > 2 * first_width + 40:
                    replaced = clock.now()
                    break
                time.sleep(0.2)
            self.assertIsNotNone(replaced, "the second entry never replaced the first")
            self.assertGreaterEqual(replaced, SECOND_AT - datetime.timedelta(seconds=1.5))

            p.pick(["其它功能", "退出程序"])
            self.assertEqual(p.wait_exit(), 0)
            settings = p.ini()
            self.assertEqual(settings["事件条1内容"], SECOND_TEXT)
            self.assertEqual(settings["一天工作计划模式"], "真")
            self.assertEqual(settings["几条事件条"], "一条")


if __name__ == "__main__":
    unittest.main()
