#!/usr/bin/env bash
# Runs a command as a client of its own headless Weston compositor, which leaves the title bar to Qt and honours
# its maximize button, and stops the compositor afterwards. Each run has a runtime folder of its own.
#
#     run_under_weston.sh COMMAND [ARGUMENT ...]
set -u
runtime=$(mktemp -d)
trap 'kill "$weston" 2>/dev/null; wait; rm -rf "$runtime"' EXIT
# The same screen size as the X sessions' Xvfb.
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --width=1280 --height=1024 --socket=weston \
    --idle-time=0 --no-config --log="$runtime/weston.log" &
weston=$!
for _ in $(seq 100); do [ -S "$runtime/weston" ] && break; sleep 0.1; done
[ -S "$runtime/weston" ] || { echo "weston did not open its socket:"; cat "$runtime/weston.log"; exit 1; }
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=weston QT_QPA_PLATFORM=wayland "$@"
