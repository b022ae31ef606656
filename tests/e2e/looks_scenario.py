#!/usr/bin/env python3
"""くるりえ on X in each look people's desktops give it: looks_scenario.py PROGRAM DESKTOP_FILE FOLDER"""

import functools
import os
import pathlib
import re
import shutil
import sys

import session
from session import canvas_frame, smooth_curve
from x_desktop import Program

# name: (scale, environment, arguments); qt6ct-dark is a dark palette with a larger font, in qt6ct's own files.
LOOKS = {"scale-1": (1, {}, ()), "scale-1.5": (1.5, {}, ()), "scale-2": (2, {}, ()),
         "qt6ct-dark": (1, {"QT_QPA_PLATFORMTHEME": "qt6ct"}, ()),
         "adwaita-dark": (1, {}, ("-style", "Adwaita-Dark")),
         "gtk-dark": (1, {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"}, ())}
# Rectangles of the interior (left, top, width, height) whose captions a style could cut.
CHECK_BOXES = {"ckPenPosition": (424, 136, 169, 17), "ckPenColor": (424, 304, 137, 17)}
BUTTONS = {"cmdPenColor": (424, 240, 49, 25), "cmdBkColor": (520, 240, 49, 25), "cmdStart": (424, 360, 65, 25),
           "cmdClear": (528, 360, 65, 25), "cmdPause": (424, 392, 65, 25), "CmdCirClear": (528, 392, 65, 25)}
# The About box's title and notice, and how far down from above the title only the title reaches.
ABOUT_TEXT, ABOUT_TITLE_HEIGHT = (104, 16, 187, 88), 32


def far(colour: bytes, background: bytes, distance: int = 48) -> bool:
    """Ink: a colour this far (summed over the channels) from the background."""
    return sum(abs(a - b) for a, b in zip(colour, background)) > distance


def window_class(program: Program, desktop_file: str) -> None:
    """ASCII in WM_CLASS, its class the desktop entry's StartupWMClass."""
    shown = session.run("xprop", "-id", str(program.window), "WM_CLASS").decode("latin-1")
    expected = re.search(r"^StartupWMClass=(.*)$", pathlib.Path(desktop_file).read_text(encoding="utf-8"), re.M)[1]
    assert re.findall(r'"([^"]*)"', shown) == ["kururie", expected] == ["kururie", "Kururie"], (
        f"{shown.strip()}, with StartupWMClass={expected}")


def captions(program: Program, shown: session.Raster) -> None:
    """No caption reaches the edge of its box: no ink in a check box's last columns or a button's, inside its frame."""
    cut = []
    for name, rectangle in {**CHECK_BOXES, **BUTTONS}.items():
        left, top, width, height = program.pixels(rectangle)
        inset = round(4 * program.scale) if name in BUTTONS else 0
        rows = range(top + height * 3 // 10, top + height * 7 // 10) if inset else range(top, top + height)
        face = {y: shown.pixel(left + inset if inset else left + width + 2, y) for y in rows}
        edge = (left + width - inset - 2, left + width - inset - 1)
        cut += [name] if any(far(shown.pixel(x, y), face[y], 96) for x in edge for y in rows) else []
    assert not cut, f"{cut} cut off"


def about_box(program: Program) -> None:
    """Its text stands out from its face, in the window's font: the title no taller than 9-point letters."""
    with program.dialog("About box", ("alt+h", "a"), "ﾊﾞｰｼﾞｮﾝ情報", "Escape") as box:
        shown = program.grab(box)
    face, text = shown.pixel(2, 2), shown.crop(*ABOUT_TEXT)
    brightness = lambda colour: 0.299 * colour[0] + 0.587 * colour[1] + 0.114 * colour[2]  # noqa: E731
    contrast = max(abs(brightness(colour) - brightness(face)) for colour in text.colours())
    rows = sorted({y for _, y in text.crop(0, 0, text.width, ABOUT_TITLE_HEIGHT).where(lambda c: far(c, face))})
    assert contrast >= 110 and rows and rows[-1] - rows[0] <= 14, (
        f"its text stands out by {contrast:.0f}, its title's letters are {rows and rows[-1] - rows[0] + 1} tall")


def look(name: str, executable: str, desktop_file: str, work: str, evidence) -> None:
    if name == "qt6ct-dark":
        shutil.copytree(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), os.path.join(work, "config"))
    with Program(executable, work, evidence, *LOOKS[name], name) as program:
        # One Tab takes the focus, and the ring that shows it, from the canvas to the first button.
        program.keys("Tab")
        shown = program.shot("window", always=True)
        program.check(window_class, desktop_file)
        program.check(canvas_frame)
        program.check(captions, shown)
        if name.endswith("-dark"):
            program.check(about_box)
        if program.scale == 2:
            # Back to the canvas, where the keys that set the curve start.
            program.keys("shift+Tab")
            program.check(smooth_curve)


if __name__ == "__main__":
    sys.exit(session.session([functools.partial(look, name) for name in LOOKS]))
