#!/usr/bin/env bash
# Runs a command on a private X server (Xvfb) under a window manager (openbox), as a user's desktop has one:
# windows are activated, and the focus comes back to a window after its dialogs.
#
#     desktop_session.sh COMMAND [ARGUMENT ...]
set -euo pipefail
[ -n "${IN_DESKTOP_SESSION:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" env IN_DESKTOP_SESSION=1 "$0" "$@"
ready=$(mktemp -u)
openbox --startup "touch $ready" >/dev/null 2>&1 &
trap "kill $! 2>/dev/null || true; rm -f '$ready'" EXIT
for _ in $(seq 100); do [ -e "$ready" ] && break; sleep 0.1; done
[ -e "$ready" ] || { echo "openbox did not start within 10 s" >&2; exit 1; }
"$@"
