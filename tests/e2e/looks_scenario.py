#!/usr/bin/env python3
"""くるりえ as the Linux desktops people run show it: at scales 1, 1.5 and 2, in a dark palette with a larger
font (qt6ct), under Adwaita-Dark and under the GTK platform theme with a dark GTK theme. Each look is a start of
the real program, seen through the X server alone: its window class, the canvas frame, every caption the style
could cut and, in the dark looks, the About box; at scale 2 a curve is drawn and must be smooth.

Usage: looks_scenario.py PROGRAM DESKTOP_FILE ARTEFACT_FOLDER   (needs DISPLAY, e.g. under desktop_session.sh).
"""

import functools
import os
import pathlib
import re
import sys

import session
from session import canvas_frame, smooth_curve
from x_desktop import Program

QT6CT_DARK = ("[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\n"
              "style=Fusion\n\n[Fonts]\ngeneral=\"IPAPGothic,14,-1,5,400,0,0,0,0,0,0,0,0,0,0,1\"\n")
# name: (scale, environment, arguments, qt6ct configuration)
LOOKS = {
    "scale-1": (1, {}, (), None),
    "scale-1.5": (1.5, {}, (), None),
    "scale-2": (2, {}, (), None),
    "qt6ct-dark": (1, {"QT_QPA_PLATFORMTHEME": "qt6ct"}, (), QT6CT_DARK),
    "adwaita-dark": (1, {}, ("-style", "Adwaita-Dark"), None),
    "gtk-dark": (1, {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"}, (), None),
}
# Rectangles of the interior (left, top, width, height) whose captions a style could cut.
CHECK_BOXES = {"ckPenPosition": (424, 136, 169, 17), "ckPenColor": (424, 304, 137, 17)}
BUTTONS = {"cmdPenColor": (424, 240, 49, 25), "cmdBkColor": (520, 240, 49, 25), "cmdStart": (424, 360, 65, 25),
           "cmdClear": (528, 360, 65, 25), "cmdPause": (424, 392, 65, 25), "CmdCirClear": (528, 392, 65, 25)}
# The About box's title and notice, and how far down from above the title only the title reaches.
ABOUT_TEXT, ABOUT_TITLE_HEIGHT = (104, 16, 187, 88), 32
# Ink is a colour this far (summed over the channels) from the background; text must stand this far out in
# brightness to be read.
INK, READABLE = 48, 110


def far(colour: bytes, background: bytes, distance: int = INK) -> bool:
    return sum(abs(a - b) for a, b in zip(colour, background)) > distance


def luminance(colour: bytes) -> float:
    return 0.299 * colour[0] + 0.587 * colour[1] + 0.114 * colour[2]


def window_class(program: Program, desktop_file: str) -> None:
    """ASCII in WM_CLASS, its class the desktop entry's StartupWMClass."""
    shown = session.run("xprop", "-id", str(program.window), "WM_CLASS").decode("latin-1")
    expected = re.search(r"^StartupWMClass=(.*)$", pathlib.Path(desktop_file).read_text(encoding="utf-8"), re.M)[1]
    assert re.findall(r'"([^"]*)"', shown) == ["kururie", expected] == ["kururie", "Kururie"], (
        f"{shown.strip()}, expected \"kururie\", \"Kururie\" and StartupWMClass={expected}")


def captions(program: Program, shown: session.Raster) -> None:
    """No caption a style could cut reaches the edge of its box: a check box's last columns, a button's frame."""
    faults = []
    for name, rectangle in {**CHECK_BOXES, **BUTTONS}.items():
        left, top, width, height = program.pixels(rectangle)
        inset = round(4 * program.scale) if name in BUTTONS else 0
        band = range(top + height * 3 // 10, top + height * 7 // 10) if inset else range(top, top + height)
        # Against the face just outside a check box, or a button's own face just inside its frame, row by row.
        face = [shown.pixel(left + inset if inset else left + width + 2, y) for y in band]
        text = [column for column in range(left + inset, left + width - inset)
                if any(far(shown.pixel(column, y), colour, 96) for y, colour in zip(band, face))]
        if text and text[-1] >= left + width - inset - 2:
            faults.append(f"{name} is cut off")
    assert not faults, ", ".join(faults)


def about_box(program: Program) -> None:
    """Its text stands out from its face, in the window's font: the title no taller than 9-point letters."""
    with program.dialog("About box", ("alt+h", "a"), "ﾊﾞｰｼﾞｮﾝ情報", "Escape") as box:
        shown = program.grab(box)
    face = shown.pixel(2, 2)
    left, top, width, height = ABOUT_TEXT
    contrast = max(abs(luminance(shown.pixel(column, y)) - luminance(face))
                   for column in range(left, left + width) for y in range(top, top + height))
    rows = [y for y in range(top, top + ABOUT_TITLE_HEIGHT)
            if any(far(shown.pixel(column, y), face) for column in range(left, left + width))]
    assert contrast >= READABLE and rows and rows[-1] - rows[0] <= 14, (
        f"its text stands out by {contrast:.0f} of 255 in brightness, its title's letters are "
        f"{rows[-1] - rows[0] + 1 if rows else 0} pixels tall")


def look(name: str, executable: str, desktop_file: str, work: str, evidence: session.Evidence) -> None:
    scale, environment, arguments, qt6ct = LOOKS[name]
    if qt6ct:
        os.makedirs(os.path.join(work, "config", "qt6ct"))
        pathlib.Path(work, "config", "qt6ct", "qt6ct.conf").write_text(qt6ct, encoding="utf-8")
    with Program(executable, work, evidence, scale, environment, arguments, name) as program:
        # One Tab takes the focus, and the ring that shows it, from the canvas to the first button.
        program.keys("Tab")
        shown = program.shot("window", always=True)
        program.check(window_class, desktop_file)
        program.check(canvas_frame)
        program.check(captions, shown)
        if name.endswith("-dark"):
            program.check(about_box)
        if scale == 2:
            # Back to the canvas, where the keys that set the curve start.
            program.keys("shift+Tab")
            program.check(smooth_curve)


if __name__ == "__main__":
    sys.exit(session.session([functools.partial(look, name) for name in LOOKS], f"looked at {len(LOOKS)} looks: "
                             "window class, canvas frame, captions, About box and a smooth curve at 2"))
