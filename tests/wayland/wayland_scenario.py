#!/usr/bin/env python3
"""くるりえ on a Wayland desktop: the real program under headless sway (sway_session.sh), driven by the keyboard
alone with wtype and read back with grim, swaymsg and wl-clipboard. Started with a picture, and with a file it
cannot open; a curve drawn by keys, copied to another program and saved through the real Save As dialog; a picture
from another program pasted; the save question abandoned with Esc; the curve again on an output of scale 2.

Usage: wayland_scenario.py PROGRAM ARTEFACT_FOLDER   (needs WAYLAND_DISPLAY and SWAYSOCK, e.g. under sway_session.sh).
"""

import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "e2e"))
import session  # noqa: E402  (what the X and the Wayland sessions share)
from session import Raster, Text, run, wait_for  # noqa: E402

# wtype makes a new virtual keyboard for each call; keys sent at once can reach the program before it has taken it.
KEYBOARD_SETTLE_MS = 1500


def wtype_arguments(stroke: str) -> list:
    """Text as it is; a key by its name, with the modifiers held for it (ctrl+c)."""
    if isinstance(stroke, Text):
        return [stroke]
    *modifiers, key = stroke.split("+")
    return [*(a for modifier in modifiers for a in ("-M", modifier)), "-k", key,
            *(a for modifier in modifiers for a in ("-m", modifier))]


class Program(session.Program):
    """Its windows are sway's views, pictured by grim; the scale is the output's, and Qt's own stays 1."""
    PASTE, COPY, TYPES = ("wl-paste", "-t"), ("wl-copy", "-t"), ("wl-paste", "--list-types")

    def scaled(self, scale: int) -> dict:
        run("swaymsg", "output", "HEADLESS-1", "resolution", f"{1280 * scale}x{1024 * scale}", "scale", str(scale))
        return {}

    def views(self) -> list:
        """The program's views, oldest first."""
        def tree(node):
            yield node
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                yield from tree(child)
        views = tree(json.loads(run("swaymsg", "--raw", "-t", "get_tree")))
        return sorted((v for v in views if v.get("pid") == self.process.pid), key=lambda v: v["id"])

    def windows(self) -> list:
        return [view["id"] for view in self.views()]

    def active(self) -> int:
        return next((view["id"] for view in self.views() if view["focused"]), 0)

    def title(self, window: int) -> str:
        return next((view["name"] for view in self.views() if view["id"] == window), "")

    def grab(self, window: int) -> Raster:
        view = next(view for view in self.views() if view["id"] == window)
        box, inside = view["rect"], view["window_rect"]
        area = f"{box['x'] + inside['x']},{box['y'] + inside['y']} {inside['width']}x{inside['height']}"
        return Raster.decode(run("grim", "-t", "ppm", "-g", area, "-"))

    def keys(self, *strokes: str) -> None:
        """One wtype call, after its keyboard has settled."""
        run("wtype", "-s", str(KEYBOARD_SETTLE_MS), *(argument for s in strokes for argument in wtype_arguments(s)))


def started_with_a_picture(executable: str, work: str, evidence: session.Evidence) -> None:
    """kururie ../photo.png, from a folder beside the picture: the title names it by its full path and the canvas
    shows its top-left 400 × 400."""
    os.makedirs(work)
    photo = session.drawn_picture(os.path.join(work, "photo.png"), "-size", "640x480", "gradient:orange-navy",
                                  "-fill", "white", "-draw", "circle 120,120 180,120")
    with Program(executable, os.path.join(work, "program"), evidence, arguments=("../photo.png",),
                 label="started with a picture") as program:
        expected = "くるりえ-- " + os.path.join(work, "photo.png")
        wait_for(f"the title {expected}", lambda: program.title(program.window) == expected)
        session.same(program.still_canvas("canvas"), photo.crop(0, 0, 400, 400), "the canvas, against the picture,")
        program.shot("window", always=True)


def started_with_a_missing_file(executable: str, work: str, evidence: session.Evidence) -> None:
    """kururie missing.bmp: the window shows, and over it the message that the file could not be opened; Enter
    closes the message and leaves the window titled くるりえ."""
    with Program(executable, work, evidence, arguments=("missing.bmp",), label="missing file") as program:
        with program.dialog("message", None, "くるりえ", "Return"):
            program.keep("screen", Raster.decode(run("grim", "-t", "ppm", "-")), always=True)
        assert program.title(program.window) == "くるりえ", f"the title became {program.title(program.window)!r}"


def drawn_copied_saved_and_pasted(executable: str, work: str, evidence: session.Evidence) -> None:
    """One program from a curve drawn by keys to the save question over a picture pasted on it."""
    with Program(executable, work, evidence, label="drawn by keys") as program:
        canvas = program.draw("drawn")
        program.check(session.copied, canvas)
        program.check(session.saved_as, canvas, "star.bmp")
        # Saved, the picture is no change; pasted over, it is.
        program.check(session.pasted)
        program.check(session.save_question_kept, ("alt+f", "n"))


def at_scale_2(executable: str, work: str, evidence: session.Evidence) -> None:
    """On an output of scale 2: the canvas's frame 2 pixels wide around 800 × 800, and the curve drawn at the
    output's resolution, not as doubled pixels."""
    with Program(executable, work, evidence, scale=2, label="scale 2") as program:
        program.check(session.smooth_curve)
        # Away from the canvas, the focus shows no ring around its frame.
        program.check(session.canvas_frame)
        program.shot("window", always=True)


if __name__ == "__main__":
    sys.exit(session.session(
        [started_with_a_picture, started_with_a_missing_file, drawn_copied_saved_and_pasted, at_scale_2],
        "opened a picture named on the command line and reported one it could not open, drew a curve by keys, "
        "copied it to wl-paste, saved it through the Save As dialog, pasted from wl-copy, kept it through Esc, "
        "and drew it again at scale 2"))
