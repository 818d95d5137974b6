#!/usr/bin/env python3
"""Figures for the strip at its defaults, against conky doing the same job, on the test desktop.

Run by `make bench` under scripts/with_desktop.sh (DISPLAY set, WITH_DESKTOP_XSERVER_PID naming the X server).
For each of three set-ups (no compositing manager and a plain root colour, which the strip meets with its
exact shape; no compositing manager and a published wallpaper, which it paints in itself; xcompmgr), it
measures:

- the time from starting the program to its window being mapped;
- over a fixed time (30 s) at the defaults (time bar shown, six bars scrolling about twenty Chinese characters
  each at 100 ms): the CPU of the program and of the X server, in percent of one core, from utime + stime in
  /proc/<pid>/stat; the program's peak RSS (VmHWM);
- the same for conky (Debian conky-std) showing a clock every 0.05 s and six scrolling lines, as a baseline,
  and the ratios of the two.

It prints figures and never fails on a number.

Hook for more figures: every tests/bench/measure_*.py module that defines `measure(bench)` is run after the
figures above; `bench` is the `Bench` object below (binary, seconds, start_program(), cpu_ticks(), ...), and
measure returns a list of (label, value, unit) rows, which are printed under "More figures". A value of None
prints as "n/a". Such a module must not raise for a slow machine; it prints, it does not judge.
"""

import argparse
import contextlib
import importlib.util
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "e2e"))

import desktop  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")

# Twenty-odd characters per bar, different on each, as a day's events would be.
BAR_TEXTS = [
    "上午九点半在三楼会议室开项目进度周会记得带笔记本",
    "给客户回电话确认下周二的交货日期和包装要求细节",
    "下午两点提交季度报告初稿并抄送部门经理审阅修改",
    "四点去银行办理对公账户的年检手续需要带齐公章",
    "整理本周的采购单据并录入系统核对发票金额无误后",
    "晚上七点半接孩子放学顺路去超市买牛奶鸡蛋和水果",
]

# A wallpaper as a wallpaper setter publishes it, for the set-up where only the desktop lies beneath the strip.
WALLPAPER_STRIPES = [(40, 60, 90), (60, 80, 110)]

CONKY_CONFIG = """conky.config = {
    out_to_x = true,
    out_to_console = false,
    background = false,
    own_window = true,
    own_window_type = 'normal',
    own_window_hints = 'undecorated,above,skip_taskbar,skip_pager',
    own_window_transparent = true,
    own_window_argb_visual = %(argb)s,
    double_buffer = true,
    update_interval = 0.05,
    total_run_times = 0,
    alignment = 'top_left',
    gap_x = 906,
    gap_y = 20,
    minimum_width = 600,
    maximum_width = 600,
    use_xft = true,
    font = 'AR PL UMing CN:pixelsize=16',
    default_color = '00ff00',
    draw_shades = false,
    draw_outline = false,
    draw_borders = false,
    no_buffers = true,
};
conky.text = [[
${color ff6600}${time %%H:%%M:%%S}  ${scroll 90 1 共计秒：12345 共计时间：3小时25分钟45秒}
${color ffff66}${hr 2}
%(lines)s
]]
"""


def read_ticks(pid):
    """utime + stime of a process, in clock ticks; None when it is gone."""
    try:
        fields = pathlib.Path("/proc/%d/stat" % pid).read_text().rsplit(")", 1)[1].split()
    except OSError:
        return None
    # After the command name: state is field 3, utime 14 and stime 15 (1-based in proc(5)).
    return int(fields[11]) + int(fields[12])


def peak_rss_kib(pid):
    try:
        for line in pathlib.Path("/proc/%d/status" % pid).read_text().splitlines():
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    except OSError:
        pass
    return None


def time_to_map(started, find_window, alive, timeout=10):
    """Milliseconds from `started` until `find_window` finds the mapped window, or None."""
    while time.monotonic() - started < timeout and alive():
        if find_window() is not None:
            return (time.monotonic() - started) * 1000
        time.sleep(0.002)
    return None


def mapped_window(pid):
    for window in desktop.windows_of(pid):
        attrs = desktop.window_attributes(window)
        if attrs and attrs["viewable"] and not attrs["override_redirect"]:
            return window
    return None


def conky_window(pid):
    # conky sets no _NET_WM_PID on its own window; it is the mapped window named after it.
    for window in [int(w) for w in desktop.xdotool("search", "--onlyvisible", "--class", "conky",
                                                    check=False).split()]:
        return window
    return mapped_window(pid)


