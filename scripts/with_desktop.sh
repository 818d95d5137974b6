#!/usr/bin/env bash
# with_desktop.sh CMD...: runs CMD on a desktop of its own, a virtual X server with a window manager and a
# panel holding a taskbar and a tray, and takes all of it down again. Returns CMD's exit code.
set -uo pipefail

if [[ $# -eq 0 ]]; then
    echo "usage: $0 CMD..." >&2
    exit 2
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
work=$(mktemp -d "${TMPDIR:-/tmp}/orrinvale-desktop.XXXXXX")
pids=()
command_pid=

cleanup() {
    local pid
    if [[ -n "$command_pid" ]]; then
        kill "$command_pid" 2>/dev/null
        wait "$command_pid" 2>/dev/null
    fi
    # Newest first: the panel and the window manager go before the server they talk to.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null
    done
    for pid in "${pids[@]}"; do
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "with_desktop: $*" >&2
    for log in "$work"/*.log; do
        [[ -s "$log" ]] && { echo "--- $(basename "$log")" >&2; tail -n 20 "$log" >&2; }
    done
    exit 1
}

# Waits up to 10 s for a test command to succeed.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "$what did not come up"
}

# -displayfd lets the server pick a free display number and tells it once it accepts connections.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
# Benchmarks measure the X server's CPU too.
export WITH_DESKTOP_XSERVER_PID=$!
wait_for "Xvfb" grep -q '^[0-9][0-9]*$' "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"

# A plain colour behind everything, so that what the strip leaves transparent is easy to tell from black.
python3 "$root/tests/e2e/desktop.py" set-root-colour || fail "could not paint the root window"

# Their own settings folder, empty: the window manager and the panel run with their stock settings and ours,
# whatever the user running the tests has configured.
mkdir -p "$work/config"
export XDG_CONFIG_HOME="$work/config"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for "openbox" python3 "$root/tests/e2e/desktop.py" wm-ready

tint2 -c "$root/tests/e2e/tint2rc" >"$work/tint2.log" 2>&1 &
pids+=($!)
wait_for "tint2's tray" python3 "$root/tests/e2e/desktop.py" tray-ready

# In the background and waited for, so that a TERM or an INT (a test runner's timeout, Ctrl-C) reaches the
# trap at once instead of after CMD has finished.
"$@" &
command_pid=$!
wait "$command_pid"
status=$?
command_pid=
exit "$status"
