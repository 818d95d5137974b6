"""A timed event on the real program: set through the tray menu, fired by a shifted clock, heard through
SDL's disk audio driver, which writes what would be played to a file in real time."""

import array
import datetime
import os
import shutil
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import Program, ShiftedClock, changed_columns, parse_ini  # noqa: E402

START = datetime.datetime(2026, 12, 11, 9, 29, 15)
ALARM_AT = datetime.datetime(2026, 12, 11, 9, 30, 0)
ENTRY = "9:30|开会"

# Bar 2 sits below the time bar (19), the separator (2) and bar 1 (19).
BAR2_ROWS = range(40, 59)


def settled_pixels(program, rows, timeout=5.0):
    """The strip's pixels once two grabs in a row agree on `rows`: the first paint after mapping is done."""
    before = program.pixels()
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        time.sleep(0.3)
        now = program.pixels()
        if not changed_columns(now, before, rows):
            return now
        before = now
    return before


def loud_samples(path):
    """16-bit samples of the capture beyond a quiet level; the device writes signed 16-bit little-endian."""
    if not os.path.exists(path):
        return 0
    samples = array.array("h")
    with open(path, "rb") as f:
        data = f.read()
    samples.frombytes(data[: len(data) // 2 * 2])
    return sum(1 for s in samples if abs(s) > 3000)


def size(path):
    return os.path.getsize(path) if os.path.exists(path) else 0


class TimedEventEndToEnd(unittest.TestCase):
    def setUp(self):
        self.audio = tempfile.mkdtemp(prefix="orrinvale-audio-")
        self.capture = os.path.join(self.audio, "captured.raw")

    def tearDown(self):
        shutil.rmtree(self.audio, ignore_errors=True)

    def test_timed_event_waits_blank_then_scrolls_in_with_the_chime(self):
        clock = ShiftedClock(START)
        ini = [
            "几条事件条=六条",
            "事件条2内容=",
            "事件条2滚动步调=4",
            "开启音乐报警=真",
            "音乐文件地址=",
            "每日事件记录真假=真",
            "窗口左边=40",
            "窗口顶边=60",
        ]
        env = {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": self.capture}
        with Program(ini_lines=ini, faketime="@" + START.strftime("%Y-%m-%d %H:%M:%S"), env=env) as p:
            clock.begin()
            p.start()
            p.wait_mapped()
            baseline = settled_pixels(p, BAR2_ROWS)

            p.pick(["事件条2", "设置事件内容"])
            p.answer_dialog(ENTRY)
            self.assertLess(clock.now(), ALARM_AT - datetime.timedelta(seconds=5),
                            "the entry must be in well before its minute; the machine was too slow")
            # The bar's text is stored at once; the day's record holds it under the minute of entry.
            self.assertEqual(p.ini()["事件条2内容"], "开会")
            record = p.folder / "每日记" / "2026年12月11日.ini"
            self.assertTrue(record.exists(), "the record folder and the day's file are made")
            self.assertEqual(parse_ini(record.read_bytes(), "每日记：2026年12月11日"), {"9：29": "开会"})

            # Waiting: the row stays transparent and nothing has opened the audio device.
            while clock.now() < ALARM_AT - datetime.timedelta(seconds=1.5):
                self.assertEqual(changed_columns(p.pixels(), baseline, BAR2_ROWS), set(), "bar 2 waits blank")
                time.sleep(0.5)
            self.assertFalse(os.path.exists(self.capture), "an idle strip holds no audio stream")

            sounded = appeared = None
            while clock.now() < ALARM_AT + datetime.timedelta(seconds=10) and not (sounded and appeared):
                if sounded is None and loud_samples(self.capture) > 0:
                    sounded = clock.now()
                if appeared is None:
                    columns = changed_columns(p.pixels(), baseline, BAR2_ROWS)
                    if columns:
                        appeared = clock.now()
                        self.assertGreater(min(columns), p.geometry()[2] - 120, "it comes in from the right")
                time.sleep(0.1)
            self.assertIsNotNone(sounded, "the chime was never heard")
            self.assertIsNotNone(appeared, "the text never appeared")
            for moment in (sounded, appeared):
                self.assertGreaterEqual(moment, ALARM_AT - datetime.timedelta(seconds=1.5))

            # 停止播放 silences it at once: the capture stops growing, and the bar keeps scrolling.
            self.assertGreater(size(self.capture), 0)
            p.pick(["停止播放"])
            time.sleep(0.5)
            stopped_size = size(self.capture)
            first = changed_columns(p.pixels(), baseline, BAR2_ROWS)
            time.sleep(1.5)
            self.assertEqual(size(self.capture), stopped_size, "nothing more is played after 停止播放")
            self.assertNotEqual(changed_columns(p.pixels(), baseline, BAR2_ROWS), first, "bar 2 still scrolls")

            p.pick(["其它功能", "退出程序"])
            self.assertEqual(p.wait_exit(), 0)
            self.assertEqual(p.ini()["事件条2内容"], "开会")


if __name__ == "__main__":
    unittest.main()
