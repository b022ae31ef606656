#!/usr/bin/env python3
"""A person's session with くるりえ on a real X display under a window manager, through the X server alone:
the dialogs a desktop brings; a curve drawn from the scroll bars and checked against the formulas, copied,
saved and asked about; then the same curve at 遅い, watched as it grows, pauses and ends.

Usage: desktop_scenario.py PROGRAM ARTEFACT_FOLDER   (needs DISPLAY, e.g. under desktop_session.sh).
Pictures of the real dialogs and of the runs, and everything seen in a failure, stay in ARTEFACT_FOLDER.
"""

import math
import os
import pathlib
import struct
import sys
import time

import x_desktop as x
from x_desktop import CANVAS, PAUSE_BUTTON, START_BUTTON, Kururie, Raster

# An inner curve with R 75, r 30 and d 15, of 1440 half-degree segments: 遅い draws it in about two seconds.
CURVE = (100, -40, 10)
EXPECTED_SETTINGS = b"100,-40,10,0,0,#TRUE#,#FALSE#,0,16777215,#TRUE#,#FALSE#,#FALSE#,0,0\r\n"
ON_CURVE_REACH, OFF_CURVE_REACH = 1, 2
RED, BLUE = b"\xff\x00\x00", b"\x00\x00\xff"
PIPE_ANSWER_SECONDS = 2
FIRST_LOOK_SECONDS, PAUSED_LOOK_SECONDS = 0.5, 1.0


def single(value: float) -> float:
    """Rounds a double to the nearest 32-bit float, as the program stores its radii and angles."""
    return struct.unpack("<f", struct.pack("<f", value))[0]


def inner_curve_points(fix_circle: int, move_circle: int, pen_position: int) -> list:
    """Where the tracer puts the curve of a circle rolling inside, computed independently of it, in canvas
    pixels: the start point, then the end of every half-degree segment until the curve closes (after a turn)."""
    fixed, rolling = single(fix_circle * 0.1 * 15 / 2), single(-move_circle * 0.1 * 15 / 2)
    pen = round(pen_position * 0.1 * 15)  # ties to even, as the program rounds
    distance, centre = fixed - rolling, CANVAS[2] / 2
    ratio = distance / rolling

    def point(degrees: float) -> tuple:
        main, turn = degrees * math.pi / 180, (ratio * degrees) * math.pi / 180
        return (distance * math.cos(main) + pen * math.cos(turn) + centre,
                distance * math.sin(main) - pen * math.sin(turn) + centre)

    start_x, start_y = single(distance + pen + centre), single(centre)
    points, angle = [point(0.0)], 0.0
    while angle <= 36000:
        x_end, y_end = point(angle + 0.5)
        points.append((x_end, y_end))
        if angle > 360 and abs(start_x - x_end) <= 0.1 and abs(start_y - y_end) <= 0.1:
            break
        angle = single(angle + 0.5)
    return points


def pixels_near(points: list, reach: int) -> set:
    """Every pixel within `reach` pixels (square neighbourhood) of the polyline through the points."""
    near = set()
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        # Quarter-pixel samples along each segment, so long segments leave no gaps.
        samples = max(1, math.ceil(4 * math.hypot(x2 - x1, y2 - y1)))
        for i in range(samples + 1):
            px, py = round(x1 + (x2 - x1) * i / samples), round(y1 + (y2 - y1) * i / samples)
            near.update((px + dx, py + dy) for dx in range(-reach, reach + 1) for dy in range(-reach, reach + 1))
    return near


def dialog_titles(program: Kururie) -> None:
    """The refusal box of 開始 with both circles at 0 is titled with the program's name, not an internal one; the
    colour dialog of 線色 is titled 色を選択."""
    with program.dialog("refusal box", lambda: program.press(START_BUTTON), "くるりえ", "Return"):
        pass
    with program.dialog("colour dialog", lambda: program.press(x.PEN_COLOUR_BUTTON), "色を選択", "Escape"):
        pass


def curve(program: Kururie, canvas: Raster) -> None:
    """Every point of the curve has ink next to it, and no ink lies away from the curve."""
    points = inner_curve_points(*CURVE)
    ink = canvas.dark_pixels()
    reach = range(-ON_CURVE_REACH, ON_CURVE_REACH + 1)
    missing = sorted({(round(px), round(py)) for px, py in points
                      if not any((round(px) + dx, round(py) + dy) in ink for dx in reach for dy in reach)})
    stray = sorted(ink - pixels_near(points, OFF_CURVE_REACH))
    if missing or stray:
        program.evidence.keep("curve-check", canvas.with_marks(RED, missing).with_marks(BLUE, stray))
        raise AssertionError(
            f"{len(missing)} curve pixels have no ink within {ON_CURVE_REACH} px (first {missing[:5]}); "
            f"{len(stray)} of {len(ink)} ink pixels lie more than {OFF_CURVE_REACH} px from the curve "
            f"(first {stray[:5]}); curve-check.png shows the first in red, the second in blue")


def clipboard_copy(program: Kururie, canvas: Raster) -> None:
    """Ctrl+C, then another process (xclip) reads the picture from the X clipboard."""
    program.keys("ctrl+c")
    png = x.wait_for("a PNG picture on the clipboard",
                     lambda: x.run("xclip", "-selection", "clipboard", "-t", "image/png", "-o", check=False))
    difference = program.evidence.keep("clipboard", Raster.decode(png)).differences(canvas)
    assert not difference, f"the clipboard picture {difference} from the canvas"


def settled_content(path: str) -> bytes:
    """The file's bytes once it exists and two reads in a row agree."""
    reads = [None]

    def stable():
        reads.append(pathlib.Path(path).read_bytes() if os.path.exists(path) else None)
        return reads[-1] == reads[-2] and reads[-1]

    return x.wait_for(f"{path} to be written", stable)


