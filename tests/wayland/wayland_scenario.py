#!/usr/bin/env python3
"""くるりえ on a Wayland desktop, through swaymsg, grim, wtype and wl-clipboard: wayland_scenario.py PROGRAM FOLDER"""

import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "e2e"))
import session  # noqa: E402  (what the X and the Wayland sessions share)
from session import Raster, Text, run, wait_for  # noqa: E402

# wtype adds a new keyboard for each call; keys sent at once can reach the program before it has taken it.
KEYBOARD_SETTLE_MS = 1500


def wtype_arguments(stroke: str) -> list:
    """Text as it is; a key by its name, with the modifiers held for it (ctrl+c)."""
    if isinstance(stroke, Text):
        return [stroke]
    *modifiers, key = stroke.split("+")
    return [*sum([["-M", modifier] for modifier in modifiers], []), "-k", key,
            *sum([["-m", modifier] for modifier in modifiers], [])]


class Program(session.Program):
    """Its windows are sway's views; the scale is the output's, and Qt's own stays 1."""
    PASTE, COPY, TYPES = ("wl-paste", "-t"), ("wl-copy", "-t"), ("wl-paste", "--list-types")

    def scaled(self, scale: int) -> dict:
        run("swaymsg", "output", "HEADLESS-1", "resolution", f"{1280 * scale}x{1024 * scale}", "scale", str(scale))
        return {}

    def views(self) -> dict:
        """The program's views by their ids, oldest first."""
        def tree(node):
            return [node, *(found for child in node["nodes"] + node["floating_nodes"] for found in tree(child))]
        nodes = sorted(tree(json.loads(run("swaymsg", "--raw", "-t", "get_tree"))), key=lambda node: node["id"])
        return {node["id"]: node for node in nodes if node.get("pid") == self.process.pid}

    def windows(self) -> dict:
        return {window: (view["name"] or "", view["focused"]) for window, view in self.views().items()}

    def grab(self, window: int) -> Raster:
        view = self.views()[window]
        box, inside = view["rect"], view["window_rect"]
        area = f"{box['x'] + inside['x']},{box['y'] + inside['y']} {inside['width']}x{inside['height']}"
        return Raster.decode(run("grim", "-t", "ppm", "-g", area, "-"))

    def keys(self, *strokes: str) -> None:
        """One wtype call, after its keyboard has settled."""
        run("wtype", "-s", str(KEYBOARD_SETTLE_MS), *(argument for s in strokes for argument in wtype_arguments(s)))


def started_with_a_picture(executable: str, work: str, evidence) -> None:
    """kururie ../photo.png: the title names the picture by its full path, and the canvas shows its top-left part."""
    photo = os.path.join(work, "photo.png")
    os.makedirs(work)
    run("convert", "-size", "640x480", "gradient:orange-navy", "-draw", "circle 120,120 180,120", "png24:" + photo)
    with Program(executable, os.path.join(work, "program"), evidence, arguments=("../photo.png",),
                 label="started with a picture") as program:
        wait_for("the picture's title", lambda: program.title() == "くるりえ-- " + photo)
        session.same(program.still_canvas("canvas"), Raster.read(photo).crop(0, 0, 400, 400), "the canvas")


def started_with_a_missing_file(executable: str, work: str, evidence) -> None:
    """kururie missing.bmp: over the window a message that it cannot be opened; after Enter the title is くるりえ."""
    with Program(executable, work, evidence, arguments=("missing.bmp",), label="missing file") as program:
        # Shown with the window.
        with program.dialog("message", lambda: None, "くるりえ", "Return"):
            program.keep("screen", Raster.decode(run("grim", "-t", "ppm", "-")), always=True)
        assert program.title() == "くるりえ", f"the title became {program.title()!r}"


def drawn_copied_saved_and_pasted(executable: str, work: str, evidence) -> None:
    """A curve drawn by keys, copied, saved as a bitmap, and a picture pasted over it, which New asks about."""
    with Program(executable, work, evidence, label="drawn by keys") as program:
        canvas = program.draw("drawn")
        program.check(session.copied, canvas)
        program.check(session.saved_as, canvas, "star.bmp")
        program.check(session.pasted)
        program.check(session.save_question_kept, ("alt+f", "n"))


def at_scale_2(executable: str, work: str, evidence) -> None:
    """On an output of scale 2, a curve drawn at its resolution, not as doubled pixels, and the canvas's frame."""
    with Program(executable, work, evidence, scale=2, label="scale 2") as program:
        program.check(session.smooth_curve)
        # Once the focus has left the canvas, which shows it with a ring around the frame.
        program.check(session.canvas_frame)
        program.shot("window", always=True)


if __name__ == "__main__":
    sys.exit(session.session([started_with_a_picture, started_with_a_missing_file, drawn_copied_saved_and_pasted,
                              at_scale_2]))
