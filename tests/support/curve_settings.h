#pragma once

#include "window/main_window.h"

#include <QScrollBar>

// Moves the three geometry scroll bars as a user would before pressing 開始.
inline void setCurve(kururie::MainWindow& window, int fixCircle, int moveCircle, int penPosition)
{
    window.controls().hsbFixCircle->setValue(fixCircle);
    window.controls().hsbMoveCircle->setValue(moveCircle);
    window.controls().hsbPenPosition->setValue(penPosition);
}
