#!/usr/bin/env python3
"""くるりえ on a Wayland desktop: the real program under headless sway (sway_session.sh), driven by the keyboard
alone with wtype and read back with grim, swaymsg and wl-clipboard. Started with a picture, and with a file it
cannot open; a curve drawn by keys, copied to another program and saved through the real Save As dialog; the save
question abandoned with Esc; a picture from another program pasted; the curve again on an output of scale 2.

Usage: wayland_scenario.py PROGRAM ARTEFACT_FOLDER   (needs WAYLAND_DISPLAY and SWAYSOCK, e.g. under sway_session.sh).
Every screenshot stays in ARTEFACT_FOLDER, with everything seen in a failure.
"""

import json
import os
import pathlib
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "e2e"))
import x_desktop as x  # noqa: E402  (the sessions' shared waits, pictures and evidence)
from x_desktop import Raster  # noqa: E402

OUTPUT = "HEADLESS-1"
# A new virtual keyboard is made for each wtype call; keys sent at once can reach the program before it has
# taken that keyboard.
KEYBOARD_SETTLE_MS = 1500
# What Ctrl+C must offer other programs, and which of those are pictures to read back pixel for pixel.
COPIED_TYPES = ("image/png", "image/bmp", "image/svg+xml")
COPIED_PICTURES = ("image/png", "image/bmp")

