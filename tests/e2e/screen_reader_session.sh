#!/usr/bin/env bash
# Runs a command on a desktop that a screen reader listens to: an X server under a window manager
# (desktop_session.sh) and a private D-Bus session bus with "toolkit accessibility" switched on, as
# a desktop's setting or a starting screen reader switches it on. The session bus starts the
# accessibility bus of at-spi2-core for that call; programs started by the command then publish
# their accessible tree on it.
#
#     screen_reader_session.sh COMMAND [ARGUMENT ...]
set -euo pipefail
[ -n "${SCREEN_READER_SESSION:-}" ] ||
    exec env SCREEN_READER_SESSION=1 "$(dirname "$0")/desktop_session.sh" dbus-run-session -- "$0" "$@"
gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.freedesktop.DBus.Properties.Set \
    org.a11y.Status IsEnabled '<true>' >/dev/null
"$@"
