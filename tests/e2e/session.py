"""What the X and the Wayland sessions share: くるりえ as its own process, its windows driven by keys and read back as
pictures, with bounded waits; the pictures compared; the evidence kept; and the steps a person takes on either."""

import contextlib
import itertools
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
import types

COMMAND_TIMEOUT, STEP_TIMEOUT, START_TIMEOUT, RUN_TIMEOUT = 20, 10, 15, 60
# A running curve gains segments in this time, even at 遅い; a finished or paused one none.
STILL_SECONDS = 0.3
WHITE = b"\xff\xff\xff"
# The main window's interior below the menu bar, and rectangles (left, top, width, height) in it.
INTERIOR_WIDTH, INTERIOR_HEIGHT = 607, 426
CANVAS, AROUND_THE_CANVAS, PAUSE_BUTTON = (9, 9, 400, 400), (4, 4, 410, 410), (424, 392, 65, 25)
# An inner curve with R 75, r 30 and d 15, of 1440 half-degree segments: 遅い draws it in about two seconds.
CURVE = (100, -40, 10)
# From the canvas Tab reaches the first of the scroll bars of the fixed circle, the rolling circle and the pen in
# seven steps; their lowest positions, and the step of a page.
TABS_TO_THE_SCROLL_BARS, SCROLL_MINIMA, SCROLL_PAGE = 7, (0, -200, -100), 10
COPIED_TYPES = ("image/png", "image/bmp", "image/svg+xml")


def wait_for(what: str, probe, timeout: float = STEP_TIMEOUT):
    """Calls probe() until it returns something truthy and returns that."""
    deadline = time.monotonic() + timeout
    while not (result := probe()):
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(0.1)
    return result


def steady(what: str, look, agree):
    """look() once two looks STILL_SECONDS apart agree(earlier, later)."""
    looks = [look()]

    def held():
        time.sleep(STILL_SECONDS)
        looks.append(look())
        return agree(*looks[-2:]) and looks[-1]

    return wait_for(what, held)


def run(*command: str, input: bytes = None, check: bool = True) -> bytes:
    completed = subprocess.run(command, input=input, capture_output=True, check=check, timeout=COMMAND_TIMEOUT)
    return completed.stdout if completed.returncode == 0 else b""


def dark(colour: bytes) -> bool:
    return sum(colour) < 3 * 128


