"""The floor under the program's memory figure: peak RSS of qt_floor, a bare Qt Widgets program that shows the
benchmark's six lines in the strip's font in a frameless window and puts up a tray icon, next to the program
itself at the same point after start. What the toolkit, its libraries and the font cost on this machine is in
the first figure; what is the program's own is the difference."""

import subprocess
import time

import run_bench

SETTLE_SECONDS = 3.0


def peak_after_settling(pid, alive):
    started = time.monotonic()
    run_bench.time_to_map(started, lambda: run_bench.mapped_window(pid), alive)
    time.sleep(SETTLE_SECONDS)
    return run_bench.peak_rss_kib(pid)


def measure(bench):
    binary = bench.build_dir / "qt_floor"
    if not binary.exists():
        return [("qt_floor peak RSS (not built)", None, "")]
    process = subprocess.Popen([str(binary)] + run_bench.BAR_TEXTS, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        floor = peak_after_settling(process.pid, lambda: process.poll() is None)
    finally:
        process.terminate()
        process.wait(5)
    with bench.start_program(ini_lines=run_bench.bar_texts_ini()) as program:
        ours = peak_after_settling(program.pid, program.running)
    mb = lambda kib: None if kib is None else "%.1f" % (kib / 1024.0)  # noqa: E731
    return [("bare Qt program with the same lines: peak RSS", mb(floor), "MB"),
            ("orrinvale at the same point: peak RSS", mb(ours), "MB")]
