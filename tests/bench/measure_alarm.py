"""Alarm figures: the delay from the start of an alarm's minute to its sound starting, over several alarms
with a shifted clock, and the program's memory and threads while the chime plays beside its idle figure.

Each alarm is one run of the program with its wall clock shifted by a whole number of seconds (libfaketime),
so the real moment its 9:30 begins is known exactly. Bar 1 is set to "9:30|x" through the tray menu a few
seconds before; SDL's disk driver writes what is played to a file, and the first non-silent bytes there
mark the sound's start. The check runs every 300 ms, so the target is at most 300 ms plus a scheduling slice.
"""

import datetime
import os
import pathlib
import shutil
import tempfile
import time

ALARMS = 5
LEAD_SECONDS = 12  # from the program's start to its alarm minute: time to walk the menu and type
ALARM_MINUTE = datetime.datetime(2026, 12, 11, 9, 30, 0)


def threads(pid):
    try:
        return len(os.listdir("/proc/%d/task" % pid))
    except OSError:
        return None


def rss_kib(pid, field="VmRSS:"):
    try:
        for line in pathlib.Path("/proc/%d/status" % pid).read_text().splitlines():
            if line.startswith(field):
                return int(line.split()[1])
    except OSError:
        pass
    return None


def first_sound(path):
    """True once the capture holds a sample that is not silence."""
    try:
        with open(path, "rb") as f:
            return any(f.read())
    except OSError:
        return False


def one_alarm(bench, folder):
    capture = folder / "captured.raw"
    if capture.exists():
        capture.unlink()
    boundary_fake = ALARM_MINUTE.timestamp()
    offset = int(round(boundary_fake - LEAD_SECONDS - time.time()))
    boundary_real = boundary_fake - offset
    ini = ["开启音乐报警=真", "音乐文件地址=", "窗口左边=40", "窗口顶边=60"]
    env = {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": str(capture)}
    figures = {}
    with bench.start_program(ini_lines=ini, env=env, faketime="%+d" % offset) as program:
        program.wait_mapped()
        program.pick(["事件条1", "设置事件内容"])
        program.answer_dialog("9:30|x")
        if time.time() > boundary_real - 0.5:
            return None  # armed too late to be fair: the machine was too slow for this run
        time.sleep(max(0.0, boundary_real - 1.0 - time.time()))
        figures["idle_rss"] = rss_kib(program.pid, "VmHWM:")
        figures["idle_threads"] = threads(program.pid)
        started = None
        while time.time() < boundary_real + 5:
            if first_sound(capture):
                started = time.time()
                break
            time.sleep(0.002)
        if started is None:
            return figures
        figures["latency_ms"] = (started - boundary_real) * 1000
        # The chime lasts three seconds; the device closes within a poll after it.
        samples = []
        while time.time() < started + 2.5:
            samples.append(rss_kib(program.pid) or 0)
            time.sleep(0.1)
        figures["playing_threads"] = threads(program.pid)
        time.sleep(2.0)
        # The kernel's counters lag a little; the larger of the samples and the high-water mark is the peak.
        figures["peak_rss"] = max(samples + [rss_kib(program.pid, "VmHWM:") or 0])
        figures["after_threads"] = threads(program.pid)
        size = capture.stat().st_size
        time.sleep(0.5)
        figures["still_writing"] = capture.stat().st_size != size
    return figures


def measure(bench):
    folder = pathlib.Path(tempfile.mkdtemp(prefix="orrinvale-bench-alarm-"))
    runs = []
    try:
        for _ in range(ALARMS):
            figures = one_alarm(bench, folder)
            if figures is not None:
                runs.append(figures)
    finally:
        shutil.rmtree(folder, ignore_errors=True)

    latencies = [r["latency_ms"] for r in runs if "latency_ms" in r]
    mib = lambda kib: None if kib is None else "%.1f" % (kib / 1024.0)  # noqa: E731
    last = runs[-1] if runs else {}
    rows = [
        ("alarms measured (of %d; late arms skipped)" % ALARMS, "%d" % len(latencies), ""),
        ("alarm latency, maximum (target <= 300 ms + a slice)",
         "%.0f" % max(latencies) if latencies else None, "ms"),
        ("alarm latency, each", " ".join("%.0f" % v for v in latencies) if latencies else None, "ms"),
        ("peak RSS idle, before the alarm (VmHWM)", mib(last.get("idle_rss")), "MB"),
        ("peak RSS while the chime plays", mib(last.get("peak_rss")), "MB"),
        ("threads idle / playing / after the chime",
         "%s / %s / %s" % (last.get("idle_threads"), last.get("playing_threads"), last.get("after_threads"))
         if last else None, ""),
        ("audio still written after the chime ended", str(last.get("still_writing")) if last else None, ""),
    ]
    return rows
