#!/usr/bin/env python3
"""A person's session with くるりえ on an X desktop, from its dialogs to an undo: desktop_scenario.py PROGRAM FOLDER"""

import gzip
import os
import pathlib
import sys
import time

import session
from session import CANVAS, PAUSE_BUTTON, WHITE, Raster, Text, copied, pasted, same, save_question_kept, saved_as
from x_desktop import CLEAR_BUTTON, PEN_COLOUR_BUTTON, SLOW_SPEED_WORDS, START_BUTTON, Program


def dialog_titles(program: Program) -> None:
    """The refusal box of 開始 with both circles at 0 titled くるりえ; the colour dialog of 線色 titled 色を選択."""
    program.answer("refusal box", lambda: program.press(START_BUTTON), "くるりえ", "Return")
    program.answer("colour dialog", lambda: program.press(PEN_COLOUR_BUTTON), "色を選択", "Escape")


def exported_as_a_large_png(program: Program, canvas: Raster) -> None:
    """書き出し as the PNG of 1600 picked by keys: the curve drawn again finer, 1600 pixels a side; nothing else changes."""
    title, path = program.title(), os.path.join(program.work, "large")
    with program.dialog("Export dialog", ("alt+f", "e"), "書き出し", "Return"):
        # From the name box to the type box: SVG, then the PNGs of 400, 800 and 1600.
        program.keys("ctrl+a", Text(path), "Tab", "Home", "Down", "Down", "Down")
    session.wait_for("the exported PNG", lambda: os.path.isfile(path + ".png"))
    large = program.keep("exported", Raster.read(path + ".png"), always=True)
    assert (large.width, large.height) == (1600, 1600), f"exported {large.width}x{large.height}"
    assert len(large.where(session.dark)) > 2 * len(canvas.where(session.dark)), "no finer curve"
    program.kept(canvas, title)


def files_to_refuse(folder: str) -> None:
    """A named pipe, and a compressed SVG of 300 KB that unpacks to 300 MB, both named like bitmaps."""
    os.mkfifo(os.path.join(folder, "pipe.bmp"))
    with gzip.open(os.path.join(folder, "bomb.bmp"), "wb") as svg:
        svg.writelines([b"<svg xmlns='http://www.w3.org/2000/svg'><!--", *[b"x" * (1 << 20)] * 300, b"--></svg>"])


def refused_at_once(program: Program, name: str, seconds: float) -> None:
    """A file that is no picture the program reads, typed into 開く: a message within the seconds; nothing changes."""
    title, canvas = program.title(), program.shot("canvas before", CANVAS)
    with program.dialog(f"Open dialog, {name}", ("alt+f", "o"), "開く", "Return"):
        program.keys("ctrl+a", Text(os.path.join(program.work, name)))
    program.answer(f"message on {name}", lambda: None, "くるりえ", "Return", seconds)
    program.kept(canvas, title)


def photo_saved_with_ctrl_s(program: Program) -> None:
    """A JPEG photo opened, drawn on and saved with Ctrl+S: Save As proposes photo.bmp; the photo stays as it was."""
    photo = os.path.join(program.work, "photo.jpg")
    session.run("convert", "-size", "640x480", "gradient:orange-navy", photo)
    original = pathlib.Path(photo).read_bytes()
    with program.dialog("Open dialog, a photo", ("alt+f", "o"), "開く", "Return"):
        program.keys("ctrl+a", Text(photo))
    session.wait_for("the photo's title", lambda: program.title() == "くるりえ-- " + photo)
    program.run_to_end(lambda: program.press(START_BUTTON), "drawn on the photo")
    with program.dialog("Save As for the photo", ("ctrl+s",), "名前を付けて保存", "Escape"):
        # The name box's text, through the clipboard.
        program.keys("ctrl+a", "ctrl+c")
        proposed = session.wait_for("the proposed name", lambda: program.clipboard("UTF8_STRING")).decode()
    assert proposed == "photo.bmp", f"Save As proposed {proposed!r} for the photo"
    assert pathlib.Path(photo).read_bytes() == original, "the photo's file changed"


def new_asks_to_save(program: Program) -> None:
    """新規 after a run asks 編集を保存しますか?, titled 確認; いいえ (N) clears the canvas."""
    program.answer("save question", ("alt+f", "n"), "確認", "n")
    session.wait_for("the canvas to be cleared", lambda: set(program.shot("cleared", CANVAS).colours()) == {WHITE})


def slow_run(program: Program, normal: Raster) -> None:
    """遅い chosen by its words: part of the curve at 0.5 s, more and still while paused, at the end 普通's picture."""
    program.press(SLOW_SPEED_WORDS)
    program.press(START_BUTTON)
    time.sleep(0.5)
    first = program.shot("slow after half a second", CANVAS, always=True)
    program.press(PAUSE_BUTTON)
    paused = program.still_canvas("slow paused")
    # A second of standing still.
    time.sleep(1)
    program.shot("slow paused window", always=True)
    same(program.shot("slow paused later", CANVAS), paused, "paused, the picture a second later")
    ink = [picture.where(session.dark) for picture in (first, paused, normal)]
    assert set() < ink[0] < ink[1] < ink[2], (f"{len(ink[0])} and then {len(ink[1])} ink pixels, "
                                              f"{len((ink[0] | ink[1]) - ink[2])} off the {len(ink[2])} of the curve")
    same(program.run_to_end(lambda: program.press(PAUSE_BUTTON), "slow end"), normal,
         "the finished 遅い picture, against the 普通 one,")


def undo_a_paste_and_a_run(program: Program) -> None:
    """絵を消す, a run, then a picture pasted from another program (xclip): Ctrl+Z takes back the paste, then the run."""
    program.press(CLEAR_BUTTON)
    blank = program.still_canvas("cleared for undo")
    drawn = program.run_to_end(lambda: program.press(START_BUTTON), "drawn for undo")
    pasted(program)
    for name, expected in (("paste undone", drawn), ("run undone", blank)):
        program.keys("ctrl+z")
        session.wait_for(f"the {name}", lambda: program.shot(name, CANVAS, always=True).rgb == expected.rgb)


def play(executable: str, work: str, evidence) -> None:
    with Program(executable, work, evidence) as program:
        program.check(dialog_titles)
        # Back to the canvas, where the keys that set the curve start.
        program.press(CANVAS)
        canvas = program.draw("drawn")
        program.check(copied, canvas)
        program.check(save_question_kept, ("ctrl+n",), ("alt+F4",))
        # The all-files entry, the last of the type box, after the name box.
        program.check(saved_as, canvas, "star", "Tab", "End")
        program.check(exported_as_a_large_png, canvas)
        files_to_refuse(work)
        program.check(refused_at_once, "pipe.bmp", 2)
        program.check(photo_saved_with_ctrl_s)
        # Open over the picture drawn on the photo asks first.
        program.check(save_question_kept, ("alt+f", "o"))
        program.check(new_asks_to_save)
        program.check(refused_at_once, "bomb.bmp", 1)
        program.check(slow_run, canvas)
        program.check(undo_a_paste_and_a_run)


if __name__ == "__main__":
    sys.exit(session.session([play]))
