"""Driving くるりえ through the X server alone, under a window manager (desktop_session.sh), with xdotool, xclip,
xprop and ImageMagick; every wait is bounded."""

import contextlib
import inspect
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

COMMAND_TIMEOUT, STEP_TIMEOUT, START_TIMEOUT, RUN_TIMEOUT = 20, 10, 15, 60
POLL_INTERVAL = 0.1
# Pause between synthetic events, so the program sees separate clicks and key presses.
EVENT_DELAY_MS = 60
# A running curve gains segments in this time, even at 遅い; a finished or paused one none.
STILL_SECONDS = 0.3
PPM_HEADER = re.compile(rb"P6\s+(\d+)\s+(\d+)\s+255\s")
# Below this channel sum a pixel counts as ink on the white canvas.
DARK_SUM = 3 * 128
WHITE = b"\xff\xff\xff"

# The main window's interior below the menu bar, and rectangles (left, top, width, height) in it.
INTERIOR_WIDTH, INTERIOR_HEIGHT = 607, 426
CANVAS = (9, 9, 400, 400)
PEN_COLOUR_BUTTON = (424, 240, 49, 25)
START_BUTTON, PAUSE_BUTTON = (424, 360, 65, 25), (424, 392, 65, 25)
CLEAR_BUTTON = (528, 360, 65, 25)
SLOW_SPEED_WORDS = (560, 202, 23, 12)
# Below the canvas, where no control lies: the pointer rests there, so that no button shows it hovering.
RESTING_POINT = (200, 418)
# The scroll bars of the fixed circle, the rolling circle and the pen (at 432, 32 / 72 / 112, 153 x 13): the
# middle of each one's right arrow and its lowest position; and the step of a page.
SCROLL_BARS = (((579, 38), 0), ((579, 78), -200), ((579, 118), -100))
SCROLL_PAGE = 10


def wait_for(what: str, probe, timeout: float = STEP_TIMEOUT):
    """Calls probe() until it returns something truthy and returns that."""
    deadline = time.monotonic() + timeout
    while not (result := probe()):
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(POLL_INTERVAL)
    return result


def run(*command: str, input: bytes = None, check: bool = True) -> bytes:
    completed = subprocess.run(command, input=input, capture_output=True, check=check, timeout=COMMAND_TIMEOUT)
    return completed.stdout if completed.returncode == 0 else b""


def xdotool(*arguments, check: bool = True) -> str:
    return run("xdotool", *map(str, arguments), check=check).decode("utf-8", "replace").strip()


def windows(pid: int) -> list:
    return [int(w) for w in xdotool("search", "--all", "--onlyvisible", "--pid", pid, check=False).split()]


def window_name(window: int) -> str:
    return xdotool("getwindowname", window)


def focus(window: int) -> None:
    xdotool("windowactivate", "--sync", window)


def key(*names: str) -> None:
    xdotool("key", "--delay", EVENT_DELAY_MS, *names)


