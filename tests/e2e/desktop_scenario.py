#!/usr/bin/env python3
"""A person's session with くるりえ on a real X display under a window manager, through the X server alone:
the dialogs a desktop brings, a curve drawn and checked against the formulas, copied, saved and asked about.

Usage: desktop_scenario.py PROGRAM ARTEFACT_FOLDER   (needs DISPLAY, e.g. under
desktop_session.sh). Pictures of the real dialogs, and everything seen in a failure, stay in ARTEFACT_FOLDER.
"""

import math
import os
import pathlib
import struct
import sys

import x_desktop as x
from x_desktop import (CANVAS, FIX_CIRCLE_RIGHT_ARROW, MOVE_CIRCLE_TROUGH_LEFT, PAUSE_BUTTON, PEN_COLOUR_BUTTON,
                       PEN_POSITION_RIGHT_ARROW, START_BUTTON, Kururie, Raster)

TRACE_TIMEOUT = 60
PIPE_ANSWER_SECONDS = 2
# Where draw_from_scroll_bar leaves the scroll bars: an inner curve with R 75, r 30 and d 38.
FIX_CIRCLE, MOVE_CIRCLE, PEN_POSITION = 100, -40, 25
EXPECTED_SETTINGS = b"100,-40,25,0,0,#TRUE#,#FALSE#,0,16777215,#TRUE#,#FALSE#,#FALSE#,0,0\r\n"
ON_CURVE_REACH, OFF_CURVE_REACH = 1, 2
RED, BLUE = b"\xff\x00\x00", b"\x00\x00\xff"


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


def is_plain_drawing(canvas: Raster) -> bool:
    """Black ink on white and nothing else: the preview circles and the pen marker are gone."""
    return set(canvas.colours()) == {b"\x00\x00\x00", b"\xff\xff\xff"}


def refusal_box(program: Kururie) -> None:
    """開始 with both circles at 0: the window manager shows the program's name, not an internal one."""
    with program.dialog("refusal box", lambda: program.click_middle(START_BUTTON), "くるりえ", "Return"):
        pass


def colour_dialog(program: Kururie) -> None:
    with program.dialog("colour dialog", lambda: program.click_middle(PEN_COLOUR_BUTTON), "色を選択", "Escape"):
        pass


def draw_from_scroll_bar(program: Kururie, finished=is_plain_drawing) -> Raster:
    """Sets the scroll bars, leaving the keyboard focus on the pen position's as a user's last move does,
    starts the run there with Enter and returns the canvas once the run has ended, the picture holds still and
    finished(canvas) holds: by default, once the preview is gone."""
    x.focus(program.window)
    # Fixed circle: an arrow click takes the focus (0 → 1), End goes to 200, ten pages back to 100.
    program.click(*FIX_CIRCLE_RIGHT_ARROW)
    x.key("End")
    x.key("Prior", times=10)
    # Rolling circle: five clicks in the trough left of the thumb page down to -50, ten steps right to -40.
    program.click(*MOVE_CIRCLE_TROUGH_LEFT, times=5)
    x.key("Right", times=10)
    # Pen: five arrow clicks to 5, two pages on to 25.
    program.click(*PEN_POSITION_RIGHT_ARROW, times=5)
    x.key("Next", times=2)
    idle_pause_button = program.shot("before-start", PAUSE_BUTTON)
    x.key("Return")
    previous = []

    def settled_canvas():
        canvas = program.shot("last-while-drawing", CANVAS)
        steady = previous and previous[-1].rgb == canvas.rgb
        previous.append(canvas)
        ended = program.shot("pause-button", PAUSE_BUTTON).rgb == idle_pause_button.rgb
        return canvas if steady and ended and finished(canvas) else None

    canvas = x.wait_for("the run to end (一時停止 disabled, canvas still)", settled_canvas, TRACE_TIMEOUT)
    program.shot("drawn")
    return program.evidence.keep("canvas", canvas)


