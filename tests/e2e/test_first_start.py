"""The real program's first start, its place on the desktop, the tray icon and the settings written at exit."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import SETTINGS_FILE, ClickRecorder, Program, near, parse_ini, taskbar_count, wait_for, xdotool  # noqa: E402

SPEED_KEYS = ["事件条%d滚动速度" % n for n in range(1, 7)]
CONTENT_KEYS = ["事件条%d内容" % n for n in range(1, 7)]
STEP_KEYS = ["事件条%d滚动步调" % n for n in range(1, 7)]

# What "退出程序" writes into a file that starts empty, in the order it writes it.
FIRST_EXIT = (
    [("几条事件条", "六条"), ("时间条滚动速度", "50"), ("不要时间条", "假"), ("字体加粗", "假")]
    + [(key, "100") for key in SPEED_KEYS]
    + [(key, "") for key in CONTENT_KEYS]
    + [("时间条颜色", "26367"), ("分隔线颜色", "6750207"), ("事件条颜色6条同色", "6723840")]
    + [("开启音乐报警", "假"), ("音乐文件地址", ""), ("每日事件记录真假", "假"), ("一天工作计划模式", "假")]
    + [("时钟条滚动步调", "1")]
    + [(key, "1") for key in STEP_KEYS]
    + [("窗口宽度", "600"), ("窗口左边", "906"), ("窗口顶边", "20")]
)

SEPARATOR_COLOUR = (255, 255, 102)


def ini_file(section_lines, tail=b""):
    return ("[Orrinvale]\r\n" + "".join("%s=%s\r\n" % kv for kv in section_lines)).encode("gbk") + tail


class FirstStart(unittest.TestCase):
    def test_first_start_creates_an_empty_file_and_exit_writes_all_33_keys_in_order(self):
        with Program() as p:
            self.assertFalse((p.folder / SETTINGS_FILE).exists())
            p.start()
            p.wait_mapped()
            self.assertEqual(p.ini_bytes(), b"", "the settings file is created empty at start")
            self.assertEqual(p.geometry(), (906, 20, 600, 135))

            p.pick(["其它功能", "退出程序"])
            self.assertEqual(p.wait_exit(), 0)
            self.assertEqual(len(FIRST_EXIT), 33)
            self.assertEqual(p.ini_bytes(), ini_file(FIRST_EXIT))

    def test_the_strip_floats_above_other_windows_and_is_not_in_the_taskbar(self):
        with Program() as p:
            p.start()
            p.wait_mapped()
            self.assertIn("_NET_WM_STATE_ABOVE", p.net_wm_state())
            self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", p.net_wm_state())
            self.assertFalse(p.in_taskbar(), "tint2 lists the strip in its taskbar")

            # An ordinary window over the same place, activated: tint2 lists it (so the check above can see a
            # task), and the strip stays on top of it.
            tasks = taskbar_count()
            x, y, width, height = p.geometry()
            with ClickRecorder(x - 50, y, width + 100, height + 100) as other:
                xdotool("windowactivate", "--sync", other.window, check=False)
                wait_for("the other window's task", lambda: taskbar_count() == tasks + 1, timeout=5)
                time.sleep(0.3)
                separator_row = p.pixels()[19]
                lit = sum(1 for pixel in separator_row if near(pixel, SEPARATOR_COLOUR))
                self.assertGreater(lit, width * 0.9, "the separator line is hidden by the window below")

    def test_only_a_right_click_on_the_tray_icon_opens_the_menu(self):
        with Program() as p:
            p.start()
            p.wait_mapped()
            p.click_tray_icon(1)
            p.click_tray_icon(1, repeat=2)
            time.sleep(0.8)
            self.assertFalse(p.menu_open(), "a left click or double click opened the menu")
            p.open_tray_menu()
            self.assertTrue(p.menu_open())
            xdotool("key", "Escape")

    def test_settings_are_restored_and_written_back_from_the_live_strip(self):
        seeded = [
            ("自己的键", "不认识也要留着"),
            ("几条事件条", "三条"),
            ("时间条滚动速度", "80"),
            ("不要时间条", "假"),
            ("字体加粗", "假"),
            ("事件条1滚动速度", "120"),
            ("事件条2滚动速度", "0"),
            ("事件条3滚动速度", "250abc"),
            ("事件条4滚动速度", "300"),
            ("事件条5滚动速度", "300"),
            ("事件条6滚动速度", "300"),
            ("事件条1内容", "18:28|会议"),
            ("事件条2内容", "第二条"),
            ("事件条3内容", ""),
            ("事件条4内容", "看不见的第四条"),
            ("事件条5内容", ""),
            ("事件条6内容", ""),
            ("时间条颜色", "255"),
            ("分隔线颜色", "65280"),
            ("事件条颜色6条同色", "16711680"),
            ("开启音乐报警", "假"),
            ("音乐文件地址", "/nowhere/报警.mp3"),
            ("每日事件记录真假", "真"),
            ("一天工作计划模式", "假"),
            ("时钟条滚动步调", "0"),
            ("事件条1滚动步调", "0"),
            ("事件条2滚动步调", "5"),
            ("事件条3滚动步调", "-2"),
            ("事件条4滚动步调", "1"),
            ("事件条5滚动步调", "1"),
            ("事件条6滚动步调", "1"),
            ("窗口宽度", "700"),
            ("窗口左边", "120"),
            ("窗口顶边", "700"),
        ]
        other_section = "[别的]\r\n甲=乙\r\n".encode("gbk")
        with Program() as p:
            (p.folder / SETTINGS_FILE).write_bytes(ini_file(seeded, other_section))
            p.start()
            p.wait_mapped()
            self.assertEqual(p.geometry(), (120, 700, 700, 78), "three bars with the time bar, as stored")

            p.pick(["其它功能", "退出程序"])
            self.assertEqual(p.wait_exit(), 0)
            # Every key keeps its place; the values are the live ones: bars beyond the count are stopped (0),
            # "0" read as 100, a step of 0 stored as 1 (the time bar's as 3).
            expected = dict(seeded)
            expected.update({
                "事件条2滚动速度": "100",
                "事件条3滚动速度": "250",
                "事件条4滚动速度": "0",
                "事件条5滚动速度": "0",
                "事件条6滚动速度": "0",
                "时钟条滚动步调": "3",
                "事件条1滚动步调": "1",
            })
            self.assertEqual(p.ini_bytes(), ini_file(list(expected.items()), other_section))
            self.assertEqual(parse_ini(p.ini_bytes(), "别的"), {"甲": "乙"})

            # The next start picks them up again.
            p.start()
            p.wait_mapped()
            self.assertEqual(p.geometry(), (120, 700, 700, 78))
            p.kill()


if __name__ == "__main__":
    unittest.main()