class Raster:
    """An 8-bit RGB picture; ImageMagick decodes and encodes it, so only the standard library is needed here."""

    def __init__(self, width: int, height: int, rgb: bytes):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    @classmethod
    def decode(cls, image: bytes) -> "Raster":
        ppm = image if image.startswith(b"P6") else run("convert", "-", "-depth", "8", "ppm:-", input=image)
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        width, height = int(header[1]), int(header[2])
        return cls(width, height, ppm[header.end():header.end() + width * height * 3])

    @classmethod
    def read(cls, path: str) -> "Raster":
        return cls.decode(pathlib.Path(path).read_bytes())

    def save_png(self, path: str) -> None:
        run("convert", "ppm:-", path, input=b"P6\n%d %d\n255\n" % (self.width, self.height) + self.rgb)

    def pixel(self, x: int, y: int) -> bytes:
        return self.rgb[(y * self.width + x) * 3:(y * self.width + x) * 3 + 3]

    def colours(self) -> list:
        return [self.rgb[i:i + 3] for i in range(0, len(self.rgb), 3)]

    def where(self, test) -> set:
        return {(i % self.width, i // self.width) for i, colour in enumerate(self.colours()) if test(colour)}

    def crop(self, left: int, top: int, width: int, height: int) -> "Raster":
        row = self.width * 3
        return Raster(width, height, b"".join(self.rgb[y * row + left * 3:y * row + (left + width) * 3]
                                              for y in range(top, top + height)))

    def runs(self, start: tuple, step: tuple) -> list:
        """The lengths of the runs of one colour from a pixel on, along a row or a column to the edge."""
        count = self.width - start[0] if step[0] else self.height - start[1]
        colours = (self.pixel(start[0] + i * step[0], start[1] + i * step[1]) for i in range(count))
        return [len(list(run)) for _, run in itertools.groupby(colours)]

    def blocks_of_2_by_2(self) -> list:
        return [{self.pixel(x + dx, y + dy) for dx in (0, 1) for dy in (0, 1)}
                for y in range(0, self.height - 1, 2) for x in range(0, self.width - 1, 2)]

    def strays_from(self, other: "Raster") -> str:
        """Empty when this picture is the other drawn again smoothly: each pixel dark in one has a pixel not white in
        the other within one pixel, as an aliased line and an antialiased one differ; else how it strays."""
        def astray(ink: set, near: set) -> int:
            return sum(not any((x + dx, y + dy) in near for dx in (-1, 0, 1) for dy in (-1, 0, 1)) for x, y in ink)
        missing = astray(other.where(dark), self.where(lambda colour: colour != WHITE))
        extra = astray(self.where(dark), other.where(lambda colour: colour != WHITE))
        return f"misses {missing} of its dark pixels and adds {extra}" if missing or extra else ""


def same(picture: Raster, expected: Raster, what: str) -> None:
    sizes = [(shown.width, shown.height) for shown in (picture, expected)]
    differing = sum(a != b for a, b in zip(picture.colours(), expected.colours()))
    assert sizes[0] == sizes[1] and not differing, f"{what} differs in {differing} pixels, sizes {sizes}"


class Text(str):
    """Text to type, among the names of keys."""


class Program:
    """The program run in `work` on a screen of the given scale; `with` waits for its main window and ends it."""
    # A desktop's subclass gives windows() as {window: (title, active)}, oldest first, grab(window) as a Raster of
    # its interior, keys(*strokes) of key names ("ctrl+c") and Text, scaled(scale) as the environment that sets the
    # screen's scale, and the clipboard as other programs fill and read it: commands that end with a type, and one
    # that lists the types.
    COPY = PASTE = TYPES = ()

    def __init__(self, executable: str, work: str, evidence, scale: float = 1, environment: dict = None,
                 arguments: tuple = (), label: str = ""):
        self.work, self.evidence, self.scale, self.label = work, evidence, scale, label
        # Qt's file dialog remembers its history in the user's configuration; keep that here.
        os.makedirs(os.path.join(work, "config"), exist_ok=True)
        environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"),
                           XDG_RUNTIME_DIR=tempfile.mkdtemp(dir=work), **self.scaled(scale), **(environment or {}))
        with open(os.path.join(evidence.folder, f"{label or 'program'}.log"), "wb") as log:
            self.process = subprocess.Popen([executable, *arguments], cwd=work, env=environment, stdout=log, stderr=log)

    def __enter__(self) -> "Program":
        try:
            self.window = wait_for("the main window", lambda: next(iter(self.windows()), 0), START_TIMEOUT)
            shown = self.settled(self.window)
            self.menu_height = round(shown.height / self.scale) - INTERIOR_HEIGHT
            assert round(shown.width / self.scale) == INTERIOR_WIDTH and self.menu_height > 0, (
                f"the main window is {shown.width}x{shown.height} pixels at scale {self.scale:g}, no 607x426 interior")
            # 一時停止 as it shows between runs (disabled), to tell when a run has ended.
            self.idle_pause_button = self.shot("pause button idle", PAUSE_BUTTON)
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exception) -> None:
        self.process.kill()
        self.process.wait()

    def check(self, step, *arguments) -> None:
        """Runs step(self, *arguments); a failure is noted with a picture of the window, and the session goes on."""
        try:
            step(self, *arguments)
        except (AssertionError, TimeoutError, subprocess.SubprocessError) as failure:
            self.evidence.failures.append(f"{self.label} {step.__name__}: {failure}".lstrip())
            self.shot(f"failed {step.__name__}")

    def keep(self, name: str, picture: Raster, always: bool = False) -> Raster:
        self.evidence.pictures[f"{self.label} {name}".lstrip()] = (picture, always)
        return picture

    def title(self, window=None) -> str:
        return self.windows().get(window or self.window, ("", False))[0]

    def active(self):
        return next((window for window, (_, active) in self.windows().items() if active), 0)

    def pixels(self, rectangle: tuple) -> tuple:
        """A rectangle (left, top, width, height) of the interior in the window's pixels."""
        left, top, width, height = rectangle
        return tuple(round(n * self.scale) for n in (left, self.menu_height + top, width, height))

    def shot(self, name: str, rectangle: tuple = None, always: bool = False) -> Raster:
        """The main window, or a rectangle of its interior, as it shows now; kept as evidence under name."""
        shown = self.grab(self.window)
        return self.keep(name, shown.crop(*self.pixels(rectangle)) if rectangle else shown, always)

    def settled(self, window) -> Raster:
        """A window's picture once it is drawn (more than one colour) at a size that held."""
        return steady("a window to be drawn", lambda: self.grab(window), lambda earlier, later: (
            (earlier.width, earlier.height) == (later.width, later.height) and len(set(later.colours())) > 1))

    def still_canvas(self, name: str) -> Raster:
        return steady(f"the canvas to hold still ({name})", lambda: self.shot(name, CANVAS, always=True),
                      lambda earlier, later: earlier.rgb == later.rgb)

    def run_to_end(self, start, name: str) -> Raster:
        """Starts a run with start(); the canvas once it has changed, 一時停止 is disabled again and it holds still."""
        before = self.shot(name, CANVAS)
        start()
        wait_for(f"the run to end ({name})", lambda: self.shot(name, CANVAS).rgb != before.rgb and self.shot(
            "pause button", PAUSE_BUTTON).rgb == self.idle_pause_button.rgb, RUN_TIMEOUT)
        return self.still_canvas(name)

    def set_curve(self, curve: tuple, *then: str) -> None:
        """From the canvas, Tab to each scroll bar and set it from its lowest position; then the keys `then`."""
        strokes = ["Tab"] * TABS_TO_THE_SCROLL_BARS
        for minimum, position in zip(SCROLL_MINIMA, curve):
            pages, steps = divmod(position - minimum, SCROLL_PAGE)
            strokes += ["Home", *["Next"] * pages, *["Right"] * steps, "Tab"]
        self.keys(*strokes[:-1], *then)

    def draw(self, name: str, curve: tuple = CURVE) -> Raster:
        """The curve set from the canvas and started with Enter, which presses 開始; the canvas once it is drawn."""
        return self.run_to_end(lambda: self.set_curve(curve, "Return"), name)

    @contextlib.contextmanager
    def dialog(self, name: str, opener, title: str, closing_key: str = "", timeout: float = STEP_TIMEOUT):
        """The dialog opener() or its keys open, for the body once it is the active window; then its picture is kept,
        the closing key, if any, closes it (and another window of the program is active), and its title is checked."""
        opener() if callable(opener) else self.keys(*opener)
        dialog = wait_for(f"the {name}", lambda: (window := self.active()) not in (0, self.window)
                          and self.title(window) and window, timeout)
        shown_title = self.title(dialog)
        try:
            yield dialog
        finally:
            self.keep(name, self.settled(dialog), always=True)
            if closing_key:
                self.keys(closing_key)
                wait_for(f"the {name} to close", lambda: dialog not in self.windows() and self.active())
        assert shown_title == title, f"the {name} is titled {shown_title!r}, not {title!r}"

    def answer(self, name: str, opener, title: str, closing_key: str, timeout: float = STEP_TIMEOUT):
        """A dialog opened, pictured and closed as by dialog(), with nothing done in it."""
        with self.dialog(name, opener, title, closing_key, timeout):
            pass

    def clipboard(self, kind: str) -> bytes:
        return run(*self.PASTE, kind, check=False)

    def offered(self) -> list:
        return run(*self.TYPES, check=False).decode().split()

    def kept(self, canvas: Raster, title: str) -> None:
        """The canvas still shows the picture and the window still has its title."""
        same(self.shot("canvas kept", CANVAS), canvas, "the canvas, against the picture it showed,")
        assert self.title() == title, f"the title became {self.title()!r}"


