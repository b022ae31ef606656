#include "outer_curve.h"

#include "controls/state_check_box.h"
#include "window/main_controls.h"

#include <QScrollBar>
#include <QSlider>

namespace bench {

kururie::RunSettings outerCurveSettings()
{
    kururie::RunSettings settings;
    settings.fixCircle = kFixCircle;
    settings.moveCircle = kMoveCircle;
    settings.penMove = 0;
    settings.penColorRate = kColourRate;
    settings.startAngle = "0";
    settings.normalSpeed = true;
    return settings;
}

void selectOuterCurve(kururie::MainControls& controls)
{
    controls.hsbFixCircle->setValue(kFixCircle);
    controls.hsbMoveCircle->setValue(kMoveCircle);
    controls.hsbPenPosition->setValue(kPenPosition);
    controls.ckPenPosition->setValue(0);
    controls.ckPenColor->setValue(1);
    controls.sldPenColor->setValue(kColourRate);
}

} // namespace bench
