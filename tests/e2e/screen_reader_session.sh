#!/usr/bin/env bash
# Runs a command on a desktop that a screen reader listens to: an X server under a window manager
# (desktop_session.sh), a private D-Bus session bus, and the accessibility bus of at-spi2-core with
# its registry, with "toolkit accessibility" switched on, as a desktop's setting or a starting
# screen reader switches it on. Programs started by the command then publish their accessible tree.
#
#     screen_reader_session.sh COMMAND [ARGUMENT ...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${SCREEN_READER_SESSION:-}" ]; then
    exec env SCREEN_READER_SESSION=1 "$here/desktop_session.sh" dbus-run-session -- "$0" "$@"
fi

log=$(mktemp "${TMPDIR:-/tmp}/at-spi-bus.XXXXXX")
/usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >"$log" 2>&1 &
launcher=$!
trap 'kill "$launcher" 2>/dev/null || true; wait "$launcher" 2>/dev/null || true; rm -f "$log"' EXIT
# The owner of the bus's name, not the name itself: a call to it before the launcher owns it would
# make the session bus start a second launcher.
bus_owned() {
    gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
        -m org.freedesktop.DBus.NameHasOwner org.a11y.Bus 2>/dev/null | grep -q true
}
for _ in $(seq 100); do
    bus_owned && break
    kill -0 "$launcher" 2>/dev/null || { cat "$log" >&2; echo "the accessibility bus ended before it started" >&2; exit 1; }
    sleep 0.1
done
bus_owned || { echo "the accessibility bus did not start within 10 s" >&2; exit 1; }
address=$(gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress | sed -e "s/^('//" -e "s/',)$//")
# The registry starts on its first use; started now, the first program registers at once.
gdbus call --address "$address" -d org.a11y.atspi.Registry -o /org/a11y/atspi/accessible/root \
    -m org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible ChildCount >/dev/null
"$@"
