"""Screenshots and files a scenario collects, written out only when it fails."""

import os
import shutil

from raster import Raster


class Evidence:
    def __init__(self, folder: str):
        self.folder = folder
        self.pictures = {}
        self.files = []

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
        for name, picture in self.pictures.items():
            picture.save_png(os.path.join(self.folder, name + ".png"))
        for path in self.files:
            if os.path.exists(path):
                shutil.copy(path, self.folder)
