#!/usr/bin/env python3
"""A person's session with くるりえ on a real X display under a window manager, through the X server alone: the
dialogs a desktop brings; a curve drawn, copied, saved, exported and asked about; files it must refuse; the same
curve at 遅い, watched as it grows, pauses and ends; and a paste and a run taken back.

Usage: desktop_scenario.py PROGRAM ARTEFACT_FOLDER   (needs DISPLAY, e.g. under desktop_session.sh).
"""

import gzip
import os
import pathlib
import sys
import time

import session
from session import CANVAS, PAUSE_BUTTON, WHITE, Raster, Text, copied, pasted, same, save_question_kept, saved_as
from x_desktop import CLEAR_BUTTON, PEN_COLOUR_BUTTON, SLOW_SPEED_WORDS, START_BUTTON, Program

# The message on a file that is no picture comes at once; a picture the program does not read, whatever its
# name, is refused before any decoder sees it.
PIPE_ANSWER_SECONDS, REFUSAL_SECONDS = 2, 1
FIRST_LOOK_SECONDS, PAUSED_LOOK_SECONDS = 0.5, 1.0


def dialog_titles(program: Program) -> None:
    """The refusal box of 開始 with both circles at 0 titled くるりえ; the colour dialog of 線色 titled 色を選択."""
    program.answer("refusal box", lambda: program.press(START_BUTTON), "くるりえ", "Return")
    program.answer("colour dialog", lambda: program.press(PEN_COLOUR_BUTTON), "色を選択", "Escape")


def svg_copied(program: Program, canvas: Raster) -> None:
    """The copied drawing as SVG, rendered by rsvg-convert at the canvas's size, is the curve drawn again smoothly."""
    svg = program.clipboard("image/svg+xml")
    rendered = Raster.decode(session.run("rsvg-convert", "--width", "400", "--height", "400", input=svg))
    strays = program.keep("clipboard SVG rendered", rendered, always=True).strays_from(canvas)
    assert not strays, f"the clipboard's SVG, rendered, {strays} against the canvas"


def exported_as_a_large_png(program: Program, canvas: Raster) -> None:
    """書き出し with the PNG of 1600 picked by keys: a picture of 1600 pixels a side, the curve drawn again finer,
    and the window's title as it was."""
    title, path = program.title(program.window), os.path.join(program.work, "large")
    with program.dialog("Export dialog", ("alt+f", "e"), "書き出し", "Return"):
        # From the name box to the type box: SVG, then the PNGs of 400, 800 and 1600.
        program.keys("ctrl+a", Text(path), "Tab", "Home", "Down", "Down", "Down")
    session.wait_for("the exported PNG", lambda: os.path.isfile(path + ".png"))
    large = program.keep("exported", Raster.read(path + ".png"), always=True)
    assert (large.width, large.height) == (1600, 1600), f"exported {large.width}x{large.height}"
    assert len(large.where(session.dark)) > 2 * len(canvas.where(session.dark)), "no finer curve"
    assert program.title(program.window) == title, f"the title became {program.title(program.window)!r}"


def pipe_typed_into_open(program: Program, canvas: Raster) -> None:
    """A named pipe typed into 開く is refused at once with a message, and nothing changes."""
    title, pipe = program.title(program.window), os.path.join(program.work, "pipe.bmp")
    os.mkfifo(pipe)
    with program.dialog("Open dialog, a pipe", ("alt+f", "o"), "開く"):
        program.keys("ctrl+a", Text(pipe))
    program.answer("message on the pipe", ("Return",), closing_key="Return", timeout=PIPE_ANSWER_SECONDS)
    program.kept(canvas, title)


def photo_saved_with_ctrl_s(program: Program) -> None:
    """A JPEG photo opened, drawn on and saved with Ctrl+S: Save asks for a name, proposes a bitmap beside the photo,
    and the photo stays as it was."""
    photo = os.path.join(program.work, "photo.jpg")
    session.run("convert", "-size", "640x480", "gradient:orange-navy", photo)
    original = pathlib.Path(photo).read_bytes()
    with program.dialog("Open dialog, a photo", ("alt+f", "o"), "開く", "Return"):
        program.keys("ctrl+a", Text(photo))
    session.wait_for("the photo's title", lambda: program.title(program.window) == "くるりえ-- " + photo)
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


