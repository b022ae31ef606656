#!/usr/bin/env python3
"""Draws the program icon and the pen marker.

Writes the program icon at the hicolor theme sizes from 16 to 256 (every one of them is also
built into the program, as the window icon), its scalable SVG, and resources/pen.png (32 x 32,
built into the program). Only the standard library
is used, so the art can be redrawn anywhere: shapes are rasterised on a supersampled grid
and averaged down for anti-aliasing, and the PNG files are written with zlib and struct.

Usage: scripts/draw_icons.py [source-dir]   (defaults to the directory above this script)
"""

import colorsys
import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)

# Rosette traced by a circle of radius 3 rolling inside one of radius 5, the pen inside the
# rolling circle: five rounded petals that close after three turns, few enough to stay
# distinct at 32 pixels.
FIXED_TEETH = 5
ROLLING_TEETH = 3
PEN_RATIO = 0.6

RING_COLOUR = (52, 72, 128)
DISC_COLOUR = (255, 252, 240)

CROSSHAIR_CENTRE = (12, 23)
CROSSHAIR_ARM = 5
CROSSHAIR_COLOUR = (0, 0, 0)
CROSSHAIR_HALO = (255, 255, 255)
PEN_BODY = (40, 96, 200)
PEN_BODY_DARK = (24, 60, 140)
PEN_GRIP = (200, 200, 210)
PEN_NIB = (150, 150, 160)
PEN_NIB_SHADE = (80, 80, 90)
PEN_OUTLINE = (20, 30, 70)


class Raster:
    """An RGBA picture composed of anti-aliased layers, painted back to front."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]  # premultiplied

    def _composite(self, coverage):
        """coverage maps a pixel index to (samples covered, summed r, g, b) of one layer."""
        full = SUPERSAMPLE * SUPERSAMPLE
        for index, (count, red, green, blue) in coverage.items():
            alpha = count / full
            pixel = self.pixels[index]
            keep = 1.0 - alpha
            pixel[0] = red / full / 255.0 + pixel[0] * keep
            pixel[1] = green / full / 255.0 + pixel[1] * keep
            pixel[2] = blue / full / 255.0 + pixel[2] * keep
            pixel[3] = alpha + pixel[3] * keep

    def _sample_range(self, low, high):
        """Supersample indices whose centres may lie in [low, high] (in pixels)."""
        grid = self.size * SUPERSAMPLE
        first = max(0, int(math.floor(low * SUPERSAMPLE)))
        last = min(grid - 1, int(math.ceil(high * SUPERSAMPLE)))
        return range(first, last + 1)

    def _add_sample(self, coverage, sx, sy, colour):
        index = (sy // SUPERSAMPLE) * self.size + sx // SUPERSAMPLE
        entry = coverage.get(index)
        if entry is None:
            coverage[index] = [1, colour[0], colour[1], colour[2]]
        else:
            entry[0] += 1
            entry[1] += colour[0]
            entry[2] += colour[1]
            entry[3] += colour[2]

    def fill_shape(self, bounds, inside, colour):
        """Fills every sample for which inside(x, y) holds; bounds is (left, top, right, bottom)."""
        coverage = {}
        left, top, right, bottom = bounds
        for sy in self._sample_range(top, bottom):
            y = (sy + 0.5) / SUPERSAMPLE
            for sx in self._sample_range(left, right):
                x = (sx + 0.5) / SUPERSAMPLE
                if inside(x, y):
                    self._add_sample(coverage, sx, sy, colour)
        self._composite(coverage)

    def fill_disc(self, cx, cy, radius, colour):
        self.fill_shape((cx - radius, cy - radius, cx + radius, cy + radius),
                        lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius, colour)

    def stroke_circle(self, cx, cy, radius, width, colour):
        outer, inner = radius + width / 2, max(0.0, radius - width / 2)
        self.fill_shape((cx - outer, cy - outer, cx + outer, cy + outer),
                        lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer,
                        colour)

    def fill_polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.fill_shape((min(xs), min(ys), max(xs), max(ys)),
                        lambda x, y: point_in_polygon(x, y, points), colour)

    def stroke_polyline(self, points, width, colours):
        """Strokes with round joins; colours[i] is the colour of the segment from point i.

        Each sample takes the colour of the segment nearest to it, so colour bands along the
        line meet cleanly where the line crosses itself.
        """
        half = width / 2
        nearest = {}
        for i in range(len(points) - 1):
            (ax, ay), (bx, by) = points[i], points[i + 1]
            dx, dy = bx - ax, by - ay
            length_sq = dx * dx + dy * dy or 1e-12
            for sy in self._sample_range(min(ay, by) - half, max(ay, by) + half):
                y = (sy + 0.5) / SUPERSAMPLE
                for sx in self._sample_range(min(ax, bx) - half, max(ax, bx) + half):
                    x = (sx + 0.5) / SUPERSAMPLE
                    t = min(1.0, max(0.0, ((x - ax) * dx + (y - ay) * dy) / length_sq))
                    distance = math.hypot(x - ax - t * dx, y - ay - t * dy)
                    if distance <= half:
                        key = (sx, sy)
                        best = nearest.get(key)
                        if best is None or distance < best[0]:
                            nearest[key] = (distance, colours[i])
        coverage = {}
        for (sx, sy), (_, colour) in nearest.items():
            self._add_sample(coverage, sx, sy, colour)
        self._composite(coverage)

    def set_pixel(self, x, y, colour):
        """Paints one whole pixel, for marks that must sit exactly on the pixel grid."""
        self.pixels[y * self.size + x] = [c / 255.0 for c in colour] + [1.0]

    def rgba_rows(self):
        rows = []
        for y in range(self.size):
            row = bytearray()
            for x in range(self.size):
                red, green, blue, alpha = self.pixels[y * self.size + x]
                if alpha <= 0.0:
                    row += b"\0\0\0\0"
                    continue
                row += bytes(min(255, round(c / alpha * 255)) for c in (red, green, blue))
                row.append(min(255, round(alpha * 255)))
            rows.append(bytes(row))
        return rows


def point_in_polygon(x, y, points):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        (xi, yi), (xj, yj) = points[i], points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def write_png(path, size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\0" + row for row in rows)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def rosette_points(steps_per_turn=240):
    """The rosette in unit coordinates (fixed circle of radius 1 centred on the origin)."""
    rolling = ROLLING_TEETH / FIXED_TEETH
    pen = PEN_RATIO * rolling
    turns = ROLLING_TEETH // math.gcd(FIXED_TEETH, ROLLING_TEETH)
    steps = steps_per_turn * turns
    points = []
    for i in range(steps + 1):
        angle = 2 * math.pi * turns * i / steps
        rolled = angle * (1 - rolling) / rolling
        # Start at a petal tip pointing straight up.
        x = (1 - rolling) * math.sin(angle) - pen * math.sin(rolled)
        y = -(1 - rolling) * math.cos(angle) - pen * math.cos(rolled)
        points.append((x, y))
    return points


def rosette_extent():
    """The rosette's largest distance from the centre, in the same unit coordinates."""
    rolling = ROLLING_TEETH / FIXED_TEETH
    return (1 - rolling) + PEN_RATIO * rolling


