#!/usr/bin/env python3
"""A person's session with くるりえ on a real X display under a window manager, through the X server alone:
the dialogs a desktop brings; a curve drawn from the scroll bars, copied, saved and asked about; then the same
curve at 遅い, watched as it grows, pauses and ends.

Usage: desktop_scenario.py PROGRAM ARTEFACT_FOLDER   (needs DISPLAY, e.g. under desktop_session.sh).
Pictures of the real dialogs and of the runs, and everything seen in a failure, stay in ARTEFACT_FOLDER.
"""

import gzip
import os
import pathlib
import subprocess
import sys
import time

import x_desktop as x
from x_desktop import CANVAS, CLEAR_BUTTON, PAUSE_BUTTON, START_BUTTON, Kururie, Raster

# An inner curve with R 75, r 30 and d 15, of 1440 half-degree segments: 遅い draws it in about two seconds.
CURVE = (100, -40, 10)
PIPE_ANSWER_SECONDS = 2
# A picture the program does not read, whatever its name, is refused before any decoder sees it.
REFUSAL_SECONDS = 1
FIRST_LOOK_SECONDS, PAUSED_LOOK_SECONDS = 0.5, 1.0


def dialog_titles(program: Kururie) -> None:
    """The refusal box of 開始 with both circles at 0 titled くるりえ; the colour dialog of 線色 titled 色を選択."""
    with program.dialog("refusal box", lambda: program.press(START_BUTTON), "くるりえ", "Return"):
        pass
    with program.dialog("colour dialog", lambda: program.press(x.PEN_COLOUR_BUTTON), "色を選択", "Escape"):
        pass


def clipboard_copy(program: Kururie, canvas: Raster) -> None:
    """Ctrl+C, then another process (xclip) reads the picture from the X clipboard, and the drawing as SVG, which
    rsvg-convert renders at the canvas's size as the curve drawn again."""
    program.keys("ctrl+c")

    def clipboard(kind: str) -> bytes:
        return x.wait_for(f"{kind} on the clipboard",
                          lambda: x.run("xclip", "-selection", "clipboard", "-t", kind, "-o", check=False))

    difference = program.evidence.keep("clipboard", Raster.decode(clipboard("image/png"))).differences(canvas)
    assert not difference, f"the clipboard picture {difference} from the canvas"
    rendered = x.run("rsvg-convert", "--width", "400", "--height", "400", "--format", "png",
                     input=clipboard("image/svg+xml"))
    strays = program.evidence.keep("clipboard SVG rendered", Raster.decode(rendered), always=True).strays_from(canvas)
    assert not strays, f"the clipboard's SVG, rendered, {strays} against the canvas"


def picture_kept(program: Kururie, canvas: Raster, title: str) -> None:
    """The canvas still shows the picture and the window still names its file."""
    difference = program.shot("canvas-kept", CANVAS).differences(canvas)
    assert not difference, f"the canvas {difference} from the picture it showed"
    assert x.window_name(program.window) == title, f"the title became {x.window_name(program.window)!r}"


def escape_abandons_the_save_question(program: Kururie, canvas: Raster) -> None:
    """Esc on 編集を保存しますか? after Ctrl+N and after the close box (Alt+F4) keeps the picture and the window."""
    title = x.window_name(program.window)
    for name, keys in (("save question after Ctrl+N", "ctrl+n"), ("save question after the close box", "alt+F4")):
        with program.dialog(name, lambda: program.keys(keys), "確認", "Escape"):
            pass
        picture_kept(program, canvas, title)


def save_as_with_the_all_files_entry(program: Kururie, canvas: Raster, folder: str) -> None:
    """"star" typed, すべてのﾌｧｲﾙ(*.*) picked by the keyboard: the canvas saved as "star", no "*" in any name."""
    path = os.path.join(folder, "star")
    with program.dialog("Save As dialog, all files", lambda: program.choose("alt+f", "a"), "名前を付けて保存",
                        "Return"):
        x.replace_text(path)
        # From the name box to the type box, then its last entry.
        x.key("Tab", "End")
    x.wait_for(f"the title naming {path}", lambda: x.window_name(program.window) == "くるりえ-- " + path)
    starred = [name for name in os.listdir(folder) if "*" in name]
    assert os.path.isfile(path) and not starred, f"saved {sorted(os.listdir(folder))}, with a '*' in {starred}"
    difference = Raster.decode(pathlib.Path(path).read_bytes()).differences(canvas)
    assert not difference, f"the saved picture {difference} from the canvas"


