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
    m_controls.ShpOutCircle->setVisible(true);
    m_controls.ShpInCircle->setVisible(true);
    m_controls.imgPen->setVisible(true);
}

void SettingsPanel::markPreviewShown()
{
    m_controls.CmdCirClear->setText(kHidePen);
}

void SettingsPanel::refreshFixedCircle(bool showAll)
{
    MainControls& c = m_controls;
    const float fixCircle = displayValue(c.hsbFixCircle->value());
    c.ShpOutCircle->setVisible(true);
    if (showAll)
        showAllElements();
    c.ShpOutCircle->setWidth(0);
    c.ShpOutCircle->setHeight(0);
    c.ShpOutCircle->setWidth(canvasUnits(fixCircle));
    c.ShpOutCircle->setHeight(canvasUnits(fixCircle));
    c.ShpOutCircle->setTop(static_cast<float>((c.picDraw->scaleHeight() - c.ShpOutCircle->height()) / 2));
    c.ShpOutCircle->setLeft(static_cast<float>((c.picDraw->scaleWidth() - c.ShpOutCircle->width()) / 2));
    c.lblFixCircle->setText(kFixTitle + kThreeSpaces + numberText(fixCircle));
    refreshRollingCircle(true);
    refreshPenPosition(true);
    markPreviewShown();
}

void SettingsPanel::refreshRollingCircle(bool showAll)
{
    MainControls& c = m_controls;
    const float moveCircle = displayValue(c.hsbMoveCircle->value());
    c.ShpInCircle->setVisible(true);
    if (showAll)
        showAllElements();
    c.ShpInCircle->setWidth(0);
    c.ShpInCircle->setHeight(0);
    const float size = canvasUnits(std::fabs(moveCircle));
    c.ShpInCircle->setWidth(size);
    c.ShpInCircle->setHeight(size);
    c.ShpInCircle->setTop(static_cast<float>((c.picDraw->scaleHeight() - c.ShpInCircle->height()) / 2));

    const double W = c.ShpOutCircle->width();
    const double w = c.ShpInCircle->width();
    const double rightmost = (W + c.picDraw->scaleWidth()) / 2;
    QString separator;
    float shown = moveCircle;
    if (moveCircle == 0.0f) {
        c.ShpInCircle->setLeft(static_cast<float>(rightmost - w));
        separator = QStringLiteral("　　　  ");
    } else if (moveCircle < 0.0f) {
        c.ShpInCircle->setLeft(static_cast<float>(rightmost - w));
        separator = QStringLiteral("　内側  ");
        shown = -moveCircle;
    } else {
        c.ShpInCircle->setLeft(static_cast<float>(rightmost));
        separator = QStringLiteral("　外側  ");
    }
    c.lblMoveCircle->setText(kMoveTitle + separator + numberText(shown));
    refreshPenPosition(true);
    markPreviewShown();
}

void SettingsPanel::refreshPenPosition(bool showAll)
{
    MainControls& c = m_controls;
    const float penPosition = displayValue(c.hsbPenPosition->value());
    const float moveCircle = displayValue(c.hsbMoveCircle->value());
    const double s = moveCircle > 0.0f ? 1 : -1;
    const auto top = static_cast<float>(c.picDraw->scaleHeight() / 2 - kCrossHairDown);
    const double w = c.ShpInCircle->width();
    const double W = c.ShpOutCircle->width();
    const auto left = static_cast<float>((s * w + (W + c.picDraw->scaleWidth())) / 2 +
                                         canvasUnits(static_cast<double>(penPosition)) - kCrossHairRight);
    if (!showAll) {
        c.imgPen->setVisible(true);
        c.imgPen->move(left, top);
    } else {
        c.imgPen->setTop(top);
        c.imgPen->setLeft(left);
        showAllElements();
    }
    c.lblPenPosition->setText(kPenTitle + kEightSpaces + numberText(penPosition));
    markPreviewShown();
}

void SettingsPanel::hidePreview(bool setCaption)
{
    m_controls.ShpOutCircle->setVisible(false);
    m_controls.ShpInCircle->setVisible(false);
    m_controls.imgPen->setVisible(false);
    if (setCaption)
        m_controls.CmdCirClear->setText(kShowPen);
}

void SettingsPanel::cmdCirClearClick()
{
    const bool hide = m_controls.CmdCirClear->text() == kHidePen;
    m_controls.ShpInCircle->setVisible(!hide);
    m_controls.ShpOutCircle->setVisible(!hide);
    m_controls.imgPen->setVisible(!hide);
    m_controls.CmdCirClear->setText(hide ? kShowPen : kHidePen);
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