def curve(program: Kururie, canvas: Raster) -> None:
    """Every point of the curve has ink next to it, and no ink lies away from the curve."""
    points = inner_curve_points(FIX_CIRCLE, MOVE_CIRCLE, PEN_POSITION)
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
    x.focus(program.window)
    x.key("ctrl+c")
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
    """名前を付けて保存 with the path typed into the real dialog; checks the title, the settings file and the bitmap."""
    picture_path, settings_path = os.path.join(folder, "rosette.bmp"), os.path.join(folder, "rosette.txt")
    program.evidence.files += [picture_path, settings_path]
    with program.dialog("Save As dialog", lambda: program.choose_menu_item("alt+f", "a"), "名前を付けて保存", "Return"):
        x.xdotool("type", "--delay", x.EVENT_DELAY_MS // 2, picture_path)
    expected_title = "くるりえ-- " + picture_path
    x.wait_for(f"the title {expected_title!r}", lambda: x.window_name(program.window) == expected_title)
    settings = settled_content(settings_path)
    assert settings == EXPECTED_SETTINGS, f"{settings_path} holds {settings!r}, expected {EXPECTED_SETTINGS!r}"
    picture = settled_content(picture_path)
    difference = Raster.decode(picture).differences(canvas)
    assert picture[:2] == b"BM" and not difference, (
        f"{picture_path} starts with {picture[:2]!r} and {difference or 'equals'} the canvas, expected a BMP of it")


def save_question(program: Kururie) -> None:
    """新規 after a run asks 編集を保存しますか?, titled 確認; いいえ (N) clears the canvas."""
    with program.dialog("save question", lambda: program.choose_menu_item("alt+f", "n"), "確認", "n"):
        pass
    x.wait_for("the canvas to be cleared",
               lambda: set(program.shot("cleared", CANVAS).colours()) == {b"\xff\xff\xff"})


def picture_kept(program: Kururie, canvas: Raster, title: str) -> None:
    """The canvas still shows the picture and the window still names its file."""
    difference = program.shot("canvas-kept", CANVAS).differences(canvas)
    assert not difference, f"the canvas {difference} from the picture it showed"
    assert x.window_name(program.window) == title, f"the title became {x.window_name(program.window)!r}"


def escape_abandons_the_save_question(program: Kururie, canvas: Raster) -> None:
    """Esc on 編集を保存しますか? after 新規 (Ctrl+N) and after the close box (Alt+F4 under openbox) abandons
    the command: the picture and the window stay."""
    title = x.window_name(program.window)

    def press(keys):
        def opener():
            x.focus(program.window)
            x.key(keys)
        return opener

    for name, keys in (("save question after Ctrl+N", "ctrl+n"), ("save question after the close box", "alt+F4")):
        with program.dialog(name, press(keys), "確認", "Escape"):
            pass
        picture_kept(program, canvas, title)


def save_as_with_the_all_files_entry(program: Kururie, folder: str) -> None:
    """名前を付けて保存: "star" typed, then すべてのﾌｧｲﾙ(*.*) picked from the type box by the keyboard; the picture is
    saved as "star" exactly, and no file name has a "*" in it."""
    path = os.path.join(folder, "star")
    with program.dialog("Save As dialog, all files", lambda: program.choose_menu_item("alt+f", "a"), "名前を付けて保存",
                        "Return") as dialog:
        x.key("ctrl+a")
        x.xdotool("type", "--delay", x.EVENT_DELAY_MS // 2, path)
        # From the name box to the type box, then its last entry.
        x.key("Tab")
        x.key("End")
        program.evidence.keep("save-as-all-files", x.screenshot(dialog), always=True)
    x.wait_for(f"the title naming {path}", lambda: x.window_name(program.window) == "くるりえ-- " + path)
    starred = [name for name in os.listdir(folder) if "*" in name]
    assert os.path.isfile(path) and not starred, f"saved {sorted(os.listdir(folder))}, with a '*' in {starred}"


def pipe_typed_into_open(program: Kururie, canvas: Raster) -> None:
    """A named pipe typed into 開く is refused at once with a message, and nothing changes."""
    title = x.window_name(program.window)
    pipe = os.path.join(os.path.dirname(title.removeprefix("くるりえ-- ")), "pipe.bmp")
    os.mkfifo(pipe)
    known = x.windows(program.process.pid)
    known.append(program.choose_menu_item("alt+f", "o"))
    dialog = x.wait_for("the Open dialog", lambda: program.new_window(known))
    x.focus(dialog)
    x.xdotool("type", "--delay", x.EVENT_DELAY_MS // 2, pipe)
    x.key("Return")
    known.append(dialog)
    message = x.wait_for("the message within 2 s", lambda: program.new_window(known), PIPE_ANSWER_SECONDS)
    program.evidence.keep("pipe-refused", x.screenshot(message), always=True)
    x.focus(message)
    x.key("Return")
    x.wait_for("the main window to be active again", lambda: x.xdotool("getactivewindow", check=False) == str(program.window))
    picture_kept(program, canvas, title)


def photo_saved_with_ctrl_s(program: Kururie, folder: str) -> None:
    """A JPEG photo opened, drawn on and saved with Ctrl+S: Save asks for a name, and the photo stays as it was."""
    photo = os.path.join(folder, "photo.jpg")
    x.run("convert", "-size", "640x480", "gradient:orange-navy", photo)
    original = pathlib.Path(photo).read_bytes()
    with program.dialog("Open dialog", lambda: program.choose_menu_item("alt+f", "o"), "開く", "Return"):
        x.key("ctrl+a")
        x.xdotool("type", "--delay", x.EVENT_DELAY_MS // 2, photo)
    x.wait_for("the photo's title", lambda: x.window_name(program.window) == "くるりえ-- " + photo)
    idle_pause_button = program.shot("pause-idle", PAUSE_BUTTON)
    program.click_middle(START_BUTTON)
    x.wait_for("the run on the photo to end", lambda: program.shot("pause-button", PAUSE_BUTTON).rgb == idle_pause_button.rgb
               and program.shot("drawn-on-photo", CANVAS).dark_pixels(), TRACE_TIMEOUT)

    def save():
        x.focus(program.window)
        x.key("ctrl+s")

    with program.dialog("Save As for the photo", save, "名前を付けて保存", "Escape"):
        pass
    assert pathlib.Path(photo).read_bytes() == original, "the photo's file changed"


def play(executable: str, work: str, evidence: x.Evidence) -> str:
    """Runs every check even after one fails, so one report shows all that is wrong; a timeout ends the session."""
    program = Kururie(executable, work, evidence)
    failures = []
    check = x.checker(program, failures)

    try:
        program.wait_until_shown()
        check(refusal_box)
        check(colour_dialog)
        canvas = draw_from_scroll_bar(program)
        check(curve, canvas)
        check(clipboard_copy, canvas)
        check(save_as, canvas, work)
        check(escape_abandons_the_save_question, canvas)
        check(save_as_with_the_all_files_entry, work)
        check(pipe_typed_into_open, canvas)
        check(photo_saved_with_ctrl_s, work)
        check(save_question)
    finally:
        program.stop()
    assert not failures, "\n".join(failures)
    return ("met the dialogs, drew, checked the curve, copied, saved, kept the picture through Esc, a pipe and a photo, "
            "and was asked to save")


if __name__ == "__main__":
    sys.exit(x.session(sys.argv[1:], __doc__, play))