INTERIOR_WIDTH, INTERIOR_HEIGHT = 607, 426
# The canvas's interior, and a rectangle around its frame, in the window's interior (units).
CANVAS, AROUND_THE_CANVAS = (9, 9, 400, 400), (4, 4, 410, 410)
# An inner curve with R 75, r 30 and d 15: the positions of the three scroll bars, which pages reach from their
# lowest positions, and the start of the settings file it is saved with.
CURVE = (100, -40, 10)
CURVE_PAGES = [(position - minimum) // x.SCROLL_PAGE for position, (_, minimum) in zip(CURVE, x.SCROLL_BARS)]
SETTINGS_OF_THE_CURVE = ",".join(map(str, CURVE)) + ","
# From the canvas, where the focus starts, Tab reaches the first scroll bar (the fixed circle's) in seven steps.
TABS_TO_THE_SCROLL_BARS = 7
# At scale 2 each unit is 2 × 2 pixels; of those the curve inks, a curve drawn at the screen's resolution leaves at
# least this share not of one colour, where doubled pixels leave none.
MIXED_SHARE_AT_2 = 0.5
WHITE = b"\xff\xff\xff"


def swaymsg(*arguments: str):
    return json.loads(x.run("swaymsg", "--raw", *arguments))


def key(name: str) -> list:
    return ["-k", name]


def chord(modifier: str, name: str) -> list:
    return ["-M", modifier, "-k", name, "-m", modifier]


def type_keys(*keys: list) -> None:
    """One wtype call: the keys (lists of wtype arguments, or text) after the new keyboard has settled."""
    x.run("wtype", "-s", str(KEYBOARD_SETTLE_MS),
          *(argument for k in keys for argument in (k if isinstance(k, list) else [k])))


def views(node: dict) -> list:
    """The windows of the sway tree, each as its node."""
    found = [node] if node.get("pid") else []
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        found += views(child)
    return found


def grab(rectangle: tuple) -> Raster:
    """A rectangle of the output, in its units, at the output's own resolution."""
    left, top, width, height = rectangle
    return Raster.decode(x.run("grim", "-g", f"{left},{top} {width}x{height}", "-"))


def set_scale(scale: int) -> None:
    """The output's scale, at the same size in units."""
    x.run("swaymsg", "output", OUTPUT, "resolution", f"{1280 * scale}x{1024 * scale}", "scale", str(scale))


def picture_file(path: str, *drawing: str) -> Raster:
    """A picture ImageMagick draws, written to path as an 8-bit RGB PNG and returned."""
    x.run("convert", *drawing, "-depth", "8", "PNG24:" + path)
    return Raster.decode(pathlib.Path(path).read_bytes())


class Kururie(x.Kururie):
    """The program as its own process on the Wayland display, started, ended and checked as on X; `with` waits for
    its window. Windows are sway's views of it, screenshots grim's; the scale is the output's, Qt's own stays 1."""

    def __enter__(self) -> "Kururie":
        try:
            # The first window the program shows; a message may follow at once.
            x.wait_for("the main window", lambda: self.view(lambda v: True), x.START_TIMEOUT)
            view = min(self.views(), key=lambda v: v["id"])
            width, height = view["window_rect"]["width"], view["window_rect"]["height"]
            if width != INTERIOR_WIDTH or height <= INTERIOR_HEIGHT:
                raise AssertionError(f"the main window is {width}x{height} units, not a {INTERIOR_WIDTH}x"
                                     f"{INTERIOR_HEIGHT} interior under a menu bar")
            self.main_window = view["id"]
        except BaseException:
            self.__exit__()
            raise
        return self

    def views(self) -> list:
        return [v for v in views(swaymsg("-t", "get_tree")) if v["pid"] == self.process.pid]

    def view(self, which) -> dict:
        """The program's first window that which(node) accepts, or None."""
        return next((v for v in self.views() if which(v)), None)

    def main_view(self) -> dict:
        return self.view(lambda v: v["id"] == self.main_window)

    def title(self) -> str:
        return self.main_view()["name"]

    def wait_for_dialog(self, title: str) -> dict:
        """The program's focused window other than the main one, once it shows with the title."""
        return x.wait_for(f"a dialog titled {title}", lambda: self.view(
            lambda v: v["id"] != self.main_window and v["focused"] and v["name"] == title))

    def closed(self, dialog: dict) -> None:
        x.wait_for(f"the {dialog['name']} dialog to close", lambda: not self.view(lambda v: v["id"] == dialog["id"]))
        x.wait_for("the main window to have the focus again", lambda: self.main_view()["focused"])

    def shot(self, name: str, rectangle: tuple = None, always: bool = False, view: dict = None) -> Raster:
        """A window's contents (the main window's by default), or a rectangle of the main window's interior."""
        view = view or self.main_view()
        left, top = view["rect"]["x"] + view["window_rect"]["x"], view["rect"]["y"] + view["window_rect"]["y"]
        area = (left, top, view["window_rect"]["width"], view["window_rect"]["height"])
        if rectangle:
            menu_bar = view["window_rect"]["height"] - INTERIOR_HEIGHT
            area = (left + rectangle[0], top + menu_bar + rectangle[1], *rectangle[2:])
        return self.evidence.keep(name, grab(area), always)

    def keep_window(self, name: str) -> None:
        """The main window as sway shows it, with the title bar it draws."""
        view = self.main_view()
        title_bar = view["deco_rect"]["height"]
        self.evidence.keep(name, grab((view["rect"]["x"], view["rect"]["y"] - title_bar, view["rect"]["width"],
                                       view["rect"]["height"] + title_bar)), always=True)

    def keep_dialog(self, name: str, dialog: dict) -> None:
        """A dialog once it has settled: sway lists a new window at the size it first asks for, before it shows.
        Settled is drawn (more than one colour) at a size that held; its pixels may not hold still, as a text
        cursor blinks."""
        sizes = []

        def settled():
            view = self.view(lambda v: v["id"] == dialog["id"])
            sizes.append(view["rect"])
            drawn = len(set(self.shot(name, always=True, view=view).colours())) > 1
            time.sleep(x.STILL_SECONDS)
            return drawn and len(sizes) > 1 and sizes[-1] == sizes[-2]

        x.wait_for(f"the {dialog['name']} dialog to settle", settled)

    def canvas_once_still(self, name: str) -> Raster:
        """The canvas once two looks agree, kept under name."""
        looks = [self.shot(name, CANVAS)]

        def still():
            looks.append(self.shot(name, CANVAS))
            return looks[-1] if looks[-1].rgb == looks[-2].rgb else None

        return self.evidence.keep(name, x.wait_for(f"the canvas to hold still ({name})", still), always=True)

    def draw_curve(self, name: str) -> Raster:
        """From the canvas, Tab to the three scroll bars, set each from its lowest position by pages, and Enter,
        which presses 開始; returns the canvas once the curve is drawn."""
        blank = self.shot(f"{name} before", CANVAS)
        moves = [key("Tab")] * TABS_TO_THE_SCROLL_BARS
        for pages in CURVE_PAGES:
            moves += [key("Home"), *[key("Next")] * pages, key("Tab")]
        # Enter on the pen's scroll bar, where the last pages left the focus.
        type_keys(*moves[:-1], key("Return"))
        x.wait_for(f"the curve to be drawn ({name})", lambda: self.shot(name, CANVAS).rgb != blank.rgb, x.RUN_TIMEOUT)
        return self.canvas_once_still(name)


def same(picture: Raster, expected: Raster, what: str) -> None:
    difference = picture.differences(expected)
    assert not difference, f"{what} {difference}"


def started_with_a_picture(executable: str, work: str, evidence: x.Evidence) -> None:
    """kururie photo.png, named relative to the folder it starts in: the title names it by its full path and the
    canvas shows its top-left 400 × 400."""
    folder = os.path.join(work, "picture")
    os.makedirs(folder)
    photo = picture_file(os.path.join(folder, "photo.png"), "-size", "640x480", "gradient:orange-navy",
                         "-fill", "white", "-draw", "circle 120,120 180,120")
    with Kururie(executable, os.path.join(folder, "program"), evidence, arguments=("../photo.png",),
                 label="started with a picture") as program:
        expected = "くるりえ-- " + os.path.join(folder, "photo.png")
        x.wait_for(f"the title {expected}", lambda: program.title() == expected)
        same(program.canvas_once_still("started with a picture"), photo.crop(0, 0, 400, 400), "the canvas")
        program.keep_window("window started with a picture")


def started_with_a_file_it_cannot_open(executable: str, work: str, evidence: x.Evidence) -> None:
    """kururie missing.bmp: the window shows, and over it the message that the file could not be opened; Enter
    closes the message and leaves the window titled くるりえ."""
    with Kururie(executable, os.path.join(work, "missing"), evidence, arguments=("missing.bmp",),
                 label="started with a missing file") as program:
        message = program.wait_for_dialog("くるりえ")
        program.keep_dialog("message on a missing file", message)
        program.evidence.keep("screen with the message", grab((0, 0, 1280, 1024)), always=True)
        type_keys(key("Return"))
        program.closed(message)
        assert program.title() == "くるりえ", f"the title became {program.title()!r}"


def copied(program: Kururie, canvas: Raster) -> None:
    """Ctrl+C: another program (wl-paste) is offered every type, and reads the canvas from each picture type."""
    type_keys(chord("ctrl", "c"))

    def pictures_offered():
        offered = x.run("wl-paste", "--list-types", check=False).decode().split()
        return offered if any(kind.startswith("image/") for kind in offered) else None

    offered = x.wait_for("a picture on the clipboard", pictures_offered)
    missing = [kind for kind in COPIED_TYPES if kind not in offered]
    assert not missing, f"Ctrl+C does not offer {missing}, only {offered}"
    for kind in COPIED_PICTURES:
        picture = Raster.decode(x.run("wl-paste", "-t", kind))
        same(program.evidence.keep(f"clipboard {kind.replace('/', ' ')}", picture, always=True), canvas,
             f"the clipboard's {kind}")


def saved_as(program: Kururie, canvas: Raster, path: str) -> None:
    """名前を付けて保存 from the File menu by Alt+F and its access key, the name typed and Enter: the picture and its
    settings written, the title naming the file."""
    type_keys(chord("alt", "f"), key("a"))
    dialog = program.wait_for_dialog("名前を付けて保存")
    program.keep_dialog("Save As dialog", dialog)
    type_keys(chord("ctrl", "a"), path, key("Return"))
    program.closed(dialog)
    x.wait_for(f"the title naming {path}", lambda: program.title() == "くるりえ-- " + path)
    program.keep_window("window saved")
    same(Raster.decode(pathlib.Path(path).read_bytes()), canvas, "the saved picture")
    settings = pathlib.Path(path).with_suffix(".txt").read_text(encoding="ascii")
    assert settings.startswith(SETTINGS_OF_THE_CURVE), f"the settings file holds {settings!r}"


def clipboard_is_the_saved_picture(program: Kururie, path: str) -> None:
    """What wl-paste reads as PNG is the saved bitmap, pixel for pixel."""
    same(Raster.decode(x.run("wl-paste", "-t", "image/png")), Raster.decode(pathlib.Path(path).read_bytes()),
         "the clipboard's PNG, against the saved bitmap,")


def escape_keeps_the_picture(program: Kururie) -> None:
    """新規 from the File menu over a changed picture asks 編集を保存しますか?, titled 確認; Esc keeps the window, its
    title and picture."""
    title, canvas = program.title(), program.shot("canvas before New", CANVAS)
    type_keys(chord("alt", "f"), key("n"))
    question = program.wait_for_dialog("確認")
    program.keep_dialog("save question", question)
    type_keys(key("Escape"))
    program.closed(question)
    assert program.title() == title, f"the title became {program.title()!r}"
    same(program.shot("canvas kept", CANVAS, always=True), canvas, "the canvas")


def pasted(program: Kururie, work: str) -> None:
    """A picture put on the clipboard by another program (wl-copy) pastes with Ctrl+V."""
    picture = picture_file(os.path.join(work, "pasted.png"), "-size", "400x400", "gradient:yellow-blue",
                           "-fill", "red", "-draw", "circle 200,200 260,200")
    subprocess.run(["wl-copy", "-t", "image/png"], input=pathlib.Path(work, "pasted.png").read_bytes(),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True, timeout=x.COMMAND_TIMEOUT)
    type_keys(chord("ctrl", "v"))
    x.wait_for("the pasted picture", lambda: not program.shot("pasted", CANVAS).differences(picture))
    program.keep_window("window pasted")


def drawn_copied_saved_and_pasted(executable: str, work: str, evidence: x.Evidence) -> None:
    """One program from a curve drawn by keys to a picture pasted over it; each step is checked on its own."""
    folder = os.path.join(work, "drawn")
    with Kururie(executable, folder, evidence, label="drawn by keys") as program:
        canvas = program.draw_curve("drawn")
        program.check(copied, canvas)
        path = os.path.join(folder, "star.bmp")
        program.check(saved_as, canvas, path)
        program.check(clipboard_is_the_saved_picture, path)
        # Saved, the picture is no change; pasted over, it is.
        program.check(pasted, folder)
        program.check(escape_keeps_the_picture)


def blocks(picture: Raster) -> list:
    """The colours of each 2 × 2 pixel block that stands for one unit."""
    return [{picture.pixel(left + dx, top + dy) for dx in (0, 1) for dy in (0, 1)}
            for top in range(0, picture.height, 2) for left in range(0, picture.width, 2)]


def at_scale_2(executable: str, work: str, evidence: x.Evidence) -> None:
    """On an output of scale 2: the canvas's one-unit frame 2 pixels wide around 800 × 800 pixels, and the curve
    drawn at the output's resolution, not as doubled pixels."""
    set_scale(2)
    with Kururie(executable, os.path.join(work, "scale-2"), evidence, label="at scale 2") as program:
        curve = program.draw_curve("drawn at scale 2")
        framed = program.shot("canvas frame at scale 2", AROUND_THE_CANVAS, always=True)
        # Across and down, 10 pixels into the canvas, where the curve does not reach.
        found = [framed.runs((0, 20), (1, 0), framed.width)[1:4], framed.runs((20, 0), (0, 1), framed.height)[1:4]]
        assert found == [[2, 800, 2]] * 2, (f"frame, interior and frame measure {found} pixels across and down, "
                                            "expected 2, 800, 2")
        program.keep_window("window at scale 2")
        inked = [colours for colours in blocks(curve) if colours != {WHITE}]
        mixed = sum(len(colours) > 1 for colours in inked)
        assert mixed >= MIXED_SHARE_AT_2 * len(inked), (f"only {mixed} of the {len(inked)} blocks of 2 × 2 pixels "
                                                        "along the curve are not of one colour")


def play(executable: str, work: str, evidence: x.Evidence) -> str:
    for scenario in (started_with_a_picture, started_with_a_file_it_cannot_open, drawn_copied_saved_and_pasted,
                     at_scale_2):
        try:
            scenario(executable, work, evidence)
        except (AssertionError, TimeoutError, subprocess.SubprocessError) as failure:
            evidence.failures.append(f"{scenario.__name__}: {failure}")
    return ("opened a picture named on the command line and reported one it could not open, drew a curve by keys, "
            "copied it to wl-paste, saved it through the Save As dialog, kept it through Esc, pasted from wl-copy, "
            "and drew it again at scale 2")


if __name__ == "__main__":
    sys.exit(x.session(sys.argv[1:], __doc__, play))