class Bench:
    """What a measure_*.py module gets: the program, the run length and a few tools."""

    def __init__(self, binary, seconds, xserver_pid, build_dir):
        self.binary = pathlib.Path(binary)
        self.build_dir = pathlib.Path(build_dir)
        self.seconds = seconds
        self.xserver_pid = xserver_pid
        self.desktop = desktop
        self.read_ticks = read_ticks
        self.peak_rss_kib = peak_rss_kib

    def start_program(self, ini_lines=None, env=None, faketime=None, compositor=False):
        """A desktop.Program (a copy of the binary in a folder of its own), started; use it in a with block."""
        program = desktop.Program(ini_lines=ini_lines, env=env, faketime=faketime, compositor=compositor)
        program.start()
        return program

    def cpu_percent(self, pid, seconds):
        """CPU of pid over the next `seconds`, in percent of one core."""
        before, started = read_ticks(pid), time.monotonic()
        time.sleep(seconds)
        after, elapsed = read_ticks(pid), time.monotonic() - started
        if before is None or after is None:
            return None
        return 100.0 * (after - before) / CLOCK_TICKS / elapsed


def measure_both(pid, xserver_pid, seconds):
    """CPU of a process and of the X server over the same seconds, in percent of one core."""
    start = time.monotonic()
    own, server = read_ticks(pid), read_ticks(xserver_pid)
    time.sleep(seconds)
    own_after, server_after = read_ticks(pid), read_ticks(xserver_pid)
    elapsed = time.monotonic() - start
    if None in (own, server, own_after, server_after):
        return None, None
    return (100.0 * (own_after - own) / CLOCK_TICKS / elapsed,
            100.0 * (server_after - server) / CLOCK_TICKS / elapsed)


def bar_texts_ini():
    """The settings lines that put BAR_TEXTS on the six bars."""
    return ["事件条%d内容=%s" % (n, text) for n, text in enumerate(BAR_TEXTS, start=1)]


def run_program(binary, xserver_pid, seconds, warmup):
    program = desktop.Program(ini_lines=bar_texts_ini())
    try:
        program.start()
        started = program.started_at
        map_ms = time_to_map(started, lambda: mapped_window(program.pid), program.running)
        time.sleep(warmup)
        cpu, server = measure_both(program.pid, xserver_pid, seconds)
        return {"map_ms": map_ms, "cpu": cpu, "server": server, "rss": peak_rss_kib(program.pid)}
    finally:
        program.close()


def run_conky(xserver_pid, seconds, warmup, composited):
    folder = pathlib.Path(tempfile.mkdtemp(prefix="orrinvale-bench-conky-"))
    try:
        lines = "\n".join("${color 009966}${scroll 111 1 %s}" % text for text in BAR_TEXTS)
        config = folder / "conky.conf"
        config.write_text(CONKY_CONFIG % {"argb": "true" if composited else "false", "lines": lines},
                          encoding="utf-8")
        env = dict(os.environ, HOME=str(folder))
        started = time.monotonic()
        with open(folder / "conky.log", "wb") as log:
            process = subprocess.Popen(["conky", "-c", str(config)], stdin=subprocess.DEVNULL, stdout=log,
                                       stderr=subprocess.STDOUT, env=env, cwd=str(folder))
        try:
            map_ms = time_to_map(started, lambda: conky_window(process.pid), lambda: process.poll() is None)
            time.sleep(warmup)
            cpu, server = measure_both(process.pid, xserver_pid, seconds)
            rss = peak_rss_kib(process.pid)
        finally:
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        if map_ms is None:
            print("  conky did not map a window:", (folder / "conky.log").read_text(errors="replace")[-500:])
        return {"map_ms": map_ms, "cpu": cpu, "server": server, "rss": rss}
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def fmt(value, unit="", digits=1):
    if value is None:
        return "n/a"
    return ("%." + str(digits) + "f%s") % (value, unit)


def ratio(a, b):
    if a is None or b is None or b == 0:
        return "n/a"
    return "%.2f" % (a / b)


def total(row):
    if row["cpu"] is None or row["server"] is None:
        return None
    return row["cpu"] + row["server"]


