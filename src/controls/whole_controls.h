#pragma once

#include <initializer_list>

class QObject;
class QWidget;

namespace kururie {

// The layout gives every control a fixed place, drawn for a classic desktop's indicators and
// scroll bars. A control that the application's style would not draw whole in its place (an
// indicator or a handle larger than the place, a caption left without room, a scroll bar without
// the step arrows its clicks rely on) is drawn by Qt's own Fusion style instead, in the same
// palette. The owner keeps that style.
void keepWholeInPlace(std::initializer_list<QWidget*> controls, QObject* owner);

} // namespace kururie
