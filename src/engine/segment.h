#pragma once

namespace kururie {

// A straight piece of the curve, in canvas units, as the tracer hands it to a canvas.
struct Segment {
    float x1;
    float y1;
    float x2;
    float y2;
};

} // namespace kururie