def copied(program: Program, canvas: Raster) -> None:
    """Ctrl+C: other programs are offered PNG, BMP and SVG; both pictures read back as the canvas, and the SVG,
    rendered by rsvg-convert at the canvas's size, is the curve drawn again smoothly."""
    program.keys("ctrl+c")
    offered = wait_for("a picture on the clipboard", lambda: [k for k in program.offered() if k in COPIED_TYPES])
    assert sorted(offered) == sorted(COPIED_TYPES), f"Ctrl+C offers {offered} of {COPIED_TYPES}"
    for kind in COPIED_TYPES[:2]:
        picture = program.keep(f"clipboard {kind}", Raster.decode(program.clipboard(kind)), always=True)
        same(picture, canvas, f"the clipboard's {kind}, against the canvas,")
    rendered = run("rsvg-convert", "-w", "400", "-h", "400", input=program.clipboard("image/svg+xml"))
    strays = program.keep("clipboard SVG rendered", Raster.decode(rendered), always=True).strays_from(canvas)
    assert not strays, f"the clipboard's SVG, rendered, {strays} against the canvas"


def saved_as(program: Program, canvas: Raster, name: str, *file_type: str) -> None:
    """名前を付けて保存 by keys, the name typed, the file type picked: the file holds the canvas and the title names it;
    no name has a '*', and a name with an extension has the curve's settings beside it."""
    path = os.path.join(program.work, name)
    with program.dialog("Save As dialog", ("alt+f", "a"), "名前を付けて保存", "Return"):
        program.keys("ctrl+a", Text(path), *file_type)
    wait_for(f"the title naming {path}", lambda: program.title() == "くるりえ-- " + path)
    same(Raster.read(path), canvas, "the saved picture, against the canvas,")
    starred = [name for name in os.listdir(program.work) if "*" in name]
    assert not starred, f"saved with a '*' in {starred}"
    if "." in name:
        settings = pathlib.Path(path).with_suffix(".txt").read_text(encoding="ascii")
        assert settings.startswith(",".join(map(str, CURVE)) + ","), f"the settings file holds {settings!r}"