def bomb_refused(program: Program) -> None:
    """A compressed SVG of 300 KB that unpacks to 300 MB, named like a bitmap: refused within a second."""
    bomb, title = os.path.join(program.work, "bomb.bmp"), program.title(program.window)
    with gzip.open(bomb, "wb") as svg:
        svg.writelines([b"<svg xmlns='http://www.w3.org/2000/svg'><!--", *[b"x" * (1 << 20)] * 300, b"--></svg>"])
    with program.dialog("Open dialog, a compressed SVG", ("alt+f", "o"), "開く"):
        program.keys("ctrl+a", Text(bomb))
    program.answer("message on the compressed SVG", ("Return",), "くるりえ", "Return", REFUSAL_SECONDS)
    assert program.process.poll() is None, "the program ended"
    assert program.title(program.window) == title, f"the title became {program.title(program.window)!r}"


def part_of_the_curve(picture: Raster, whole: set, when: str) -> int:
    """Some of the finished curve's ink and nothing else, but not all of it; returns how much."""
    ink = picture.where(session.dark)
    assert ink and ink < whole, (f"{when}: {len(ink)} ink pixels, {len(ink - whole)} of them off the finished "
                                 f"curve, which has {len(whole)}: expected part of it")
    return len(ink)


def slow_run(program: Program, normal: Raster) -> None:
    """遅い chosen by its words: part of the curve at 0.5 s, still while paused, and in the end 普通's picture."""
    whole = normal.where(session.dark)
    program.press(SLOW_SPEED_WORDS)
    program.press(START_BUTTON)
    time.sleep(FIRST_LOOK_SECONDS)
    first = part_of_the_curve(program.shot("slow after half a second", CANVAS, always=True), whole,
                              f"{FIRST_LOOK_SECONDS:g} s after 開始")
    program.press(PAUSE_BUTTON)
    paused = program.still_canvas("slow paused")
    time.sleep(PAUSED_LOOK_SECONDS)
    program.shot("slow paused window", always=True)
    same(program.shot("slow paused later", CANVAS), paused, "paused, the picture a second later")
    assert part_of_the_curve(paused, whole, "paused") > first, f"paused with no more ink than the {first} before"
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
        session.wait_for(f"the canvas {name}", lambda: not program.shot(name, CANVAS, always=True).differences(expected))


def play(executable: str, work: str, evidence: session.Evidence) -> None:
    with Program(executable, work, evidence) as program:
        program.check(dialog_titles)
        # Back to the canvas, where the keys that set the curve start.
        program.press(CANVAS)
        canvas = program.draw("drawn")
        program.check(copied, canvas)
        program.check(svg_copied, canvas)
        program.check(save_question_kept, ("ctrl+n",), ("alt+F4",))
        # The all-files entry, the last of the type box, after the name box.
        program.check(saved_as, canvas, "star", "Tab", "End")
        program.check(exported_as_a_large_png, canvas)
        program.check(pipe_typed_into_open, canvas)
        program.check(photo_saved_with_ctrl_s)
        # Open over the picture drawn on the photo asks first.
        program.check(save_question_kept, ("alt+f", "o"))
        program.check(new_asks_to_save)
        program.check(bomb_refused)
        program.check(slow_run, canvas)
        program.check(undo_a_paste_and_a_run)


if __name__ == "__main__":
    sys.exit(session.session([play], "met the dialogs, drew a curve, copied, saved and exported it, kept it through "
                             "Esc, a pipe, a photo and an Open, was asked to save, refused a compressed SVG at once, "
                             "watched 遅い grow, hold still paused and end as 普通's picture, and took back a paste "
                             "and a run with Ctrl+Z"))