def rainbow(fraction):
    red, green, blue = colorsys.hsv_to_rgb(fraction % 1.0, 0.85, 0.88)
    return (round(red * 255), round(green * 255), round(blue * 255))


def icon_geometry(size):
    """Positions shared by the PNG and SVG icons, in pixels of a size x size picture."""
    centre = size / 2
    # Two pixels wide at 32, with its outer edge a pixel inside the picture, keeps the ring crisp.
    ring_width = size / 16
    ring_radius = size / 2 - size / 32 - ring_width / 2
    rosette_radius = ring_radius - ring_width / 2 - size * 0.05
    curve_width = max(1.3, size * 0.05)
    scale = rosette_radius / rosette_extent()
    points = [(centre + x * scale, centre + y * scale) for x, y in rosette_points()]
    colours = [rainbow(i / (len(points) - 1)) for i in range(len(points) - 1)]
    return centre, ring_radius, ring_width, points, curve_width, colours


def draw_icon(size):
    centre, ring_radius, ring_width, points, curve_width, colours = icon_geometry(size)
    raster = Raster(size)
    raster.fill_disc(centre, centre, ring_radius, DISC_COLOUR)
    raster.stroke_polyline(points, curve_width, colours)
    raster.stroke_circle(centre, centre, ring_radius, ring_width, RING_COLOUR)
    return raster


