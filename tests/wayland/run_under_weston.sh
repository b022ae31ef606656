#!/bin/bash
# Runs one program as a client of its own headless Weston compositor, as xvfb-run does for X, and
# stops the compositor afterwards whatever the program's outcome. Each run gets a private runtime
# folder and socket, so runs in parallel never meet.
# Usage: run_under_weston.sh <program> [arguments...]
set -u

runtime_dir=$(mktemp -d)
socket=kururie-test-$$
weston_pid=

stop_weston() {
    if [ -n "$weston_pid" ]; then
        kill "$weston_pid" 2>/dev/null
        wait "$weston_pid" 2>/dev/null
    fi
    rm -rf "$runtime_dir"
}
trap stop_weston EXIT

# The same screen size as the xcb run's Xvfb, so the main window fits as it does there.
XDG_RUNTIME_DIR=$runtime_dir weston --backend=headless-backend.so --width=1280 --height=1024 \
    --socket="$socket" --idle-time=0 --no-config --log="$runtime_dir/weston.log" &
weston_pid=$!

# At most ten seconds for the socket to appear.
for ((tries = 0; ; tries++)); do
    [ -S "$runtime_dir/$socket" ] && break
    if ((tries == 100)) || ! kill -0 "$weston_pid" 2>/dev/null; then
        echo "weston did not open its socket:"
        cat "$runtime_dir/weston.log"
        exit 1
    fi
    sleep 0.1
done

XDG_RUNTIME_DIR=$runtime_dir WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$@"
