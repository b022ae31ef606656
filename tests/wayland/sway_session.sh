#!/usr/bin/env bash
# Runs a command as a client of its own headless sway, a Wayland compositor with a seat (so a clipboard, and
# keyboards that wtype adds), and stops the compositor afterwards. Each run has folders and sockets of its own.
# sway refuses to run as root: as root it runs as nobody, and the command, still root, connects through the
# sockets' full paths.
#
#     sway_session.sh COMMAND [ARGUMENT ...]
set -euo pipefail
compositor_dir=$(mktemp -d)
client_dir=$(mktemp -d)
trap 'kill ${sway_pid:-} 2>/dev/null || true; wait || true; rm -rf "$compositor_dir" "$client_dir"' EXIT
# No bar, no idle, no X server; the same screen size as the X sessions' Xvfb.
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x1024 position 0 0 scale 1\n' >"$compositor_dir/config"
as_compositor=()
[ "$(id -u)" -ne 0 ] || as_compositor=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
[ "$(id -u)" -ne 0 ] || chown nobody:nogroup "$compositor_dir"
env -i PATH="$PATH" HOME="$compositor_dir" XDG_RUNTIME_DIR="$compositor_dir" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman "${as_compositor[@]}" sway --config "$compositor_dir/config" \
    >"$client_dir/sway.log" 2>&1 &
sway_pid=$!
# At most ten seconds for sway to answer on its IPC socket, which it opens once its output is set up.
for _ in $(seq 100); do
    export SWAYSOCK=$(compgen -G "$compositor_dir/sway-ipc.*.sock" || true)
    [ -n "$SWAYSOCK" ] && swaymsg -t get_version >/dev/null 2>&1 && break
    sleep 0.1
done
swaymsg -t get_version >/dev/null 2>&1 || { echo "sway did not start:" >&2; cat "$client_dir/sway.log" >&2; exit 1; }
WAYLAND_DISPLAY=$(compgen -G "$compositor_dir/wayland-[0-9]" | head -n 1)
export WAYLAND_DISPLAY XDG_RUNTIME_DIR=$client_dir QT_QPA_PLATFORM=wayland
unset DISPLAY
"$@"
