"""Screenshots and files a scenario collects, written out only when it fails."""

import os
import shutil

from raster import Raster


class Evidence:
    def __init__(self, folder: str):
        self.folder = folder
        self.pictures = {}
        self.kept_always = {}
        self.files = []

    def keep_always(self, name: str, picture: Raster) -> Raster:
        """A picture worth a look whatever the outcome, such as a real dialog; kept after a pass too."""
        self.kept_always[name] = picture
        return picture

    def finish(self) -> None:
        """After a pass: only the pictures kept always remain."""
        self.discard()
        if self.kept_always:
            os.makedirs(self.folder)
            for name, picture in self.kept_always.items():
                picture.save_png(os.path.join(self.folder, name + ".png"))

    def keep(self, name: str, picture: Raster) -> Raster:
        self.pictures[name] = picture
        return picture

    def keep_file(self, path: str) -> None:
        self.files.append(path)

    def discard(self) -> None:
        shutil.rmtree(self.folder, ignore_errors=True)

    def write(self, failure: str) -> None:
        self.discard()
        os.makedirs(self.folder)
        with open(os.path.join(self.folder, "failure.txt"), "w", encoding="utf-8") as note:
            note.write(failure + "\n")
        for name, picture in {**self.kept_always, **self.pictures}.items():
            picture.save_png(os.path.join(self.folder, name + ".png"))
        for path in self.files:
            if os.path.exists(path):
                shutil.copy(path, self.folder)