def exported_as_a_large_png(program: Kururie, canvas: Raster, folder: str) -> None:
    """書き出し with the PNG of 1600 picked by the keyboard: a picture of 1600 pixels a side, the curve drawn again
    finer, and the window's title as it was."""
    title, path = x.window_name(program.window), os.path.join(folder, "large")
    with program.dialog("Export dialog", lambda: program.choose("alt+f", "e"), "書き出し", "Return"):
        x.replace_text(path)
        # From the name box to the type box: SVG, then the PNGs of 400, 800 and 1600.
        x.key("Tab", "Home", "Down", "Down", "Down")
    exported = x.wait_for("the exported PNG", lambda: os.path.isfile(path + ".png"))
    large = program.evidence.keep("exported", Raster.decode(pathlib.Path(path + ".png").read_bytes()), always=True)
    assert exported and (large.width, large.height) == (1600, 1600), f"exported {large.width}x{large.height}"
    assert large.dark_pixels() and len(large.dark_pixels()) > 2 * len(canvas.dark_pixels()), "no finer curve"
    assert x.window_name(program.window) == title, f"the title became {x.window_name(program.window)!r}"


def pipe_typed_into_open(program: Kururie, canvas: Raster, folder: str) -> None:
    """A named pipe typed into 開く is refused at once with a message, and nothing changes."""
    title, pipe = x.window_name(program.window), os.path.join(folder, "pipe.bmp")
    os.mkfifo(pipe)
    with program.dialog("Open dialog, a pipe", lambda: program.choose("alt+f", "o"), "開く"):
        x.replace_text(pipe)
    with program.dialog("message on the pipe", lambda: x.key("Return"), closing_key="Return",
                        timeout=PIPE_ANSWER_SECONDS):
        pass
    picture_kept(program, canvas, title)


def name_box(program: Kururie) -> str:
    """The text of the focused name box, copied through the X clipboard."""
    x.key("ctrl+a", "ctrl+c")
    return x.run("xclip", "-selection", "clipboard", "-o", check=False).decode()


def photo_saved_with_ctrl_s(program: Kururie, folder: str) -> None:
    """A JPEG photo opened, drawn on and saved with Ctrl+S: Save asks for a name, proposes a bitmap beside the photo,
    and the photo stays as it was."""
    photo = os.path.join(folder, "photo.jpg")
    x.run("convert", "-size", "640x480", "gradient:orange-navy", photo)
    original = pathlib.Path(photo).read_bytes()
    with program.dialog("Open dialog, a photo", lambda: program.choose("alt+f", "o"), "開く", "Return"):
        x.replace_text(photo)
    x.wait_for("the photo's title", lambda: x.window_name(program.window) == "くるりえ-- " + photo)
    program.run_to_end(lambda: program.press(START_BUTTON), "drawn on the photo")
    with program.dialog("Save As for the photo", lambda: program.keys("ctrl+s"), "名前を付けて保存", "Escape"):
        proposed = name_box(program)
    assert proposed == "photo.bmp", f"Save As proposed {proposed!r} for the photo"
    assert pathlib.Path(photo).read_bytes() == original, "the photo's file changed"


def open_over_a_drawn_picture(program: Kururie) -> None:
    """開く over a drawn, unsaved picture asks 編集を保存しますか? first; Esc keeps the picture and shows no Open dialog."""
    title, drawn = x.window_name(program.window), program.shot("before Open", CANVAS)
    with program.dialog("save question before Open", lambda: program.choose("alt+f", "o"), "確認", "Escape"):
        pass
    picture_kept(program, drawn, title)


def bomb_refused(program: Kururie, folder: str) -> None:
    """A compressed SVG of 300 KB that unpacks to 300 MB, named like a bitmap: refused within a second."""
    bomb = os.path.join(folder, "bomb.bmp")
    with gzip.open(bomb, "wb") as svg:
        svg.write(b"<svg xmlns='http://www.w3.org/2000/svg'><!--")
        for _ in range(300):
            svg.write(b"x" * (1 << 20))
        svg.write(b"--></svg>")
    title = x.window_name(program.window)
    with program.dialog("Open dialog, a compressed SVG", lambda: program.choose("alt+f", "o"), "開く"):
        x.replace_text(bomb)
    with program.dialog("message on the compressed SVG", lambda: x.key("Return"), "くるりえ", "Return",
                        timeout=REFUSAL_SECONDS):
        pass
    assert program.process.poll() is None, "the program ended"
    assert x.window_name(program.window) == title, f"the title became {x.window_name(program.window)!r}"