def save_as(program: Kururie, canvas: Raster, folder: str) -> None:
    """名前を付けて保存 with the path typed into the real dialog: the window is titled after it, and the bitmap
    and the settings line are written."""
    picture_path, settings_path = os.path.join(folder, "rosette.bmp"), os.path.join(folder, "rosette.txt")
    program.evidence.files += [picture_path, settings_path]
    with program.dialog("Save As dialog", lambda: program.choose("alt+f", "a"), "名前を付けて保存", "Return"):
        x.replace_text(picture_path)
    title = "くるりえ-- " + picture_path
    x.wait_for(f"the title {title!r}", lambda: x.window_name(program.window) == title)
    settings = settled_content(settings_path)
    assert settings == EXPECTED_SETTINGS, f"{settings_path} holds {settings!r}, expected {EXPECTED_SETTINGS!r}"
    picture = settled_content(picture_path)
    difference = Raster.decode(picture).differences(canvas)
    assert picture[:2] == b"BM" and not difference, (
        f"{picture_path} starts with {picture[:2]!r} and {difference or 'equals'} the canvas, expected a BMP of it")


def picture_kept(program: Kururie, canvas: Raster, title: str) -> None:
    """The canvas still shows the picture and the window still names its file."""
    difference = program.shot("canvas-kept", CANVAS).differences(canvas)
    assert not difference, f"the canvas {difference} from the picture it showed"
    assert x.window_name(program.window) == title, f"the title became {x.window_name(program.window)!r}"


def escape_abandons_the_save_question(program: Kururie, canvas: Raster) -> None:
    """Esc on 編集を保存しますか? after 新規 (Ctrl+N) and after the close box (Alt+F4 under openbox) abandons
    the command: the picture and the window stay."""
    title = x.window_name(program.window)
    for name, keys in (("save question after Ctrl+N", "ctrl+n"), ("save question after the close box", "alt+F4")):
        with program.dialog(name, lambda: program.keys(keys), "確認", "Escape"):
            pass
        picture_kept(program, canvas, title)


def save_as_with_the_all_files_entry(program: Kururie, folder: str) -> None:
    """名前を付けて保存: "star" typed, then すべてのﾌｧｲﾙ(*.*) picked from the type box by the keyboard; the picture is
    saved as "star" exactly, and no file name has a "*" in it."""
    path = os.path.join(folder, "star")
    with program.dialog("Save As dialog, all files", lambda: program.choose("alt+f", "a"), "名前を付けて保存",
                        "Return"):
        x.replace_text(path)
        # From the name box to the type box, then its last entry.
        x.key("Tab", "End")
    x.wait_for(f"the title naming {path}", lambda: x.window_name(program.window) == "くるりえ-- " + path)
    starred = [name for name in os.listdir(folder) if "*" in name]
    assert os.path.isfile(path) and not starred, f"saved {sorted(os.listdir(folder))}, with a '*' in {starred}"


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


def photo_saved_with_ctrl_s(program: Kururie, folder: str) -> None:
    """A JPEG photo opened, drawn on and saved with Ctrl+S: Save asks for a name, and the photo stays as it was."""
    photo = os.path.join(folder, "photo.jpg")
    x.run("convert", "-size", "640x480", "gradient:orange-navy", photo)
    original = pathlib.Path(photo).read_bytes()
    with program.dialog("Open dialog, a photo", lambda: program.choose("alt+f", "o"), "開く", "Return"):
        x.replace_text(photo)
    x.wait_for("the photo's title", lambda: x.window_name(program.window) == "くるりえ-- " + photo)
    program.run_to_end(lambda: program.press(START_BUTTON), "drawn on the photo")
    with program.dialog("Save As for the photo", lambda: program.keys("ctrl+s"), "名前を付けて保存", "Escape"):
        pass
    assert pathlib.Path(photo).read_bytes() == original, "the photo's file changed"


def save_question(program: Kururie) -> None:
    """新規 after a run asks 編集を保存しますか?, titled 確認; いいえ (N) clears the canvas."""
    with program.dialog("save question", lambda: program.choose("alt+f", "n"), "確認", "n"):
        pass
    x.wait_for("the canvas to be cleared", lambda: set(program.shot("cleared", CANVAS).colours()) == {x.WHITE})


def part_of_the_curve(picture: Raster, whole: set, when: str) -> int:
    """Some of the finished curve's ink and nothing else, but not all of it; returns how much."""
    ink = picture.dark_pixels()
    assert ink and ink < whole, (f"{when}: {len(ink)} ink pixels, {len(ink - whole)} of them off the finished "
                                 f"curve, which has {len(whole)}: expected part of it")
    return len(ink)


def slow_run(program: Kururie, normal: Raster) -> None:
    """遅い, chosen by its words, on the canvas 新規 cleared: half a second after 開始 part of the curve is there;
    the picture holds still while paused; after 再開 it ends as the very picture 普通 drew."""
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
        program.check(curve, canvas)
        program.check(clipboard_copy, canvas)
        program.check(save_as, canvas, work)
        program.check(escape_abandons_the_save_question, canvas)
        program.check(save_as_with_the_all_files_entry, work)
        program.check(pipe_typed_into_open, canvas, work)
        program.check(photo_saved_with_ctrl_s, work)
        program.check(save_question)
        program.check(slow_run, canvas)
    return ("met the dialogs, drew the curve, copied and saved it, kept it through Esc, a pipe and a photo, was "
            "asked to save, and watched 遅い grow, hold still paused and end as 普通's picture")


if __name__ == "__main__":
    sys.exit(x.session(sys.argv[1:], __doc__, play))
