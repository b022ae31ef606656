#!/usr/bin/python3
"""くるりえ as a screen reader reads it: a real AT-SPI client (pyatspi) reads the running program's accessible tree,
while the program is driven through the X server alone. The controls carry their names, values as their labels
show them, the relations to those labels and the colours in words; nothing hidden is there; Tab visits the
controls in order; and a run is announced as it starts, pauses and ends, with the canvas busy while it draws.

Usage: screen_reader_scenario.py PROGRAM ARTEFACT_FOLDER   (needs DISPLAY and the accessibility bus, e.g. under
screen_reader_session.sh; pyatspi needs Debian's own Python, /usr/bin/python3).
"""

import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

import x_desktop as x  # noqa: E402
from x_desktop import FIX_CIRCLE_RIGHT_ARROW, PAUSE_BUTTON, PEN_POSITION_RIGHT_ARROW, START_BUTTON, Kururie  # noqa: E402

# Set through the keyboard as the labels then show them: 9.2, 内側 3.1, 2.
FIX_CIRCLE, MOVE_CIRCLE, PEN_POSITION = 92, -31, 20
# A curve that 遅い draws in two seconds.
QUICK_FIX_CIRCLE, QUICK_MOVE_CIRCLE = 100, -40
# The words 遅い beside their radio button.
SLOW_SPEED_WORDS = (571, 208)
EVENT_WAIT = 3.0
TRACE_TIMEOUT = 30


def read(obj) -> str:
    """An object as a screen reader names it: role and name."""
    return f"{obj.getRoleName()} {obj.name}"


def descendants(obj):
    for index in range(obj.childCount):
        child = obj.getChildAtIndex(index)
        if child is not None:
            yield child
            yield from descendants(child)


class Listener:
    """The program's objects as AT-SPI gives them, read afresh each time, and the events it sends."""

    def __init__(self, pid: int):
        self.events = []
        self.app = x.wait_for("the program on the accessibility bus", lambda: self._application(pid), x.START_TIMEOUT)
        self.app.set_cache_mask(Atspi.Cache.NONE)
        for kind in ("object:state-changed:focused", "object:state-changed:showing"):
            pyatspi.Registry.registerEventListener(self._heard, kind)

    @staticmethod
    def _application(pid: int):
        desktop = pyatspi.Registry.getDesktop(0)
        return next((app for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
                     if app is not None and app.get_process_id() == pid), None)

    def _heard(self, event):
        if event.detail1:
            self.events.append((event.type, event.source))

    def pump(self, seconds: float = 0.3) -> None:
        context, until = GLib.MainContext.default(), time.monotonic() + seconds
        while time.monotonic() < until:
            context.iteration(False) or time.sleep(0.01)

    def heard(self, kind: str) -> list:
        self.pump()
        heard = [source for event, source in self.events if event == kind]
        self.events = [(event, source) for event, source in self.events if event != kind]
        return heard

    def interior(self):
        frame = self.app.getChildAtIndex(0)
        return next(child for child in (frame.getChildAtIndex(i) for i in range(frame.childCount))
                    if child.getRole() != pyatspi.ROLE_MENU_BAR)

    def find(self, role: str, name: str):
        return next(obj for obj in descendants(self.interior()) if read(obj) == f"{role} {name}")

    def focused(self):
        return next((obj for obj in descendants(self.interior()) if obj.getState().contains(pyatspi.STATE_FOCUSED)), None)


def labelled_by(obj) -> str:
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return ""


def states(obj) -> set:
    return {pyatspi.stateToString(state) for state in obj.getState().getStates()}


def nothing_hidden(listener: Listener) -> None:
    """The program by its name, and every object in its window shown: the controls that only hold state are not
    there."""
    assert listener.app.name == "くるりえ", f"the program is named {listener.app.name!r}"
    hidden = [read(obj) for obj in descendants(listener.interior()) if "showing" not in states(obj)]
    assert not hidden, f"hidden objects in the tree: {hidden}"


