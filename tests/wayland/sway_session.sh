#!/usr/bin/env bash
# Runs a command as a client of its own headless sway, a Wayland compositor with a seat (so a
# clipboard, and keyboards that wtype adds), and stops the compositor afterwards whatever the
# command's outcome. Each run has private folders and sockets, so runs in parallel never meet.
# sway refuses to run as root: as root it runs as nobody, and the command, still root, connects
# through the sockets' full paths.
#
#     sway_session.sh COMMAND [ARGUMENT ...]
set -euo pipefail

compositor_dir=$(mktemp -d "${TMPDIR:-/tmp}/kururie-sway.XXXXXX")
client_dir=$(mktemp -d "${TMPDIR:-/tmp}/kururie-wayland-client.XXXXXX")
sway_pid=
stop_sway() {
    if [ -n "$sway_pid" ]; then
        kill "$sway_pid" 2>/dev/null || true
        wait "$sway_pid" 2>/dev/null || true
    fi
    rm -rf "$compositor_dir" "$client_dir"
}
trap stop_sway EXIT

# No bar, no idle, no X server; the same screen size as the X sessions' Xvfb.
cat >"$compositor_dir/config" <<'EOF'
xwayland disable
output HEADLESS-1 resolution 1280x1024 position 0 0 scale 1
EOF
as_compositor=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$compositor_dir"
    as_compositor=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod 700 "$compositor_dir"
env -i PATH="$PATH" HOME="$compositor_dir" XDG_RUNTIME_DIR="$compositor_dir" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    "${as_compositor[@]}" sway --config "$compositor_dir/config" >"$client_dir/sway.log" 2>&1 &
sway_pid=$!

# At most ten seconds for sway to answer on its IPC socket, which it opens once its output is set up.
export SWAYSOCK= WAYLAND_DISPLAY=
for ((tries = 0; ; tries++)); do
    SWAYSOCK=$(compgen -G "$compositor_dir/sway-ipc.*.sock" || true)
    [ -n "$SWAYSOCK" ] && swaymsg -t get_version >/dev/null 2>&1 && break
    if ((tries == 100)) || ! kill -0 "$sway_pid" 2>/dev/null; then
        echo "sway did not start:" >&2
        cat "$client_dir/sway.log" >&2
        exit 1
    fi
    sleep 0.1
done
WAYLAND_DISPLAY=$(compgen -G "$compositor_dir/wayland-[0-9]" | head -n 1)
export XDG_RUNTIME_DIR=$client_dir QT_QPA_PLATFORM=wayland
unset DISPLAY
"$@"
