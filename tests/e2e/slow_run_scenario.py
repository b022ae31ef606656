#!/usr/bin/env python3
"""遅い as a person watches it on a real X display, through the X server alone: half a second after 開始 part of
the curve is there, a paused picture holds still, 再開 carries it on, and it ends as the very picture 普通 draws.

Usage: slow_run_scenario.py PROGRAM ARTEFACT_FOLDER   (needs DISPLAY, e.g. under desktop_session.sh).
The pictures it takes stay in ARTEFACT_FOLDER.
"""

import sys
import time

import x_desktop as x
from desktop_scenario import inner_curve_points, pixels_near
from x_desktop import (CANVAS, CLEAR_BUTTON, FIX_CIRCLE_RIGHT_ARROW, PAUSE_BUTTON, PEN_POSITION_RIGHT_ARROW,
                       SLOW_SPEED_BUTTON, START_BUTTON, Kururie, Raster)

# An inner curve of 1440 segments: 遅い draws it in two seconds.
FIX_CIRCLE, MOVE_CIRCLE, PEN_POSITION = 100, -40, 10
FIRST_LOOK_SECONDS = 0.5
PAUSED_LOOK_SECONDS = 1.0
# A running 遅い curve gains hundreds of segments in this time; a paused one none.
STILL_SECONDS = 0.3
TRACE_TIMEOUT = 20
# Below the canvas, where no control lies: the pointer waits there, so that no button shows it hovering.
RESTING_POINT = (200, 418)
WHITE = b"\xff\xff\xff"


def set_curve(program: Kururie) -> None:
    x.focus(program.window)
    program.set_scroll_bar(FIX_CIRCLE_RIGHT_ARROW, x.FIX_CIRCLE_MINIMUM, FIX_CIRCLE)
    program.set_scroll_bar(x.MOVE_CIRCLE_RIGHT_ARROW, x.MOVE_CIRCLE_MINIMUM, MOVE_CIRCLE)
    program.set_scroll_bar(PEN_POSITION_RIGHT_ARROW, x.PEN_POSITION_MINIMUM, PEN_POSITION)


def press(program: Kururie, rectangle: tuple) -> float:
    """Clicks the middle of a control, moves the pointer to rest and returns when the click was made."""
    program.click_middle(rectangle)
    clicked = time.monotonic()
    x.xdotool("mousemove", "--sync", "--window", program.window, *program.point(*RESTING_POINT))
    return clicked


def canvas_held_still(program: Kururie, name: str) -> Raster:
    """Waits until two pictures of the canvas STILL_SECONDS apart agree, and returns the second."""
    previous = [program.shot(name, CANVAS)]

    def still():
        time.sleep(STILL_SECONDS)
        previous.append(program.shot(name, CANVAS))
        return previous[-1] if previous[-1].rgb == previous[-2].rgb else None

    return x.wait_for(f"the canvas to hold still ({name})", still, TRACE_TIMEOUT)


def run_to_end(program: Kururie, idle_pause_button: Raster, name: str) -> Raster:
    """The canvas once 一時停止 looks idle again (disabled) and the picture holds still."""
    x.wait_for(f"the run to end ({name})",
               lambda: program.shot("pause-button", PAUSE_BUTTON).rgb == idle_pause_button.rgb, TRACE_TIMEOUT)
    return program.evidence.keep(name, canvas_held_still(program, name), always=True)


def check_part(picture: Raster, whole: set, what: str) -> int:
    """Some of the finished curve's ink and nothing else, but not all of it; returns how much."""
    ink = picture.dark_pixels()
    assert ink and ink < whole, (f"{what}: {len(ink)} ink pixels, {len(ink - whole)} of them off the finished curve, "
                                 f"which has {len(whole)}: expected part of it")
    return len(ink)


def play(executable: str, work: str, evidence: x.Evidence) -> str:
    program = Kururie(executable, work, evidence)
    try:
        program.wait_until_shown()
        set_curve(program)
        idle_pause_button = program.evidence.keep("pause-button-idle", program.shot("pause-button", PAUSE_BUTTON))

        # 普通 first: the picture every 遅い one is held against.
        press(program, START_BUTTON)
        normal = run_to_end(program, idle_pause_button, "normal-end")
        whole = normal.dark_pixels()
        stray = whole - pixels_near(inner_curve_points(FIX_CIRCLE, MOVE_CIRCLE, PEN_POSITION), 2)
        assert whole and not stray, f"the 普通 curve is not 100 / -40 / 10: {len(stray)} of {len(whole)} ink pixels off it"

        press(program, CLEAR_BUTTON)
        x.wait_for("the canvas to be cleared", lambda: set(program.shot("cleared", CANVAS).colours()) == {WHITE})
        press(program, SLOW_SPEED_BUTTON)

        started = press(program, START_BUTTON)
        time.sleep(max(0.0, started + FIRST_LOOK_SECONDS - time.monotonic()))
        first = program.evidence.keep("slow-after-half-a-second", program.shot("first", CANVAS), always=True)
        first_ink = check_part(first, whole, f"{FIRST_LOOK_SECONDS:g} s after 開始")

        press(program, PAUSE_BUTTON)
        paused = canvas_held_still(program, "paused")
        time.sleep(PAUSED_LOOK_SECONDS)
        later = program.shot("paused-later", CANVAS)
        program.evidence.keep("slow-paused", paused, always=True)
        program.evidence.keep("slow-paused-later", later, always=True)
        program.evidence.keep("window-paused", x.screenshot(program.window), always=True)
        paused_ink = check_part(paused, whole, "paused")
        assert not later.differences(paused), f"paused, the picture {later.differences(paused)} a second later"
        assert paused_ink > first_ink, f"paused with {paused_ink} ink pixels, no more than the {first_ink} before"

        press(program, PAUSE_BUTTON)
        slow = run_to_end(program, idle_pause_button, "slow-end")
        difference = slow.differences(normal)
        assert not difference, f"the finished 遅い picture {difference} from the 普通 one"
        return (f"遅い grew ({first_ink} of {len(whole)} ink pixels after {FIRST_LOOK_SECONDS:g} s, {paused_ink} "
                "paused), held still while paused and ended as 普通's picture")
    finally:
        program.stop()


if __name__ == "__main__":
    sys.exit(x.session(sys.argv[1:], __doc__, play))