def what_the_controls_say(listener: Listener, program: Kururie) -> None:
    """Names, descriptions and values at start-up, then the scroll bars set from the keyboard."""
    said = {f"{role} {name}": listener.find(role, name).description for role, name in
            (("canvas", "描画領域"), ("push button", "線色"), ("push button", "背景色"), ("text", "線色の見本"),
             ("slider", "線色グラデーションの粗密"))}
    expected = {"canvas 描画領域": "何も描かれていません", "push button 線色": "黒", "push button 背景色": "白",
                "text 線色の見本": "黒", "slider 線色グラデーションの粗密": "左端の粗は色がゆっくり、右端の密は速く変わります"}
    assert said == expected, f"the descriptions read {said}"
    x.focus(program.window)
    program.set_scroll_bar(FIX_CIRCLE_RIGHT_ARROW, x.FIX_CIRCLE_MINIMUM, FIX_CIRCLE)
    program.set_scroll_bar(x.MOVE_CIRCLE_RIGHT_ARROW, x.MOVE_CIRCLE_MINIMUM, MOVE_CIRCLE)
    program.set_scroll_bar(PEN_POSITION_RIGHT_ARROW, x.PEN_POSITION_MINIMUM, PEN_POSITION)
    listener.pump()
    bars = [listener.find("scroll bar", name) for name in ("固定円の大きさ", "回転円の大きさ", "ペンの位置")]
    values = [(round(bar.queryValue().currentValue, 3), labelled_by(bar)) for bar in bars]
    assert values == [(9.2, "固定円の大きさ   9.2"), (-3.1, "回転円の大きさ　内側  3.1"), (2.0, "ペンの位置        2")], \
        f"the scroll bars read {values}"


def tab_through(listener: Listener, program: Kururie) -> None:
    """From the canvas, Tab goes round the window's controls in their order and comes back."""
    x.focus(program.window)
    program.click_middle(x.CANVAS)
    visited = [read(listener.focused())]
    for _ in range(14):
        x.key("Tab")
        x.wait_for("the focus to move", lambda: listener.focused() and read(listener.focused()) != visited[-1], EVENT_WAIT)
        visited.append(read(listener.focused()))
    expected = ["canvas 描画領域", "push button 背景色", "check box 描画中ペン位置を変化させる", "push button 線色",
                "check box 線色グラデーション", "push button 開始", "push button 絵を消す", "scroll bar 固定円の大きさ",
                "scroll bar 回転円の大きさ", "scroll bar ペンの位置", "radio button 線の幅 1 ピクセル", "filler 線の幅の見本",
                "radio button 普通", "push button ﾍﾟﾝを消す", "canvas 描画領域"]
    assert visited == expected, f"Tab visited {visited}"


def announced(listener: Listener, message: str) -> None:
    x.wait_for(f"the notification {message!r}",
               lambda: any(read(source) == f"notification {message}" for source in listener.heard(
                   "object:state-changed:showing")), EVENT_WAIT)


def a_run_is_told(listener: Listener, program: Kururie) -> None:
    """遅い chosen by its words; the run is announced as it starts, pauses, resumes and ends, and the canvas is busy
    and says so while a run draws on it."""
    canvas = listener.find("canvas", "描画領域")
    x.focus(program.window)
    program.set_scroll_bar(FIX_CIRCLE_RIGHT_ARROW, x.FIX_CIRCLE_MINIMUM, QUICK_FIX_CIRCLE)
    program.set_scroll_bar(x.MOVE_CIRCLE_RIGHT_ARROW, x.MOVE_CIRCLE_MINIMUM, QUICK_MOVE_CIRCLE)
    program.click(*SLOW_SPEED_WORDS)
    x.wait_for("遅い to be selected", lambda: "checked" in states(listener.find("radio button", "遅い")), EVENT_WAIT)
    listener.heard("object:state-changed:showing")
    program.click_middle(START_BUTTON)
    announced(listener, "描画を開始しました")
    drawing = (canvas.description, "busy" in states(canvas))
    program.click_middle(PAUSE_BUTTON)
    announced(listener, "描画を一時停止しました")
    paused = (canvas.description, "busy" in states(canvas))
    program.click_middle(PAUSE_BUTTON)
    announced(listener, "描画を再開しました")
    x.wait_for("the end of the run", lambda: any(read(source) == "notification 描画が終わりました" for source in
                                                 listener.heard("object:state-changed:showing")), TRACE_TIMEOUT)
    ended = (canvas.description, "busy" in states(canvas))
    assert [drawing, paused, ended] == [("曲線を描いています", True), ("描きかけの曲線、一時停止中", False),
                                        ("描いた曲線", False)], f"the canvas read {[drawing, paused, ended]}"


def play(executable: str, work: str, evidence: x.Evidence) -> str:
    program = Kururie(executable, work, evidence)
    failures = []
    try:
        program.wait_until_shown()
        listener = Listener(program.process.pid)
        for step in (nothing_hidden, what_the_controls_say, tab_through, a_run_is_told, nothing_hidden):
            try:
                step(listener, program) if step is not nothing_hidden else step(listener)
            except (AssertionError, TimeoutError) as failure:
                program.shot(f"failed-{step.__name__}")
                failures.append(f"{step.__name__}: {failure}")
    finally:
        program.stop()
    assert not failures, "\n".join(failures)
    return "read the names, values, relations and colours, walked the Tab order, heard a run start, pause and end"


if __name__ == "__main__":
    sys.exit(x.session(sys.argv[1:], __doc__, play))
