#pragma once

#include <QString>

namespace kururie {

class Canvas;
struct MainControls;

// Names in Japanese, for screen readers, the controls whose caption is a separate label or that
// have none: the scroll bars, sliders, option buttons, the colour swatch, the canvas and frames;
// says what the sliders' ends mean, and keeps the colour buttons describing their colours.
void nameForScreenReaders(MainControls& controls);

enum class CanvasContent { Empty, Drawing, Paused, Drawn, Opened, Pasted };

// Says what the canvas holds, for screen readers; an opened picture is named by its file.
void describeCanvas(Canvas& canvas, CanvasContent content, const QString& path = QString());

} // namespace kururie