def print_setup(title, ours, conky):
    print()
    print(title)
    print("  %-34s %12s %12s %8s" % ("", "orrinvale", "conky", "ratio"))
    rows = [
        ("program CPU (% of one core)", ours["cpu"], conky["cpu"], "%"),
        ("X server CPU (% of one core)", ours["server"], conky["server"], "%"),
        ("program + X server (% of one core)", total(ours), total(conky), "%"),
    ]
    for label, a, b, unit in rows:
        print("  %-34s %12s %12s %8s" % (label, fmt(a, unit, 2), fmt(b, unit, 2), ratio(a, b)))
    rss = lambda row: None if row["rss"] is None else row["rss"] / 1024.0  # noqa: E731
    print("  %-34s %12s %12s %8s" % ("peak RSS (VmHWM)", fmt(rss(ours), " MB"), fmt(rss(conky), " MB"),
                                     ratio(rss(ours), rss(conky))))
    print("  %-34s %12s %12s %8s" % ("start to window mapped", fmt(ours["map_ms"], " ms", 0),
                                     fmt(conky["map_ms"], " ms", 0), ratio(ours["map_ms"], conky["map_ms"])))


def start_compositor():
    process = subprocess.Popen(["xcompmgr"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    desktop.wait_for("xcompmgr", lambda: desktop.XConnection_selection("_NET_WM_CM_S0"), timeout=10)
    return process


def stop(process):
    process.terminate()
    try:
        process.wait(5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def more_figures(bench):
    modules = sorted(HERE.glob("measure_*.py"))
    if not modules:
        return
    print()
    print("More figures")
    for path in modules:
        spec = importlib.util.spec_from_file_location(path.stem, path)
        module = importlib.util.module_from_spec(spec)
        try:
            spec.loader.exec_module(module)
            rows = module.measure(bench)
        except Exception as error:  # a figure that cannot be taken is reported, never fatal
            print("  %s: could not measure (%s)" % (path.stem, error))
            continue
        for label, value, unit in rows:
            print("  %-50s %s" % (label, "n/a" if value is None else "%s %s" % (value, unit)))


def micro_benchmarks(build_dir):
    binary = pathlib.Path(build_dir) / "micro_benchmarks"
    if not binary.exists():
        return
    print()
    print("Micro-benchmarks (%s)" % binary)
    sys.stdout.flush()
    subprocess.run([str(binary)], check=False)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build", help="the build folder holding orrinvale")
    parser.add_argument("--seconds", type=float, default=30.0, help="length of each CPU measurement")
    parser.add_argument("--warmup", type=float, default=2.0, help="seconds between mapping and measuring")
    args = parser.parse_args()

    binary = pathlib.Path(args.build).resolve() / "orrinvale"
    if not binary.exists():
        print("no program at %s: run make build first" % binary, file=sys.stderr)
        return 2
    xserver = os.environ.get("WITH_DESKTOP_XSERVER_PID")
    if not os.environ.get("DISPLAY") or not xserver:
        print("run this under scripts/with_desktop.sh (it sets DISPLAY and WITH_DESKTOP_XSERVER_PID)",
              file=sys.stderr)
        return 2
    xserver_pid = int(xserver)
    os.environ["ORRINVALE_BINARY"] = str(binary)

    print("Orrinvale benchmark: %s, %.0f s per measurement, %d CPU(s), X server pid %d"
          % (binary, args.seconds, os.cpu_count(), xserver_pid))
    idle = Bench(binary, args.seconds, xserver_pid, args.build).cpu_percent(xserver_pid, 3.0)
    print("X server CPU with only the panel and window manager: %s of one core" % fmt(idle, "%", 2))

    setups = (("Without a compositing manager, plain root colour (the exact shape)", False, False),
              ("Without a compositing manager, over a published wallpaper", False, True),
              ("With xcompmgr", True, False))
    for title, composited, wallpaper in setups:
        compositor = start_compositor() if composited else None
        try:
            with desktop.Wallpaper(WALLPAPER_STRIPES, 7) if wallpaper else contextlib.nullcontext():
                ours = run_program(binary, xserver_pid, args.seconds, args.warmup)
                conky = run_conky(xserver_pid, args.seconds, args.warmup, composited)
        finally:
            if compositor:
                stop(compositor)
        print_setup(title, ours, conky)
        sys.stdout.flush()

    print()
    print("Targets (for reading the figures, not checked): program + X server at or below conky's, peak RSS")
    print("at most 32 MB while no sound plays, mapped within 300 ms.")

    more_figures(Bench(binary, args.seconds, xserver_pid, args.build))
    micro_benchmarks(args.build)
    return 0


if __name__ == "__main__":
    sys.exit(main())
