#include "window/settings_panel.h"

#include "controls/canvas.h"
#include "controls/given_focus.h"
#include "controls/preview_element.h"
#include "controls/state_check_box.h"
#include "engine/display_scale.h"
#include "engine/number_rules.h"
#include "window/main_window.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

#include <cmath>

namespace kururie {

namespace {

const QString kFixTitle = QStringLiteral("固定円の大きさ");
const QString kMoveTitle = QStringLiteral("回転円の大きさ");
const QString kPenTitle = QStringLiteral("ペンの位置");
const QString kThreeSpaces = QStringLiteral("   ");
const QString kEightSpaces = QStringLiteral("        ");
const QString kHidePen = QStringLiteral("ﾍﾟﾝを消す");
const QString kShowPen = QStringLiteral("ﾍﾟﾝを表示");

// The centre of the cross-hair in the pen marker's picture, from the picture's top-left corner: the
// marker is placed so that this point lies on the pen.
constexpr int kCrossHairRight = 12;
constexpr int kCrossHairDown = 23;

QString numberText(float value)
{
    return QString::fromStdString(formatSingle(value));
}

} // namespace

SettingsPanel::SettingsPanel(MainWindow& window) : QObject(&window), m_controls(window.controls())
{
    MainControls& c = m_controls;
    auto* focus = new GivenFocusWatch(window, {c.hsbFixCircle, c.hsbMoveCircle, c.hsbPenPosition});
    connect(focus, &GivenFocusWatch::focusGiven, this, [this](QWidget* bar) {
        if (bar == m_controls.hsbFixCircle)
            refreshFixedCircle(true);
        else if (bar == m_controls.hsbMoveCircle)
            refreshRollingCircle(true);
        else
            refreshPenPosition(true);
    });
}

void SettingsPanel::writeStartUpLabels()
{
    MainControls& c = m_controls;
    const float fixCircle = displayValue(c.hsbFixCircle->value());
    const float moveCircle = displayValue(c.hsbMoveCircle->value());
    const float penPosition = displayValue(c.hsbPenPosition->value());
    c.lblFixCircle->setText(kFixTitle + kThreeSpaces + numberText(fixCircle));
    // Before the first move the rolling circle's label has no side word, only three spaces.
    c.lblMoveCircle->setText(kMoveTitle + kThreeSpaces + numberText(moveCircle));
    c.lblPenPosition->setText(kPenTitle + kEightSpaces + numberText(penPosition));
}

void SettingsPanel::showAllElements()
{
    m_controls.fixedCirclePreview->setVisible(true);
    m_controls.rollingCirclePreview->setVisible(true);
    m_controls.penMarker->setVisible(true);
}

// The toggle's caption names what a press will do, and is never read back.
void SettingsPanel::setPreviewShown(bool shown)
{
    m_previewShown = shown;
    m_controls.previewButton->setText(shown ? kHidePen : kShowPen);
}

void SettingsPanel::refreshFixedCircle(bool showAll)
{
    MainControls& c = m_controls;
    const float fixCircle = displayValue(c.hsbFixCircle->value());
    c.fixedCirclePreview->setVisible(true);
    if (showAll)
        showAllElements();
    c.fixedCirclePreview->setWidth(0);
    c.fixedCirclePreview->setHeight(0);
    c.fixedCirclePreview->setWidth(canvasUnits(fixCircle));
    c.fixedCirclePreview->setHeight(canvasUnits(fixCircle));
    c.fixedCirclePreview->setTop(static_cast<float>((c.canvas->scaleHeight() - c.fixedCirclePreview->height()) / 2));
    c.fixedCirclePreview->setLeft(static_cast<float>((c.canvas->scaleWidth() - c.fixedCirclePreview->width()) / 2));
    c.lblFixCircle->setText(kFixTitle + kThreeSpaces + numberText(fixCircle));
    refreshRollingCircle(true);
    refreshPenPosition(true);
    setPreviewShown(true);
}

void SettingsPanel::refreshRollingCircle(bool showAll)
{
    MainControls& c = m_controls;
    const float moveCircle = displayValue(c.hsbMoveCircle->value());
    c.rollingCirclePreview->setVisible(true);
    if (showAll)
        showAllElements();
    c.rollingCirclePreview->setWidth(0);
    c.rollingCirclePreview->setHeight(0);
    const float size = canvasUnits(std::fabs(moveCircle));
    c.rollingCirclePreview->setWidth(size);
    c.rollingCirclePreview->setHeight(size);
    c.rollingCirclePreview->setTop(
        static_cast<float>((c.canvas->scaleHeight() - c.rollingCirclePreview->height()) / 2));

    const double W = c.fixedCirclePreview->width();
    const double w = c.rollingCirclePreview->width();
    const double rightmost = (W + c.canvas->scaleWidth()) / 2;
    QString separator;
    float shown = moveCircle;
    if (moveCircle == 0.0f) {
        c.rollingCirclePreview->setLeft(static_cast<float>(rightmost - w));
        separator = QStringLiteral("　　　  ");
    } else if (moveCircle < 0.0f) {
        c.rollingCirclePreview->setLeft(static_cast<float>(rightmost - w));
        separator = QStringLiteral("　内側  ");
        shown = -moveCircle;
    } else {
        c.rollingCirclePreview->setLeft(static_cast<float>(rightmost));
        separator = QStringLiteral("　外側  ");
    }
    c.lblMoveCircle->setText(kMoveTitle + separator + numberText(shown));
    refreshPenPosition(true);
    setPreviewShown(true);
}

void SettingsPanel::refreshPenPosition(bool showAll)
{
    MainControls& c = m_controls;
    const float penPosition = displayValue(c.hsbPenPosition->value());
    const float moveCircle = displayValue(c.hsbMoveCircle->value());
    const double s = moveCircle > 0.0f ? 1 : -1;
    const auto top = static_cast<float>(c.canvas->scaleHeight() / 2 - kCrossHairDown);
    const double w = c.rollingCirclePreview->width();
    const double W = c.fixedCirclePreview->width();
    const auto left = static_cast<float>((s * w + (W + c.canvas->scaleWidth())) / 2 +
                                         canvasUnits(static_cast<double>(penPosition)) - kCrossHairRight);
    if (!showAll) {
        c.penMarker->setVisible(true);
        c.penMarker->move(left, top);
    } else {
        c.penMarker->setTop(top);
        c.penMarker->setLeft(left);
        showAllElements();
    }
    c.lblPenPosition->setText(kPenTitle + kEightSpaces + numberText(penPosition));
    setPreviewShown(true);
}

void SettingsPanel::hidePreview(bool asHidden)
{
    m_controls.fixedCirclePreview->setVisible(false);
    m_controls.rollingCirclePreview->setVisible(false);
    m_controls.penMarker->setVisible(false);
    if (asHidden)
        setPreviewShown(false);
}

void SettingsPanel::togglePreview()
{
    const bool show = !m_previewShown;
    m_controls.rollingCirclePreview->setVisible(show);
    m_controls.fixedCirclePreview->setVisible(show);
    m_controls.penMarker->setVisible(show);
    setPreviewShown(show);
}

void SettingsPanel::ckPenPositionClick()
{
    if (m_controls.ckPenPosition->value() == 0) {
        m_controls.sldPenMove->setValue(0);
        m_controls.sldPenMove->setEnabled(false);
    } else {
        m_controls.sldPenMove->setEnabled(true);
    }
}

} // namespace kururie
