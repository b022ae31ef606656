"""くるりえ on an X desktop (desktop_session.sh): windows, keys and clicks by xdotool, pictures by import, xclip."""

import itertools

import session
from session import Raster, Text, run

START_BUTTON, CLEAR_BUTTON = (424, 360, 65, 25), (528, 360, 65, 25)
PEN_COLOUR_BUTTON, SLOW_SPEED_WORDS = (424, 240, 49, 25), (560, 202, 23, 12)
# Pause between synthetic events, so the program sees separate clicks and key presses; half of it between letters.
EVENT_DELAY_MS = 60


def xdotool(*arguments, check: bool = True) -> str:
    return run("xdotool", *map(str, arguments), check=check).decode("utf-8", "replace").strip()


class Program(session.Program):
    PASTE, COPY = ("xclip", "-selection", "clipboard", "-o", "-t"), ("xclip", "-selection", "clipboard", "-i", "-t")
    TYPES = (*PASTE, "TARGETS")

    def scaled(self, scale: float) -> dict:
        return {"QT_SCALE_FACTOR": str(scale)}

    def windows(self) -> dict:
        active = xdotool("getactivewindow", check=False)
        shown = xdotool("search", "--all", "--onlyvisible", "--pid", self.process.pid, check=False).split()
        return {int(w): (xdotool("getwindowname", w, check=False), w == active) for w in shown}

    def grab(self, window: int) -> Raster:
        return Raster.decode(run("import", "-silent", "-window", str(window), "-depth", "8", "ppm:-"))

    def keys(self, *strokes: str) -> None:
        for text, group in itertools.groupby(strokes, lambda stroke: isinstance(stroke, Text)):
            xdotool("type" if text else "key", "--delay", EVENT_DELAY_MS // (2 if text else 1), *group)

    def press(self, rectangle: tuple) -> None:
        """Clicks the middle of a control; the pointer then rests in the screen's corner, over no button."""
        left, top, width, height = self.pixels(rectangle)
        xdotool("mousemove", "--sync", "--window", self.window, left + width // 2, top + height // 2, "click", 1)
        xdotool("mousemove", "--sync", 0, 0)
