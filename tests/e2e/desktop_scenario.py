#!/usr/bin/env python3
"""くるりえ meets what a desktop session brings: the window manager, real dialogs, focus coming back.

Checks that the refusal box, the Save As and colour dialogs and the save question are Japanese
(their titles through the window manager; the question's buttons against the same question drawn
by Qt with Japanese buttons, by question_stamp), that
the gradation slider's handle moves when dragged from its lower-left corner, and that the focus
coming back to the window after the About box does not bring the preview back over a picture.
Runs the program as a separate process and talks to it only through the X server.

Usage: desktop_scenario.py PROGRAM ARTEFACT_FOLDER QUESTION_STAMP
(needs DISPLAY with a window manager, e.g. under desktop_session.sh). Pictures of the real
dialogs, and of a failure, are left in ARTEFACT_FOLDER.
"""

import os
import subprocess
import sys

import session_steps as steps
import x_session as x
from evidence import Evidence
from kururie_window import (CANVAS, GRADATION_BOX, GRADATION_SLIDER, PEN_COLOUR_BUTTON, START_BUTTON, STEP_TIMEOUT,
                            KururieWindow)
from raster import Raster

# Long enough for the window manager's activation to have reached the program.
SETTLE_SECONDS = 1.5
# The gradation slider's handle: the row of the slider that crosses its middle, and how it shows there.
HANDLE_ROW, HANDLE_RUN, NEAR_WHITE = 5, 8, 0xF0
DRAG = 60


class Dialog:
    """A dialog the program opened, seen through the window manager; a picture of it is kept."""

    def __init__(self, program: KururieWindow, evidence: Evidence, name: str, opener):
        known = x.visible_windows(program.process.pid)
        opener()
        self.program = program
        self.name = name
        self.window = x.wait_for(f"the {name}", lambda: program.new_window(known), STEP_TIMEOUT)
        self.title = x.wait_for(f"the {name}'s title", lambda: x.window_name(self.window), STEP_TIMEOUT)
        evidence.keep_always(name.replace(" ", "-"), x.screenshot(self.window))

    def close(self, key: str, expected_title: str) -> None:
        """Closes it with a key, then checks the title it had."""
        x.focus(self.window)
        x.key(key)
        x.wait_for(f"the {self.name} to close",
                   lambda: self.window not in x.visible_windows(self.program.process.pid), STEP_TIMEOUT)
        x.wait_for("the main window to be active again", lambda: x.active_window() == self.program.window,
                   STEP_TIMEOUT)
        if self.title != expected_title:
            raise AssertionError(f"the {self.name} is titled {self.title!r}, expected {expected_title!r}")


def refusal_box(program: KururieWindow, evidence: Evidence) -> None:
    """開始 with both circles at 0: the window manager shows the program's name, not an internal one."""
    Dialog(program, evidence, "refusal box", lambda: program.click_middle(START_BUTTON)).close("Return", "くるりえ")


def save_as_dialog(program: KururieWindow, evidence: Evidence) -> None:
    Dialog(program, evidence, "Save As dialog", lambda: program.choose_menu_item("alt+f", "a")).close(
        "Escape", "名前を付けて保存")


def colour_dialog(program: KururieWindow, evidence: Evidence) -> None:
    Dialog(program, evidence, "colour dialog", lambda: program.click_middle(PEN_COLOUR_BUTTON)).close(
        "Escape", "色を選択")


def handle_left(slider: Raster) -> int:
    """Where the slider's handle begins: the first run of near-white pixels across its groove."""
    row = [slider.rgb[(HANDLE_ROW * slider.width + column) * 3] for column in range(slider.width)]
    for column in range(slider.width - HANDLE_RUN):
        if all(red >= NEAR_WHITE for red in row[column:column + HANDLE_RUN]):
            return column
    return -1