def pasted(program: Program) -> None:
    """A picture another program puts on the clipboard (and serves until it changes) pastes with Ctrl+V."""
    png = run("convert", "-size", "400x400", "gradient:yellow-blue", "-draw", "circle 200,200 260,200", "png24:-")
    picture = Raster.decode(png)
    subprocess.run([*program.COPY, "image/png"], input=png, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=True, timeout=COMMAND_TIMEOUT)
    wait_for("the picture on the clipboard", lambda: "image/png" in program.offered())
    program.keys("ctrl+v")
    wait_for("the pasted picture", lambda: program.shot("pasted", CANVAS, always=True).rgb == picture.rgb)


def save_question_kept(program: Program, *openers: tuple) -> None:
    """Each command (its keys) over a changed picture asks 編集を保存しますか? (確認); Esc keeps picture and title."""
    title, canvas = program.title(), program.shot("canvas before the question", CANVAS)
    for keys in openers:
        program.answer(f"save question after {' '.join(keys)}", keys, "確認", "Escape")
        program.kept(canvas, title)


def canvas_frame(program: Program) -> None:
    """Across and down the canvas, 10 units in: a frame as thick as the scale each side of 400 units of pixels."""
    around = program.shot("around the canvas", AROUND_THE_CANVAS, always=True)
    thick, inside, into = max(1, int(program.scale)), round(400 * program.scale), round(10 * program.scale)
    found = [around.runs((0, into), (1, 0))[1:4], around.runs((into, 0), (0, 1))[1:4]]
    assert found == [[thick, inside, thick]] * 2, f"frame, inside and frame measure {found} pixels across and down"


def smooth_curve(program: Program) -> None:
    """At scale 2 a curve drawn shows few blocks of 2 × 2 pixels of one colour, as doubled pixels would."""
    inked = [colours for colours in program.draw("curve at scale 2").blocks_of_2_by_2() if colours != {WHITE}]
    uniform = sum(len(colours) == 1 for colours in inked)
    assert len(inked) > 500 and uniform < len(inked) / 10, f"{uniform} of {len(inked)} inked blocks are of one colour"


def session(scenarios: list) -> int:
    """A scenario file's main: each scenario(*files, work, evidence) in turn; the last argument is the evidence's
    folder, where the programs' logs go and, at the end, the pictures."""
    *files, artefacts = map(os.path.abspath, sys.argv[1:])
    shutil.rmtree(artefacts, ignore_errors=True)
    os.makedirs(artefacts)
    # What the session saw: the failed checks, and the pictures as (picture, kept always) by name.
    evidence = types.SimpleNamespace(folder=artefacts, failures=[], pictures={})
    work = tempfile.mkdtemp(prefix="kururie-e2e-")
    for number, scenario in enumerate(scenarios):
        try:
            scenario(*files, os.path.join(work, str(number)), evidence)
        except Exception:
            evidence.failures.append(traceback.format_exc())
    for name, (picture, always) in evidence.pictures.items():
        if always or evidence.failures:
            picture.save_png(os.path.join(artefacts, re.sub(r"[ ,/+]+", "-", name) + ".png"))
    shutil.rmtree(work, ignore_errors=True)
    print(*evidence.failures or ["passed"], f"the pictures are in {artefacts}", sep="\n", file=sys.stderr)
    return 1 if evidence.failures else 0
