"""Driving くるりえ through the X server alone, with xdotool, xclip and ImageMagick; every wait is bounded.

Under a window manager (see desktop_session.sh) a window gets the keyboard focus by asking the window
manager to activate it, as a click on its title bar would."""

import contextlib
import inspect
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

TOOLS = ("xdotool", "import", "convert", "xclip")
COMMAND_TIMEOUT, STEP_TIMEOUT, START_TIMEOUT = 20, 10, 15
POLL_INTERVAL = 0.1
# Pause between synthetic events, so the program sees separate clicks and key presses.
EVENT_DELAY_MS = 60
PPM_HEADER = re.compile(rb"P6\s+(\d+)\s+(\d+)\s+255\s")
# Below this channel sum a pixel counts as ink on the white canvas.
DARK_SUM = 3 * 128

# The main window's interior below the menu bar, and rectangles (left, top, width, height) in it.
INTERIOR_WIDTH, INTERIOR_HEIGHT = 607, 426
CANVAS = (9, 9, 400, 400)
PEN_COLOUR_BUTTON = (424, 240, 49, 25)
START_BUTTON, PAUSE_BUTTON, CLEAR_BUTTON = (424, 360, 65, 25), (424, 392, 65, 25), (528, 360, 65, 25)
SLOW_SPEED_BUTTON = (544, 200, 17, 17)
# Points of the scroll bars (at 432, 32 / 72 / 112, 153 x 13): the middle of the right step arrow, and the
# trough just right of the left one.
FIX_CIRCLE_RIGHT_ARROW, MOVE_CIRCLE_TROUGH_LEFT, PEN_POSITION_RIGHT_ARROW = (579, 38), (450, 78), (579, 118)
MOVE_CIRCLE_RIGHT_ARROW = (579, 78)
# The scroll bars' lowest positions and the step of a page.
FIX_CIRCLE_MINIMUM, MOVE_CIRCLE_MINIMUM, PEN_POSITION_MINIMUM, SCROLL_PAGE = 0, -200, -100, 10


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


def windows(pid: int, *name_pattern: str) -> list:
    """The mapped windows of one process, or only those whose title matches the regular expression given."""
    names = ("--name", *name_pattern) if name_pattern else ()
    return [int(w) for w in xdotool("search", "--all", "--onlyvisible", "--pid", pid, *names, check=False).split()]


def window_name(window: int) -> str:
    return xdotool("getwindowname", window)


def focus(window: int) -> None:
    xdotool("windowactivate", "--sync", window)


def key(name: str, times: int = 1) -> None:
    xdotool("key", "--repeat", times, "--delay", EVENT_DELAY_MS, name)


def screenshot(window: int) -> "Raster":
    return Raster.from_ppm(run("import", "-silent", "-window", str(window), "-depth", "8", "ppm:-"))