def gradation_slider_drag(program: KururieWindow, evidence: Evidence) -> None:
    """With gradation on and the slider at 0, a drag from the handle's lower-left corner (where 粗 lies
    next to it) takes the handle along."""
    left, top, _, _ = GRADATION_SLIDER

    def handle():
        return handle_left(program.crop(evidence.keep("slider", program.screenshot()), GRADATION_SLIDER))

    box_left, box_top, _, box_height = GRADATION_BOX
    tick = (box_left, box_top, box_height, box_height)
    program.click_middle(GRADATION_BOX)
    try:
        x.wait_for("the tick in 線色グラデーション",
                   lambda: program.crop(program.screenshot(), tick).dark_pixels(), STEP_TIMEOUT)
        start = handle()
        corner = program.point(left + start + 1, top + 9)
        x.drag(program.window, corner, (corner[0] + DRAG, corner[1]))
        x.wait_for("the handle to follow the drag", lambda: handle() >= start + DRAG // 2, STEP_TIMEOUT)
    except x.WaitTimeout as timeout:
        raise AssertionError(str(timeout)) from None
    finally:
        program.click_middle(GRADATION_BOX)


def preview_after_about_box(program: KururieWindow, evidence: Evidence) -> None:
    """A run started with Enter from a scroll bar, then the About box: the focus comes back to the scroll
    bar with the window, and the picture must stay free of the preview."""
    steps.set_scroll_bars(program)
    steps.draw(program, evidence, lambda: x.key("Return"))
    Dialog(program, evidence, "About box", lambda: program.choose_menu_item("alt+h", "a")).close(
        "Escape", "ﾊﾞｰｼﾞｮﾝ情報")
    x.stays("a canvas without the preview circles and pen marker",
            lambda: steps.is_plain_drawing(program.crop(evidence.keep("after-about", program.screenshot()), CANVAS)),
            SETTLE_SECONDS)


def save_question(program: KururieWindow, evidence: Evidence, stamp: str) -> None:
    """新規 after a run asks whether to save, with Japanese buttons: the question looks exactly like
    the same question drawn by Qt with はい(&Y) and いいえ(&N)."""
    question = Dialog(program, evidence, "save question", lambda: program.choose_menu_item("alt+f", "n"))
    x.focus(question.window)
    asked = evidence.keep("save-question-active", x.screenshot(question.window))
    reference = subprocess.Popen([stamp, "確認", "編集を保存しますか?", "はい(&Y)", "いいえ(&N)"])
    try:
        window = x.wait_for("the reference question", lambda: x.visible_windows(reference.pid), STEP_TIMEOUT)[0]
        x.focus(window)
        expected = evidence.keep("save-question-reference", x.screenshot(window))
    finally:
        reference.kill()
        reference.wait()
    question.close("n", "確認")
    if (asked.width, asked.height) != (expected.width, expected.height) or asked.differing_pixels(expected):
        raise AssertionError("the save question does not look like one with the buttons はい(&Y) and いいえ(&N)")


def play(executable: str, work: str, evidence: Evidence, stamp: str) -> None:
    """Runs every check even after one fails, so one report shows all that is wrong; a timeout ends the session."""
    program = KururieWindow(executable, work)
    evidence.keep_file(program.log_path)
    failures = []
    try:
        program.wait_until_shown()
        for step in (refusal_box, save_as_dialog, colour_dialog, gradation_slider_drag, preview_after_about_box,
                     lambda *session: save_question(*session, stamp)):
            try:
                step(program, evidence)
            except AssertionError as failure:
                failures.append(str(failure))
    finally:
        program.stop()
    if failures:
        raise AssertionError("\n".join(failures))


def main(arguments: list) -> int:
    if len(arguments) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    stamp = os.path.abspath(arguments.pop())
    return steps.run_scenario(__doc__, lambda executable, work, evidence: play(executable, work, evidence, stamp),
                              "met the dialogs, the slider and the returning focus", arguments)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
