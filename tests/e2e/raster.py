"""RGB images read and written through ImageMagick's PPM form, so only the standard library is needed here."""

import subprocess

CONVERT_TIMEOUT = 30
# Below this channel sum a pixel counts as ink on the white canvas.
DARK_SUM = 3 * 128


class Raster:
    def __init__(self, width: int, height: int, rgb: bytes):
        if len(rgb) != width * height * 3:
            raise ValueError(f"{width}x{height} image needs {width * height * 3} bytes, got {len(rgb)}")
        self.width = width
        self.height = height
        self.rgb = bytes(rgb)

    @classmethod
    def from_ppm(cls, data: bytes) -> "Raster":
        fields = []
        position = 0
        # Header: magic, width, height, maximum value, each after whitespace or comment lines.
        while len(fields) < 4:
            while data[position:position + 1].isspace():
                position += 1
            if data[position:position + 1] == b"#":
                position = data.index(b"\n", position) + 1
                continue
            end = position
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[position:end])
            position = end
        magic, width, height, maximum = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
        if magic != b"P6" or maximum != 255:
            raise ValueError(f"expected an 8-bit binary PPM, got {magic!r} with maximum {maximum}")
        body = position + 1
        return cls(width, height, data[body:body + width * height * 3])

    @classmethod
    def from_image_bytes(cls, data: bytes) -> "Raster":
        """Decodes any format ImageMagick knows (PNG, BMP, …)."""
        converted = subprocess.run(["convert", "-", "-depth", "8", "ppm:-"], input=data,
                                   capture_output=True, check=True, timeout=CONVERT_TIMEOUT)
        return cls.from_ppm(converted.stdout)

    @classmethod
    def from_file(cls, path: str) -> "Raster":
        with open(path, "rb") as image:
            return cls.from_image_bytes(image.read())

    def to_ppm(self) -> bytes:
        return b"P6\n%d %d\n255\n" % (self.width, self.height) + self.rgb

    def save_png(self, path: str) -> None:
        subprocess.run(["convert", "ppm:-", path], input=self.to_ppm(), check=True, timeout=CONVERT_TIMEOUT)

    def pixel(self, x: int, y: int) -> tuple:
        offset = (y * self.width + x) * 3
        return tuple(self.rgb[offset:offset + 3])

    def contains(self, x: int, y: int) -> bool:
        return 0 <= x < self.width and 0 <= y < self.height

    def is_dark(self, x: int, y: int) -> bool:
        return self.contains(x, y) and sum(self.pixel(x, y)) < DARK_SUM

    def dark_pixels(self) -> list:
        return [(x, y) for y in range(self.height) for x in range(self.width) if self.is_dark(x, y)]

    def crop(self, left: int, top: int, width: int, height: int) -> "Raster":
        if left < 0 or top < 0 or left + width > self.width or top + height > self.height:
            raise ValueError(f"crop {width}x{height}+{left}+{top} leaves the {self.width}x{self.height} image")
        rows = []
        for y in range(top, top + height):
            start = (y * self.width + left) * 3
            rows.append(self.rgb[start:start + width * 3])
        return Raster(width, height, b"".join(rows))

    def with_marks(self, marks: dict) -> "Raster":
        """A copy with the given pixels painted, for failure pictures: {colour: [(x, y), …]}."""
        painted = bytearray(self.rgb)
        for colour, points in marks.items():
            for x, y in points:
                if self.contains(x, y):
                    offset = (y * self.width + x) * 3
                    painted[offset:offset + 3] = bytes(colour)
        return Raster(self.width, self.height, bytes(painted))

    def differing_pixels(self, other: "Raster") -> int:
        if (self.width, self.height) != (other.width, other.height):
            raise ValueError(f"sizes differ: {self.width}x{self.height} and {other.width}x{other.height}")
        return sum(1 for i in range(0, len(self.rgb), 3) if self.rgb[i:i + 3] != other.rgb[i:i + 3])
