"""Driving a program through the X server alone: xdotool for input, import for screenshots, xclip for the clipboard.

Every wait is bounded. The session runs under a window manager (openbox, see desktop_session.sh),
so a window is given the keyboard focus by asking the window manager to activate it, as a click on
its title bar or the task switcher would.
"""

import subprocess
import time

from raster import Raster

COMMAND_TIMEOUT = 20
POLL_INTERVAL = 0.1
# Pause between synthetic events, so the program sees separate clicks and key presses.
EVENT_DELAY_MS = 60


class WaitTimeout(TimeoutError):
    pass


def wait_for(what: str, probe, timeout: float):
    """Calls probe() until it returns something truthy and returns that; fails after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise WaitTimeout(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(POLL_INTERVAL)


def run(*command: str, check: bool = True) -> subprocess.CompletedProcess:
    return subprocess.run(command, capture_output=True, check=check, timeout=COMMAND_TIMEOUT)


def xdotool(*arguments: str, check: bool = True) -> str:
    return run("xdotool", *arguments, check=check).stdout.decode("utf-8", "replace")


def visible_windows(pid: int, name_pattern: str = "") -> list:
    """Mapped windows of one process, optionally only those whose title matches the regular expression."""
    arguments = ["search", "--all", "--onlyvisible", "--pid", str(pid)]
    if name_pattern:
        arguments += ["--name", name_pattern]
    return [int(line) for line in xdotool(*arguments, check=False).split()]


def window_geometry(window: int) -> dict:
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", str(window)).splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value)
    return values


def window_name(window: int) -> str:
    return xdotool("getwindowname", str(window)).rstrip("\n")


def focus(window: int) -> None:
    xdotool("windowactivate", "--sync", str(window))


def active_window() -> int:
    completed = run("xdotool", "getactivewindow", check=False)
    return int(completed.stdout) if completed.returncode == 0 and completed.stdout.strip() else 0


def stays(what: str, probe, seconds: float) -> None:
    """Fails as soon as probe() is falsy within `seconds`: for what must not happen."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not probe():
            raise AssertionError(f"{what} did not hold")
        time.sleep(POLL_INTERVAL)


def click(window: int, x: int, y: int, times: int = 1) -> None:
    """Left clicks at a point given in the window's own coordinates."""
    xdotool("mousemove", "--sync", "--window", str(window), str(x), str(y),
            "click", "--repeat", str(times), "--delay", str(EVENT_DELAY_MS), "1")


def key(name: str, times: int = 1) -> None:
    xdotool("key", "--repeat", str(times), "--delay", str(EVENT_DELAY_MS), name)


def type_text(text: str) -> None:
    xdotool("type", "--delay", str(EVENT_DELAY_MS // 2), text)


def screenshot(window: int) -> Raster:
    return Raster.from_ppm(run("import", "-silent", "-window", str(window), "-depth", "8", "ppm:-").stdout)


def drag(window: int, start: tuple, end: tuple) -> None:
    """Presses the left button at one point of the window, moves to another and releases there."""
    xdotool("mousemove", "--sync", "--window", str(window), str(start[0]), str(start[1]), "mousedown", "1",
            "mousemove", "--sync", "--window", str(window), str((start[0] + end[0]) // 2), str(start[1]),
            "mousemove", "--sync", "--window", str(window), str(end[0]), str(end[1]), "mouseup", "1")


def clipboard(target: str):
    """The clipboard's content in the given target type, or None while nobody offers it."""
    completed = run("xclip", "-selection", "clipboard", "-t", target, "-o", check=False)
    return completed.stdout if completed.returncode == 0 and completed.stdout else None