def save_question(program: Kururie) -> None:
    """新規 after a run asks 編集を保存しますか?, titled 確認; いいえ (N) clears the canvas."""
    with program.dialog("save question", lambda: program.choose("alt+f", "n"), "確認", "n"):
        pass
    x.wait_for("the canvas to be cleared", lambda: set(program.shot("cleared", CANVAS).colours()) == {x.WHITE})


def undo_a_paste_and_a_run(program: Kururie, folder: str) -> None:
    """絵を消す, a run, then a picture pasted from another program (xclip): Ctrl+Z takes back the paste, then the run."""
    program.press(CLEAR_BUTTON)
    blank = program.still_canvas("cleared for undo")
    drawn = program.run_to_end(lambda: program.press(START_BUTTON), "drawn for undo")
    pasted = os.path.join(folder, "pasted.png")
    x.run("convert", "-size", "400x400", "gradient:yellow-blue", pasted)
    # xclip serves the clipboard until another program takes it.
    server = subprocess.Popen(["xclip", "-selection", "clipboard", "-t", "image/png", "-i", pasted])
    try:
        x.wait_for("the picture on the clipboard", lambda: x.run("xclip", "-selection", "clipboard", "-t",
                                                                "TARGETS", "-o", check=False).count(b"image/png"))
        program.keys("ctrl+v")
        x.wait_for("the pasted picture", lambda: program.shot("pasted", CANVAS).differences(drawn))
        for name, expected in (("paste undone", drawn), ("run undone", blank)):
            program.keys("ctrl+z")
            x.wait_for(f"the canvas {name}", lambda: not program.shot(name, CANVAS).differences(expected))
            program.shot(name, CANVAS, always=True)
    finally:
        server.kill()


def part_of_the_curve(picture: Raster, whole: set, when: str) -> int:
    """Some of the finished curve's ink and nothing else, but not all of it; returns how much."""
    ink = picture.dark_pixels()
    assert ink and ink < whole, (f"{when}: {len(ink)} ink pixels, {len(ink - whole)} of them off the finished "
                                 f"curve, which has {len(whole)}: expected part of it")
    return len(ink)


def slow_run(program: Kururie, normal: Raster) -> None:
    """遅い chosen by its words: part of the curve at 0.5 s, still while paused, and in the end 普通's picture."""
    whole = normal.dark_pixels()
    program.press(x.SLOW_SPEED_WORDS)
    program.press(START_BUTTON)
    time.sleep(FIRST_LOOK_SECONDS)
    first = part_of_the_curve(program.shot("slow after half a second", CANVAS, always=True), whole,
                              f"{FIRST_LOOK_SECONDS:g} s after 開始")
    program.press(PAUSE_BUTTON)
    paused = program.still_canvas("slow paused")
    time.sleep(PAUSED_LOOK_SECONDS)
    program.shot("slow paused window", always=True)
    difference = program.shot("slow paused later", CANVAS).differences(paused)
    assert not difference, f"paused, the picture {difference} a second later"
    assert part_of_the_curve(paused, whole, "paused") > first, f"paused with no more ink than the {first} before"
    difference = program.run_to_end(lambda: program.press(PAUSE_BUTTON), "slow end").differences(normal)
    assert not difference, f"the finished 遅い picture {difference} from the 普通 one"


def play(executable: str, work: str, evidence: x.Evidence) -> str:
    with Kururie(executable, work, evidence) as program:
        program.check(dialog_titles)
        program.set_curve(*CURVE)
        # Enter on the pen's scroll bar, where the last move left the focus, starts the run.
        canvas = program.run_to_end(lambda: x.key("Return"), "drawn")
        program.check(clipboard_copy, canvas)
        program.check(escape_abandons_the_save_question, canvas)
        program.check(save_as_with_the_all_files_entry, canvas, work)
        program.check(exported_as_a_large_png, canvas, work)
        program.check(pipe_typed_into_open, canvas, work)
        program.check(photo_saved_with_ctrl_s, work)
        program.check(open_over_a_drawn_picture)
        program.check(save_question)
        program.check(bomb_refused, work)
        program.check(slow_run, canvas)
        program.check(undo_a_paste_and_a_run, work)
    return ("met the dialogs, drew a curve, copied and saved it, kept it through Esc, a pipe, a photo and an Open, "
            "was asked to save, refused a compressed SVG at once, and watched 遅い grow, hold still paused and end as "
            "普通's picture, and then took back a paste and a run with Ctrl+Z")


if __name__ == "__main__":
    sys.exit(x.session(sys.argv[1:], __doc__, play))
