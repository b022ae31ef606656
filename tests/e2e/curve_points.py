"""Where the program's tracer puts the rolling-circle curve, computed independently of it.

The points are in canvas interior pixels, the order and angles those of the tracer: the start
point at 0 degrees, then the end of every half-degree segment until the curve closes.
"""

import math
import struct

CANVAS_SIZE = 400
ANGLE_STEP = 0.5
LAST_ANGLE = 36000.0
CLOSING_DISTANCE = 0.1
# The closure test only counts a return to the start after the first full turn.
FIRST_TURN = 360.0


def single(value: float) -> float:
    """Rounds a double to the nearest 32-bit float, as the program stores its radii."""
    return struct.unpack("<f", struct.pack("<f", value))[0]


class RollingCurve:
    """The curve drawn for the three scroll-bar values, pen swing and gradation off."""

    def __init__(self, fix_circle: int, move_circle: int, pen_position: int):
        if fix_circle == 0 or move_circle == 0:
            raise ValueError("both circle sizes must be non-zero for a curve to be drawn")
        self.outer = move_circle > 0
        fixed_radius = single(fix_circle * 0.1 * 15 / 2)
        rolling_radius = single(abs(move_circle) * 0.1 * 15 / 2)
        # Python's round() ties to even, as the program's rounding does.
        self.pen = round(pen_position * 0.1 * 15)
        if self.outer:
            self.centre_distance = rolling_radius + fixed_radius
        else:
            self.centre_distance = fixed_radius - rolling_radius
        self.ratio = self.centre_distance / rolling_radius
        self.centre = CANVAS_SIZE / 2

    def point(self, degrees: float) -> tuple:
        main = degrees * math.pi / 180
        rolling = (self.ratio * degrees) * math.pi / 180
        x = self.centre_distance * math.cos(main) + self.pen * math.cos(rolling) + self.centre
        swing = self.pen * math.sin(rolling)
        y = self.centre_distance * math.sin(main) + (swing if self.outer else -swing) + self.centre
        return x, y

    def traced_points(self) -> list:
        """The start point and every segment end, up to the segment that closes the curve."""
        start_x = single(self.centre_distance + self.pen + self.centre)
        start_y = single(self.centre)
        points = [self.point(0.0)]
        angle = 0.0
        while angle <= LAST_ANGLE:
            x, y = self.point(angle + ANGLE_STEP)
            points.append((x, y))
            if angle > FIRST_TURN and abs(start_x - x) <= CLOSING_DISTANCE and abs(start_y - y) <= CLOSING_DISTANCE:
                break
            angle = single(angle + ANGLE_STEP)
        return points


def pixels_near(points: list, reach: int) -> set:
    """Every pixel within `reach` pixels (square neighbourhood) of the polyline through the points."""
    near = set()
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        # Quarter-pixel samples along each segment, so long segments leave no gaps.
        samples = max(1, math.ceil(4 * math.hypot(x2 - x1, y2 - y1)))
        for i in range(samples + 1):
            px = round(x1 + (x2 - x1) * i / samples)
            py = round(y1 + (y2 - y1) * i / samples)
            for dy in range(-reach, reach + 1):
                for dx in range(-reach, reach + 1):
                    near.add((px + dx, py + dy))
    return near
