#!/usr/bin/python3
"""くるりえ as a screen reader reads it, through pyatspi, on an X desktop: screen_reader_scenario.py PROGRAM FOLDER"""

import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

from session import CANVAS, CURVE, PAUSE_BUTTON, RUN_TIMEOUT, START_TIMEOUT, STEP_TIMEOUT, session, wait_for  # noqa
from x_desktop import SLOW_SPEED_WORDS, START_BUTTON, Program  # noqa: E402


def read(obj) -> str:
    return f"{obj.getRoleName()} {obj.name}"


def states(obj) -> set:
    return {pyatspi.stateToString(state) for state in obj.getState().getStates()}


def labelled_by(obj) -> str:
    return next((relation.getTarget(0).name for relation in obj.getRelationSet()
                 if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY), "")


class Listener:
    """The program's window as AT-SPI gives it, read afresh each time, and the objects the program has shown."""

    def __init__(self, pid: int):
        self.shown = []
        self.app = wait_for("the program on the accessibility bus", lambda: pyatspi.findDescendant(
            pyatspi.Registry.getDesktop(0), lambda app: app.get_process_id() == pid, True), START_TIMEOUT)
        self.app.set_cache_mask(Atspi.Cache.NONE)
        pyatspi.Registry.registerEventListener(
            lambda event: event.detail1 and self.shown.append(read(event.source)), "object:state-changed:showing")

    def pump(self, seconds: float = 0.3) -> None:
        context, until = GLib.MainContext.default(), time.monotonic() + seconds
        while time.monotonic() < until:
            context.iteration(False) or time.sleep(0.01)

    def announced(self, message: str, timeout: float = STEP_TIMEOUT) -> None:
        """Waits until the program shows a notification with the message."""
        wait_for(f"the notification {message}", lambda: self.pump() or f"notification {message}" in self.shown, timeout)

    def interior(self):
        return next(child for child in self.app[0] if child.getRole() != pyatspi.ROLE_MENU_BAR)

    def find(self, role: str, name: str):
        return pyatspi.findDescendant(self.interior(), lambda obj: read(obj) == f"{role} {name}")

    def focused(self) -> str:
        focused = pyatspi.findDescendant(self.interior(), lambda obj: "focused" in states(obj))
        return read(focused) if focused else ""


def nothing_hidden(program: Program, listener: Listener) -> None:
    """The program by its name, and no hidden object in its window (the controls that only hold state)."""
    assert listener.app.name == "くるりえ", f"the program is named {listener.app.name!r}"
    hidden = pyatspi.findAllDescendants(listener.interior(), lambda obj: "showing" not in states(obj))
    assert not hidden, f"hidden objects in the tree: {list(map(read, hidden))}"


def what_the_controls_say(program: Program, listener: Listener) -> None:
    """The scroll bars set from the keyboard: their values and their labels."""
    # As the labels show them: 9.2, 内側 3.1, 2.
    program.set_curve((92, -31, 20))
    listener.pump()
    bars = [listener.find("scroll bar", name) for name in ("固定円の大きさ", "回転円の大きさ", "ペンの位置")]
    values = [(round(bar.queryValue().currentValue, 3), labelled_by(bar)) for bar in bars]
    assert values == [(9.2, "固定円の大きさ   9.2"), (-3.1, "回転円の大きさ　内側  3.1"), (2.0, "ペンの位置        2")], \
        f"the scroll bars read {values}"


def tab_through(program: Program, listener: Listener) -> None:
    """From the canvas, Tab goes round the window's controls in their order and comes back."""
    expected = ["canvas 描画領域", "push button 背景色", "check box 描画中ペン位置を変化させる", "push button 線色",
                "check box 線色グラデーション", "push button 開始", "push button 絵を消す", "scroll bar 固定円の大きさ",
                "scroll bar 回転円の大きさ", "scroll bar ペンの位置", "radio button 線の幅 1 ピクセル", "filler 線の幅の見本",
                "radio button 普通", "push button ﾍﾟﾝを消す", "canvas 描画領域"]
    program.press(CANVAS)
    visited = [listener.focused()]
    for _ in expected[1:]:
        program.keys("Tab")
        visited.append(wait_for("the focus to move", lambda: (now := listener.focused()) != visited[-1] and now))
    assert visited == expected, f"Tab visited {visited}"


def a_run_is_told(program: Program, listener: Listener) -> None:
    """遅い chosen by its words; a run announced as it starts, pauses, resumes and ends, the canvas busy as it draws."""
    canvas = listener.find("canvas", "描画領域")
    program.set_curve(CURVE)
    program.press(SLOW_SPEED_WORDS)
    wait_for("遅い to be selected", lambda: "checked" in states(listener.find("radio button", "遅い")))
    told = []
    for button, message in ((START_BUTTON, "描画を開始しました"), (PAUSE_BUTTON, "描画を一時停止しました"),
                            (PAUSE_BUTTON, "描画を再開しました"), (None, "描画が終わりました")):
        if button:
            listener.shown.clear()
            program.press(button)
        listener.announced(message, STEP_TIMEOUT if button else RUN_TIMEOUT)
        told.append((canvas.description, "busy" in states(canvas)))
    assert told == [("曲線を描いています", True), ("描きかけの曲線、一時停止中", False), ("曲線を描いています", True),
                    ("描いた曲線", False)], f"the canvas read {told}"


def an_undo_is_told(program: Program, listener: Listener) -> None:
    """Ctrl+Z after the run is heard as the run taken back, and the canvas reads as it did before 再開."""
    canvas = listener.find("canvas", "描画領域")
    listener.shown.clear()
    program.keys("ctrl+z")
    listener.announced("元に戻しました: 描画")
    wait_for("the canvas to read as paused again", lambda: canvas.description == "描きかけの曲線、一時停止中")


def play(executable: str, work: str, evidence) -> None:
    with Program(executable, work, evidence) as program:
        listener = Listener(program.process.pid)
        for step in (nothing_hidden, what_the_controls_say, tab_through, a_run_is_told, an_undo_is_told,
                     nothing_hidden):
            program.check(step, listener)
        program.shot("window", always=True)


if __name__ == "__main__":
    sys.exit(session([play]))