class Raster:
    """An 8-bit RGB picture; ImageMagick decodes and encodes it, so only the standard library is needed here."""

    def __init__(self, width: int, height: int, rgb: bytes):
        if len(rgb) != width * height * 3:
            raise ValueError(f"a {width}x{height} picture needs {width * height * 3} bytes, got {len(rgb)}")
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    @classmethod
    def from_ppm(cls, ppm: bytes) -> "Raster":
        header = PPM_HEADER.match(ppm)
        if not header:
            raise ValueError(f"not an 8-bit binary PPM: {ppm[:20]!r}")
        width, height = int(header[1]), int(header[2])
        return cls(width, height, ppm[header.end():header.end() + width * height * 3])

    @classmethod
    def decode(cls, image: bytes) -> "Raster":
        """Any format ImageMagick reads (PNG, BMP, …)."""
        return cls.from_ppm(run("convert", "-", "-depth", "8", "ppm:-", input=image))

    def save_png(self, path: str) -> None:
        run("convert", "ppm:-", path, input=b"P6\n%d %d\n255\n" % (self.width, self.height) + self.rgb)

    def colours(self) -> list:
        return [self.rgb[i:i + 3] for i in range(0, len(self.rgb), 3)]

    def dark_pixels(self) -> set:
        return {(i % self.width, i // self.width) for i, c in enumerate(self.colours()) if sum(c) < DARK_SUM}

    def crop(self, left: int, top: int, width: int, height: int) -> "Raster":
        row = self.width * 3
        return Raster(width, height, b"".join(self.rgb[y * row + left * 3:y * row + (left + width) * 3]
                                              for y in range(top, top + height)))

    def with_marks(self, colour: bytes, points) -> "Raster":
        """A copy with the given pixels painted, for failure pictures."""
        painted = bytearray(self.rgb)
        for x, y in points:
            painted[(y * self.width + x) * 3:(y * self.width + x) * 3 + 3] = colour
        return Raster(self.width, self.height, painted)

    def differences(self, other: "Raster") -> str:
        """Empty when both are the same picture, else how they differ."""
        if (self.width, self.height) != (other.width, other.height):
            return f"measures {self.width}x{self.height}, not {other.width}x{other.height}"
        differing = sum(a != b for a, b in zip(self.colours(), other.colours()))
        return f"differs in {differing} pixels" if differing else ""


def checker(program, failures: list, label: str = ""):
    """check(step, *arguments) runs step(program, *arguments) and notes a failed assertion in failures, so that
    one report shows all that is wrong."""
    def check(step, *arguments):
        try:
            step(program, *arguments)
        except AssertionError as failure:
            failures.append(f"{label}{step.__name__}: {failure}")
    return check


class Evidence:
    """Pictures and files a session collects: those kept always (the real dialogs) are written after a pass too."""

    def __init__(self, folder: str):
        self.folder, self.always, self.on_failure, self.files = folder, {}, {}, []

    def keep(self, name: str, picture: Raster, always: bool = False) -> Raster:
        (self.always if always else self.on_failure)[name] = picture
        return picture

    def write(self, failure: str = "") -> None:
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        for name, picture in {**self.always, **(self.on_failure if failure else {})}.items():
            picture.save_png(os.path.join(self.folder, name + ".png"))
        if failure:
            pathlib.Path(self.folder, "failure.txt").write_text(failure, encoding="utf-8")
            for path in filter(os.path.exists, self.files):
                shutil.copy(path, self.folder)


class Kururie:
    """The program as its own process in `work` (its current folder, configuration home and runtime folder), on a
    screen of the given scale, with more environment and arguments if given. Points and rectangles are given in
    the layout's units and turned into the screen's pixels."""

    def __init__(self, executable: str, work: str, evidence: Evidence, scale: float = 1, environment: dict = None,
                 arguments: tuple = ()):
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
        self.evidence, self.scale, self.window, self.menu_height = evidence, scale, 0, 0

    def wait_until_shown(self) -> None:
        self.window = wait_for("the main window", lambda: windows(self.process.pid, "^くるりえ$"), START_TIMEOUT)[0]
        geometry = xdotool("getwindowgeometry", "--shell", self.window)
        width, height = (int(n) / self.scale for n in re.findall(r"(?:WIDTH|HEIGHT)=(\d+)", geometry))
        if round(width) != INTERIOR_WIDTH or height <= INTERIOR_HEIGHT:
            raise AssertionError(f"the main window is {width:g}x{height:g} units, not a {INTERIOR_WIDTH}x"
                                 f"{INTERIOR_HEIGHT} interior under a menu bar")
        self.menu_height = round(height) - INTERIOR_HEIGHT

    def stop(self) -> None:
        self.process.kill()
        self.process.wait()

    def point(self, left: float, top: float) -> tuple:
        """A point of the interior in the window's pixels."""
        return round(left * self.scale), round((self.menu_height + top) * self.scale)

    def pixels(self, rectangle: tuple) -> tuple:
        """A rectangle of the interior as (left, top, width, height) in the window's pixels."""
        left, top, width, height = rectangle
        return (*self.point(left, top), round(width * self.scale), round(height * self.scale))

    def click(self, left: int, top: int, times: int = 1) -> None:
        xdotool("mousemove", "--sync", "--window", self.window, *self.point(left, top),
                "click", "--repeat", times, "--delay", EVENT_DELAY_MS, 1)

    def click_middle(self, rectangle: tuple) -> None:
        left, top, width, height = rectangle
        self.click(left + width // 2, top + height // 2)

    def set_scroll_bar(self, right_arrow: tuple, minimum: int, position: int) -> None:
        """Moves a scroll bar to a position from the keyboard, once a click on its arrow has given it the focus:
        Home, then pages and steps to the right."""
        self.click(*right_arrow)
        key("Home")
        pages, steps = divmod(position - minimum, SCROLL_PAGE)
        if pages:
            key("Next", times=pages)
        if steps:
            key("Right", times=steps)

    def shot(self, name: str, rectangle: tuple = None) -> Raster:
        """The main window, or a rectangle of its interior, as it shows now; kept as evidence under `name`."""
        picture = screenshot(self.window)
        if rectangle:
            picture = picture.crop(*self.pixels(rectangle))
        return self.evidence.keep(name, picture)

    def new_window(self, known: list) -> int:
        """A shown window of the program other than the known ones (a menu, a dialog), or 0."""
        return next((w for w in windows(self.process.pid) if w not in known), 0)

    def choose_menu_item(self, menu_key: str, item_key: str) -> int:
        """Opens a menu and picks an item by their access keys, as from the keyboard; returns the menu's window."""
        focus(self.window)
        key(menu_key)
        menu = wait_for(f"the menu opened by {menu_key}", lambda: self.new_window([self.window]))
        key(item_key)
        return menu

    @contextlib.contextmanager
    def dialog(self, name: str, opener, title: str, closing_key: str):
        """Opens a dialog with opener(), which may return a menu's window to pass over, and focuses it for the
        body; then closes it with a key, waits for the focus to come back to the main window and checks the
        title it had. A picture of every real dialog is kept."""
        known = windows(self.process.pid)
        known.append(opener())
        dialog = wait_for(f"the {name}", lambda: self.new_window(known))
        shown_title = wait_for(f"the {name}'s title", lambda: window_name(dialog))
        self.evidence.keep(name.replace(" ", "-"), screenshot(dialog), always=True)
        focus(dialog)
        try:
            yield dialog
        finally:
            focus(dialog)
            key(closing_key)
            wait_for(f"the {name} to close", lambda: dialog not in windows(self.process.pid))
            wait_for("the main window to be active again",
                     lambda: xdotool("getactivewindow", check=False) == str(self.window))
        if shown_title != title:
            raise AssertionError(f"the {name} is titled {shown_title!r}, expected {title!r}")


def session(arguments: list, usage: str, play) -> int:
    """A scenario's main: arguments are the programs it runs, then the folder for its pictures. Calls
    play(*programs, work, evidence) with a scratch folder and prints what it returns; on a failure prints it
    and keeps everything seen. Returns the exit status."""
    # play takes the programs, then the scratch folder and the evidence.
    if len(arguments) != len(inspect.signature(play).parameters) - 1:
        print(usage, file=sys.stderr)
        return 2
    missing = [tool for tool in TOOLS if not shutil.which(tool)] + ([] if os.environ.get("DISPLAY") else ["DISPLAY"])
    if missing:
        print(f"cannot run without: {', '.join(missing)}", file=sys.stderr)
        return 1
    *programs, artefacts = map(os.path.abspath, arguments)
    evidence, work = Evidence(artefacts), tempfile.mkdtemp(prefix="kururie-e2e-")
    try:
        summary = play(*programs, work, evidence)
    except Exception:
        failure = traceback.format_exc()
        evidence.write(failure)
        print(failure, f"screenshots and files kept in {artefacts}", sep="\n", file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    evidence.write()
    print(summary)
    return 0