def icon_svg(size=256, bands=42):
    centre, ring_radius, ring_width, points, curve_width, colours = icon_geometry(size)
    per_band = (len(points) - 1) // bands
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
        f'viewBox="0 0 {size} {size}">',
        f'  <circle cx="{centre:g}" cy="{centre:g}" r="{ring_radius:.2f}" fill="{hex_colour(DISC_COLOUR)}"/>',
        f'  <g fill="none" stroke-width="{curve_width:.2f}" stroke-linecap="round" stroke-linejoin="round">',
    ]
    for band in range(bands):
        first = band * per_band
        last = len(points) - 1 if band == bands - 1 else first + per_band
        path = " ".join(f"{x:.2f},{y:.2f}" for x, y in points[first:last + 1])
        lines.append(f'    <polyline stroke="{hex_colour(colours[first])}" points="{path}"/>')
    lines += [
        '  </g>',
        f'  <circle cx="{centre:g}" cy="{centre:g}" r="{ring_radius:.2f}" fill="none" '
        f'stroke="{hex_colour(RING_COLOUR)}" stroke-width="{ring_width:.2f}"/>',
        '</svg>',
        '',
    ]
    return "\n".join(lines)


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


def draw_pen():
    """A pen lying from the upper right down to its nib at the cross-hair centre."""
    raster = Raster(32)
    tip_x, tip_y = CROSSHAIR_CENTRE[0] + 0.5, CROSSHAIR_CENTRE[1] + 0.5
    along = (1 / math.sqrt(2), -1 / math.sqrt(2))  # from the nib towards the cap
    across = (1 / math.sqrt(2), 1 / math.sqrt(2))

    def at(distance, offset):
        return (tip_x + along[0] * distance + across[0] * offset,
                tip_y + along[1] * distance + across[1] * offset)

    # The halo goes under the pen so that the nib stays whole where it meets the cross-hair.
    draw_crosshair_halo(raster)
    raster.fill_polygon([at(0.3, 0), at(6.3, -3.4), at(23.4, -3.4), at(23.4, 3.4), at(6.3, 3.4)], PEN_OUTLINE)
    raster.fill_polygon([at(1, 0), at(6, -2.6), at(6, 2.6)], PEN_NIB)
    raster.fill_polygon([at(1, 0), at(6, 0.6), at(6, 2.6)], PEN_NIB_SHADE)
    raster.fill_polygon([at(5.5, -2.6), at(9, -2.6), at(9, 2.6), at(5.5, 2.6)], PEN_GRIP)
    raster.fill_polygon([at(9, -2.6), at(20.3, -2.6), at(20.3, 2.6), at(9, 2.6)], PEN_BODY)
    raster.fill_polygon([at(9, 1.0), at(20.3, 1.0), at(20.3, 2.6), at(9, 2.6)], PEN_BODY_DARK)
    raster.fill_polygon([at(20.3, -2.6), at(22.7, -2.2), at(22.7, 2.2), at(20.3, 2.6)], PEN_BODY_DARK)
    draw_crosshair_lines(raster)
    return raster


def crosshair_pixels(arm=CROSSHAIR_ARM):
    cx, cy = CROSSHAIR_CENTRE
    return ([(cx + offset, cy) for offset in range(-arm, arm + 1)]
            + [(cx, cy + offset) for offset in range(-arm, arm + 1)])


def draw_crosshair_halo(raster):
    """A one-pixel white border around the cross-hair lines, so they show on dark paper too."""
    lines = set(crosshair_pixels())
    for x, y in lines:
        for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
            if (nx, ny) not in lines:
                raster.set_pixel(nx, ny, CROSSHAIR_HALO)


def draw_crosshair_lines(raster):
    """One-pixel lines crossing exactly on the centre pixel, the pen's drawing point."""
    for x, y in crosshair_pixels():
        raster.set_pixel(x, y, CROSSHAIR_COLOUR)


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    icons = {size: draw_icon(size) for size in ICON_SIZES}
    for size, raster in icons.items():
        path = os.path.join(source, "data", "icons", "hicolor", f"{size}x{size}", "apps", "kururie.png")
        write_png(path, size, raster.rgba_rows())
    svg_path = os.path.join(source, "data", "icons", "hicolor", "scalable", "apps", "kururie.svg")
    os.makedirs(os.path.dirname(svg_path), exist_ok=True)
    with open(svg_path, "w", encoding="utf-8") as out:
        out.write(icon_svg())
    write_png(os.path.join(source, "resources", "pen.png"), 32, draw_pen().rgba_rows())


if __name__ == "__main__":
    main()
