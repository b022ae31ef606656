#!/usr/bin/env python3
"""A person's session with くるりえ, played on a real X display.

Sets the circle scroll bars with clicks and keys, draws, checks the curve's pixels against the
formulas, saves through the real file dialog, copies to the X clipboard and opens and closes the
About box. Runs the program as a separate process and talks to it only through the X server.

Usage: rolling_curve_scenario.py PROGRAM ARTEFACT_FOLDER
(needs DISPLAY, e.g. under desktop_session.sh). Pictures of the real dialogs, and of a failure, are left
in ARTEFACT_FOLDER.
"""

import os
import sys

import session_steps as steps
import x_session as x
from curve_points import RollingCurve, pixels_near
from evidence import Evidence
from kururie_window import START_BUTTON, STEP_TIMEOUT, KururieWindow
from raster import Raster

EXPECTED_SETTINGS = b"100,-40,25,0,0,#TRUE#,#FALSE#,0,16777215,#TRUE#,#FALSE#,#FALSE#,0,0\r\n"

ON_CURVE_REACH = 1
OFF_CURVE_REACH = 2
RED, BLUE = (255, 0, 0), (0, 0, 255)


def check_curve(canvas: Raster, evidence: Evidence) -> None:
    points = RollingCurve(steps.FIX_CIRCLE, steps.MOVE_CIRCLE, steps.PEN_POSITION).traced_points()
    ink = set(canvas.dark_pixels())
    reach = range(-ON_CURVE_REACH, ON_CURVE_REACH + 1)
    missing = sorted({(round(px), round(py)) for px, py in points
                      if not any((round(px) + dx, round(py) + dy) in ink for dx in reach for dy in reach)})
    allowed = pixels_near(points, OFF_CURVE_REACH)
    stray = sorted(p for p in ink if p not in allowed)
    if missing or stray:
        evidence.keep("curve-check", canvas.with_marks({RED: missing, BLUE: stray}))
        raise AssertionError(
            f"{len(missing)} curve pixels have no ink within {ON_CURVE_REACH} px "
            f"(first {missing[:5]}); {len(stray)} of {len(ink)} ink pixels lie more than {OFF_CURVE_REACH} px "
            f"from the curve (first {stray[:5]}); curve-check.png shows the first in red, the second in blue")


def settled_content(path: str) -> bytes:
    """The file's bytes once it exists and two reads in a row agree."""
    reads = []

    def stable():
        if not os.path.exists(path):
            return None
        with open(path, "rb") as content:
            reads.append(content.read())
        return len(reads) > 1 and reads[-1] == reads[-2] and reads[-1]

    return x.wait_for(f"{path} to be written", stable, STEP_TIMEOUT)


def save_as(program: KururieWindow, canvas: Raster, folder: str, evidence: Evidence) -> None:
    """名前を付けて保存 with the path typed into the real dialog; checks the bitmap, its settings file and the title."""
    picture_path = os.path.join(folder, "rosette.bmp")
    settings_path = os.path.join(folder, "rosette.txt")
    evidence.keep_file(picture_path)
    evidence.keep_file(settings_path)
    menu = program.choose_menu_item("alt+f", "a")
    dialog = x.wait_for("the Save As dialog", lambda: program.new_window([program.window, menu]), STEP_TIMEOUT)
    evidence.keep_always("save-dialog", x.screenshot(dialog))
    x.focus(dialog)
    x.type_text(picture_path)
    x.key("Return")

    expected_title = "くるりえ-- " + picture_path
    x.wait_for(f"the title {expected_title!r}", lambda: x.window_name(program.window) == expected_title, STEP_TIMEOUT)
    settings = settled_content(settings_path)
    if settings != EXPECTED_SETTINGS:
        raise AssertionError(f"{settings_path} holds {settings!r}, expected {EXPECTED_SETTINGS!r}")
    magic = settled_content(picture_path)[:2]
    size = x.run("identify", "-format", "%w %h", picture_path).stdout.decode().strip()
    if magic != b"BM" or size != "400 400":
        raise AssertionError(f"{picture_path} starts with {magic!r} and measures {size!r}, expected a 400 x 400 BMP")
    differing = Raster.from_file(picture_path).differing_pixels(canvas)
    if differing:
        raise AssertionError(f"{picture_path} differs from the canvas in {differing} pixels")


def copy_to_clipboard(program: KururieWindow, canvas: Raster, evidence: Evidence) -> None:
    """Ctrl+C, then another process (xclip) reads the picture from the X clipboard."""
    x.focus(program.window)
    x.key("ctrl+c")
    png = x.wait_for("a PNG picture on the clipboard", lambda: x.clipboard("image/png"), STEP_TIMEOUT)
    copied = evidence.keep("clipboard", Raster.from_image_bytes(png))
    if (copied.width, copied.height) != (canvas.width, canvas.height):
        raise AssertionError(f"clipboard picture is {copied.width}x{copied.height}, expected {canvas.width}x{canvas.height}")
    differing = copied.differing_pixels(canvas)
    if differing:
        raise AssertionError(f"clipboard picture differs from the canvas in {differing} pixels")


def about_box(program: KururieWindow, evidence: Evidence) -> None:
    """バージョン情報 from the Help menu, closed with Esc."""
    title = "^ﾊﾞｰｼﾞｮﾝ情報$"
    program.choose_menu_item("alt+h", "a")
    about = x.wait_for("the About box", lambda: x.visible_windows(program.process.pid, title), STEP_TIMEOUT)[0]
    evidence.keep_always("about-box", x.screenshot(about))
    x.focus(about)
    x.key("Escape")
    x.wait_for("the About box to close", lambda: not x.visible_windows(program.process.pid, title), STEP_TIMEOUT)


def play(executable: str, work: str, evidence: Evidence) -> None:
    """Runs every check even after one fails, so one report shows all that is wrong; a timeout ends the session."""
    program = KururieWindow(executable, work)
    evidence.keep_file(program.log_path)
    failures = []

    def check(step, *arguments):
        try:
            step(*arguments)
        except AssertionError as failure:
            failures.append(f"{step.__name__}: {failure}")

    try:
        program.wait_until_shown()
        steps.set_scroll_bars(program)
        canvas = steps.draw(program, evidence, lambda: program.click_middle(START_BUTTON))
        check(check_curve, canvas, evidence)
        check(save_as, program, canvas, work, evidence)
        check(copy_to_clipboard, program, canvas, evidence)
        check(about_box, program, evidence)
    finally:
        program.stop()
    if failures:
        raise AssertionError("\n".join(failures))


def main(arguments: list) -> int:
    return steps.run_scenario(__doc__, play, "drew, checked, saved, copied and closed the About box", arguments)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
