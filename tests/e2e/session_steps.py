"""Steps and the runner both real-window scenarios share."""

import os
import shutil
import sys
import tempfile
import traceback

import x_session as x
from evidence import Evidence
from kururie_window import CANVAS, FIX_CIRCLE_BAR, MOVE_CIRCLE_BAR, PAUSE_BUTTON, PEN_POSITION_BAR, KururieWindow
from raster import Raster

TOOLS = ("xdotool", "xprop", "import", "convert", "identify", "xclip")
TRACE_TIMEOUT = 60
# Where set_scroll_bars leaves the scroll bars: an inner curve with R 75, r 30 and d 38.
FIX_CIRCLE, MOVE_CIRCLE, PEN_POSITION = 100, -40, 25


def set_scroll_bars(program: KururieWindow) -> None:
    """Leaves the keyboard focus on the pen-position scroll bar, as a user's last move does."""
    x.focus(program.window)
    # Fixed circle: an arrow click takes the focus (0 → 1), End goes to 200, ten pages back to 100.
    program.click_right_arrow(FIX_CIRCLE_BAR)
    x.key("End")
    x.key("Prior", times=10)
    # Rolling circle: five clicks in the trough left of the thumb page down to -50, ten steps right to -40.
    program.click_trough_left(MOVE_CIRCLE_BAR, times=5)
    x.key("Right", times=10)
    # Pen: five arrow clicks to 5, two pages on to 25.
    program.click_right_arrow(PEN_POSITION_BAR, times=5)
    x.key("Next", times=2)


def is_plain_drawing(canvas: Raster) -> bool:
    """Black ink on white and nothing else: the preview circles and the pen marker are gone."""
    colours = {canvas.rgb[i:i + 3] for i in range(0, len(canvas.rgb), 3)}
    return colours == {b"\x00\x00\x00", b"\xff\xff\xff"}


def draw(program: KururieWindow, evidence: Evidence, start) -> Raster:
    """Starts a run with start() and returns the canvas once the run has ended and the picture holds still."""
    before = evidence.keep("before-start", program.screenshot())
    idle_pause_button = program.crop(before, PAUSE_BUTTON)
    start()
    previous = []

    def settled_canvas():
        shot = evidence.keep("last-while-drawing", program.screenshot())
        canvas = program.crop(shot, CANVAS)
        steady = previous and previous[-1].rgb == canvas.rgb
        previous.append(canvas)
        ended = program.crop(shot, PAUSE_BUTTON).rgb == idle_pause_button.rgb
        return canvas if steady and ended and is_plain_drawing(canvas) else None

    canvas = x.wait_for("the run to end (一時停止 disabled, canvas still)", settled_canvas, TRACE_TIMEOUT)
    evidence.keep("drawn", program.screenshot())
    return evidence.keep("canvas", canvas)


def run_scenario(usage: str, play, success: str, arguments: list) -> int:
    """The command line of a scenario: PROGRAM ARTEFACT_FOLDER; play(executable, work, evidence) does the rest."""
    if len(arguments) != 2:
        print(usage, file=sys.stderr)
        return 2
    executable, artefacts = arguments
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if not os.environ.get("DISPLAY"):
        missing.append("an X display (DISPLAY)")
    if missing:
        print(f"cannot run without: {', '.join(missing)}", file=sys.stderr)
        return 1
    evidence = Evidence(artefacts)
    work = tempfile.mkdtemp(prefix="kururie-e2e-")
    try:
        play(os.path.abspath(executable), work, evidence)
    except Exception:
        failure = traceback.format_exc()
        evidence.write(failure)
        print(failure, file=sys.stderr)
        print(f"screenshots and files kept in {artefacts}", file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    evidence.finish()
    print(success)
    return 0