def replace_text(text: str) -> None:
    """Selects everything in the focused text box and types text over it."""
    key("ctrl+a")
    xdotool("type", "--delay", EVENT_DELAY_MS // 2, text)


def screenshot(window: int) -> "Raster":
    return Raster.from_ppm(run("import", "-silent", "-window", str(window), "-depth", "8", "ppm:-"))


class Raster:
    """An 8-bit RGB picture; ImageMagick decodes and encodes it, so only the standard library is needed here."""

    def __init__(self, width: int, height: int, rgb: bytes):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    @classmethod
    def from_ppm(cls, ppm: bytes) -> "Raster":
        header = PPM_HEADER.match(ppm)
        width, height = int(header[1]), int(header[2])
        return cls(width, height, ppm[header.end():header.end() + width * height * 3])

    @classmethod
    def decode(cls, image: bytes) -> "Raster":
        """Any format ImageMagick reads (PNG, BMP, …)."""
        return cls.from_ppm(run("convert", "-", "-depth", "8", "ppm:-", input=image))

    def save_png(self, path: str) -> None:
        run("convert", "ppm:-", path, input=b"P6\n%d %d\n255\n" % (self.width, self.height) + self.rgb)

    def pixel(self, x: int, y: int) -> bytes:
        return self.rgb[(y * self.width + x) * 3:(y * self.width + x) * 3 + 3]

    def runs(self, start: tuple, step: tuple, count: int) -> list:
        """The lengths of the runs of one colour from a pixel on, along a row or a column."""
        colours = (self.pixel(start[0] + i * step[0], start[1] + i * step[1]) for i in range(count))
        return [len(list(run)) for _, run in itertools.groupby(colours)]

    def colours(self) -> list:
        return [self.rgb[i:i + 3] for i in range(0, len(self.rgb), 3)]

    def dark_pixels(self) -> set:
        return {(i % self.width, i // self.width) for i, c in enumerate(self.colours()) if sum(c) < DARK_SUM}

    def crop(self, left: int, top: int, width: int, height: int) -> "Raster":
        row = self.width * 3
        return Raster(width, height, b"".join(self.rgb[y * row + left * 3:y * row + (left + width) * 3]
                                              for y in range(top, top + height)))

    def inked(self) -> set:
        """The pixels not white, however faintly drawn."""
        return {(i % self.width, i // self.width) for i, c in enumerate(self.colours()) if c != WHITE}

    def strays_from(self, other: "Raster") -> str:
        """Empty when this picture is the other drawn again smoothly: each pixel dark in one has a pixel inked in
        the other within one pixel, as an aliased line and an antialiased one differ; else how it strays."""
        def astray(dark: set, inked: set) -> int:
            return sum(not any((x + dx, y + dy) in inked for dx in (-1, 0, 1) for dy in (-1, 0, 1)) for x, y in dark)
        missing, extra = astray(other.dark_pixels(), self.inked()), astray(self.dark_pixels(), other.inked())
        return f"misses {missing} of its dark pixels and adds {extra}" if missing or extra else ""

    def differences(self, other: "Raster") -> str:
        """Empty when both are the same picture, else how they differ."""
        if (self.width, self.height) != (other.width, other.height):
            return f"measures {self.width}x{self.height}, not {other.width}x{other.height}"
        differing = sum(a != b for a, b in zip(self.colours(), other.colours()))
        return f"differs in {differing} pixels" if differing else ""


class Evidence:
    """The failed checks, and the pictures and files seen: those kept always are written after a pass too."""

    def __init__(self, folder: str):
        self.folder, self.always, self.on_failure, self.files, self.failures = folder, {}, {}, [], []

    def keep(self, name: str, picture: Raster, always: bool = False) -> Raster:
        (self.always if always else self.on_failure)[name] = picture
        return picture

    def write(self, failure: str) -> None:
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        for name, picture in {**self.always, **(self.on_failure if failure else {})}.items():
            picture.save_png(os.path.join(self.folder, re.sub(r"[ ,]+", "-", name) + ".png"))
        if failure:
            pathlib.Path(self.folder, "failure.txt").write_text(failure, encoding="utf-8")
            for path in filter(os.path.exists, self.files):
                shutil.copy(path, self.folder)


class Kururie:
    """The program as its own process in `work`, on a screen of the given scale; `with` waits for its window and
    ends it. Points and rectangles are in the layout's units."""

    def __init__(self, executable: str, work: str, evidence: Evidence, scale: float = 1, environment: dict = None,
                 arguments: tuple = (), label: str = ""):
        config, runtime = os.path.join(work, "config"), os.path.join(work, "runtime")
        os.makedirs(config, exist_ok=True)
        os.makedirs(runtime, mode=0o700)
        # Qt's file dialog remembers its history in the user's configuration; keep that here.
        environment = dict(os.environ, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime, QT_SCALE_FACTOR=str(scale),
                           **(environment or {}))
        log_path = os.path.join(work, "program.log")
        evidence.files.append(log_path)
        with open(log_path, "wb") as log:
            self.process = subprocess.Popen([executable, *arguments], cwd=work, env=environment, stdout=log, stderr=log)
        self.evidence, self.scale, self.label = evidence, scale, label

    def __enter__(self) -> "Kururie":
        try:
            self.window = wait_for("the main window", lambda: self.new_window([]), START_TIMEOUT)
            width, height = (int(n) / self.scale for n in re.findall(
                r"(?:WIDTH|HEIGHT)=(\d+)", xdotool("getwindowgeometry", "--shell", self.window)))
            if round(width) != INTERIOR_WIDTH or height <= INTERIOR_HEIGHT:
                raise AssertionError(f"the main window is {width:g}x{height:g} units, not a {INTERIOR_WIDTH}x"
                                     f"{INTERIOR_HEIGHT} interior under a menu bar")
            self.menu_height = round(height) - INTERIOR_HEIGHT
            focus(self.window)
            self.rest_pointer()
            # 一時停止 as it shows between runs (disabled), to tell when a run has ended.
            self.idle_pause_button = self.shot("pause-button-idle", PAUSE_BUTTON)
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
        except (AssertionError, TimeoutError) as failure:
            what = f"{self.label} {step.__name__}".lstrip()
            self.evidence.failures.append(f"{what}: {failure}")
            self.shot(f"failed {what}")

    def point(self, left: float, top: float) -> tuple:
        """A point of the interior in the window's pixels."""
        return round(left * self.scale), round((self.menu_height + top) * self.scale)

    def pixels(self, rectangle: tuple) -> tuple:
        """A rectangle of the interior as (left, top, width, height) in the window's pixels."""
        left, top, width, height = rectangle
        return (*self.point(left, top), round(width * self.scale), round(height * self.scale))

    def click(self, left: float, top: float) -> None:
        xdotool("mousemove", "--sync", "--window", self.window, *self.point(left, top), "click", 1)

    def rest_pointer(self) -> None:
        xdotool("mousemove", "--sync", "--window", self.window, *self.point(*RESTING_POINT))

    def press(self, rectangle: tuple) -> None:
        """Clicks the middle of a control, and moves the pointer off it."""
        left, top, width, height = rectangle
        self.click(left + width / 2, top + height / 2)
        self.rest_pointer()

    def keys(self, *names: str) -> None:
        """Key presses to the main window."""
        focus(self.window)
        key(*names)

    def set_curve(self, *positions: int) -> None:
        """Moves the scroll bars as a user does: a click on a right arrow, then Home, pages and steps to the right."""
        focus(self.window)
        for (arrow, minimum), position in zip(SCROLL_BARS, positions):
            self.click(*arrow)
            pages, steps = divmod(position - minimum, SCROLL_PAGE)
            key("Home", *["Next"] * pages, *["Right"] * steps)

    def shot(self, name: str, rectangle: tuple = None, always: bool = False) -> Raster:
        """The main window, or a rectangle of its interior, as it shows now; kept as evidence under `name`."""
        picture = screenshot(self.window)
        return self.evidence.keep(name, picture.crop(*self.pixels(rectangle)) if rectangle else picture, always)

    def still_canvas(self, name: str) -> Raster:
        """The canvas once two looks STILL_SECONDS apart agree; kept under `name`."""
        looks = [self.shot(name, CANVAS)]

        def still():
            time.sleep(STILL_SECONDS)
            looks.append(self.shot(name, CANVAS))
            return looks[-1] if looks[-1].rgb == looks[-2].rgb else None

        return wait_for(f"the canvas to hold still ({name})", still)

    def run_to_end(self, start, name: str) -> Raster:
        """Starts a run with start() and returns the canvas once it changed, 一時停止 is disabled and it holds still."""
        before = self.shot(name, CANVAS)

        def ended():
            changed = self.shot(name, CANVAS).rgb != before.rgb
            return changed and self.shot("pause-button", PAUSE_BUTTON).rgb == self.idle_pause_button.rgb

        start()
        wait_for(f"the run to end ({name})", ended, RUN_TIMEOUT)
        return self.evidence.keep(name, self.still_canvas(name), always=True)

    def new_window(self, known: list) -> int:
        """A shown window of the program other than the known ones (a menu, a dialog), or 0."""
        return next((w for w in windows(self.process.pid) if w not in known), 0)

    def choose(self, menu_key: str, item_key: str) -> int:
        """Opens a menu and picks an item by their access keys, as from the keyboard; returns the menu's window."""
        self.keys(menu_key)
        menu = wait_for(f"the menu opened by {menu_key}", lambda: self.new_window([self.window]))
        key(item_key)
        return menu

    @contextlib.contextmanager
    def dialog(self, name: str, opener, title: str = "", closing_key: str = "", timeout: float = STEP_TIMEOUT):
        """Opens a dialog with opener() (which may return a menu to pass over) for the body, keeps a picture of it,
        closes it with the closing key, if any, and checks its title, if given."""
        known = [*windows(self.process.pid), opener()]
        dialog = wait_for(f"the {name}", lambda: self.new_window(known), timeout)
        shown_title = wait_for(f"the {name}'s title", lambda: window_name(dialog))
        focus(dialog)
        try:
            yield dialog
        finally:
            self.evidence.keep(name, screenshot(dialog), always=True)
            if closing_key:
                focus(dialog)
                key(closing_key)
                wait_for(f"the {name} to close", lambda: dialog not in windows(self.process.pid))
                wait_for("the main window to be active again",
                         lambda: xdotool("getactivewindow", check=False) == str(self.window))
        assert shown_title == title or not title, f"the {name} is titled {shown_title!r}, expected {title!r}"


def session(arguments: list, usage: str, play) -> int:
    """A scenario's main: play(*files, work, evidence) with the files given, then the folder for the pictures."""
    # play takes the files, then the scratch folder and the evidence.
    if len(arguments) != len(inspect.signature(play).parameters) - 1:
        print(usage, file=sys.stderr)
        return 2
    *files, artefacts = map(os.path.abspath, arguments)
    evidence, work = Evidence(artefacts), tempfile.mkdtemp(prefix="kururie-e2e-")
    try:
        summary = play(*files, work, evidence)
    except Exception:
        evidence.failures.append(traceback.format_exc())
    failure = "\n".join(evidence.failures)
    evidence.write(failure)
    shutil.rmtree(work, ignore_errors=True)
    if failure:
        print(failure, f"screenshots and files kept in {artefacts}", sep="\n", file=sys.stderr)
        return 1
    print(summary)
    return 0
