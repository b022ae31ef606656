"""The program under test as a separate process, and where the controls of its main window lie."""

import os
import subprocess

import x_session as x
from raster import Raster

# Main window interior below the menu bar, and rectangles (left, top, width, height) in it.
INTERIOR_WIDTH, INTERIOR_HEIGHT = 607, 426
CANVAS = (9, 9, 400, 400)
FIX_CIRCLE_BAR = (432, 32, 153, 13)
MOVE_CIRCLE_BAR = (432, 72, 153, 13)
PEN_POSITION_BAR = (432, 112, 153, 13)
PEN_COLOUR_BUTTON = (424, 240, 49, 25)
GRADATION_BOX = (424, 304, 137, 17)
GRADATION_SLIDER = (448, 320, 113, 20)
START_BUTTON = (424, 360, 65, 25)
PAUSE_BUTTON = (424, 392, 65, 25)
# From either end of a scroll bar: the middle of its step arrow, and a point of the trough.
ARROW_INSET = 6
TROUGH_INSET = 18

START_TIMEOUT = 15
STEP_TIMEOUT = 10
EXIT_TIMEOUT = 10


def middle(rectangle: tuple) -> tuple:
    left, top, width, height = rectangle
    return left + width // 2, top + height // 2


class KururieWindow:
    """Starts the program in `work` (its current folder and configuration home); stop() ends it."""

    def __init__(self, executable: str, work: str):
        config = os.path.join(work, "config")
        runtime = os.path.join(work, "runtime")
        os.makedirs(config)
        os.makedirs(runtime, mode=0o700)
        # Qt's file dialog remembers its history in the user's configuration; keep that here.
        environment = dict(os.environ, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime)
        self.log_path = os.path.join(work, "program.log")
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen([executable], cwd=work, env=environment,
                                            stdout=log, stderr=subprocess.STDOUT)
        self.window = 0
        self.menu_height = 0

    def wait_until_shown(self) -> None:
        self.window = x.wait_for("the main window", self._main_window, START_TIMEOUT)
        geometry = x.window_geometry(self.window)
        if geometry["WIDTH"] != INTERIOR_WIDTH or geometry["HEIGHT"] <= INTERIOR_HEIGHT:
            raise AssertionError(f"main window is {geometry['WIDTH']}x{geometry['HEIGHT']}, expected a "
                                 f"{INTERIOR_WIDTH}x{INTERIOR_HEIGHT} interior under a menu bar")
        self.menu_height = geometry["HEIGHT"] - INTERIOR_HEIGHT

    def _main_window(self) -> int:
        windows = x.visible_windows(self.process.pid, "^くるりえ$")
        return windows[0] if windows else 0

    def stop(self) -> None:
        self.process.terminate()
        try:
            self.process.wait(EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(EXIT_TIMEOUT)

    def point(self, left: int, top: int) -> tuple:
        """A point of the interior in window coordinates."""
        return left, self.menu_height + top

    def click(self, left: int, top: int, times: int = 1) -> None:
        x.click(self.window, *self.point(left, top), times=times)

    def click_right_arrow(self, bar: tuple, times: int = 1) -> None:
        left, top, width, height = bar
        self.click(left + width - ARROW_INSET, top + height // 2, times)

    def click_trough_left(self, bar: tuple, times: int = 1) -> None:
        left, top, _, height = bar
        self.click(left + TROUGH_INSET, top + height // 2, times)

    def click_middle(self, rectangle: tuple) -> None:
        self.click(*middle(rectangle))

    def screenshot(self) -> Raster:
        return x.screenshot(self.window)

    def crop(self, shot: Raster, rectangle: tuple) -> Raster:
        left, top, width, height = rectangle
        return shot.crop(*self.point(left, top), width, height)

    def new_window(self, known: list) -> int:
        """A shown window of the program other than the known ones (a menu, a dialog), or 0."""
        windows = [w for w in x.visible_windows(self.process.pid) if w not in known]
        return windows[0] if windows else 0

    def choose_menu_item(self, menu_key: str, item_key: str) -> int:
        """Opens a menu and picks an item by their access keys, as from the keyboard; returns the menu's window."""
        x.focus(self.window)
        x.key(menu_key)
        menu = x.wait_for(f"the menu opened by {menu_key}", lambda: self.new_window([self.window]), STEP_TIMEOUT)
        x.key(item_key)
        return menu
