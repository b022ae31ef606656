#include "window/colour_commands.h"

#include "controls/canvas.h"
#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
#include "controls/common_dialog.h"
#include "controls/messages.h"
#include "controls/state_check_box.h"
#include "window/accessible_names.h"
#include "window/main_window.h"
#include "window/picture_history.h"

#include <QPushButton>
#include <QSlider>

namespace kururie {

ColourCommands::ColourCommands(MainWindow& window) : QObject(&window), m_window(window)
{
}

void ColourCommands::cmdBkColorClick()
{
    MainControls& c = m_window.controls();
    // A saved picture is not a changed one, but it is erased all the same.
    const bool erasing = m_window.pictureChanged() || !c.canvas->picture().isNull();
    if (erasing && !askYesNo(m_window.seam(), &m_window, QStringLiteral("絵が消えますが、よいですか?"),
                             QStringLiteral("確認")))
        return;
    const auto colour = c.commonDialog->showColor(c.canvases->background());
    if (!colour)
        return;
    c.canvases->chooseBackground(*colour);
    c.canvases->paintBackground();
    if (erasing) {
        c.canvases->setPicture(QImage());
        describeCanvas(*c.canvas, CanvasContent::Empty);
    }
    m_window.history().record(QStringLiteral("背景色"));
}

void ColourCommands::cmdPenColorClick()
{
    MainControls& c = m_window.controls();
    const auto colour = c.commonDialog->showColor(c.penColourSwatch->backColor());
    if (colour)
        c.penColourSwatch->setBackColor(*colour);
}

void ColourCommands::ckPenColorClick()
{
    MainControls& c = m_window.controls();
    if (c.ckPenColor->value() == 1) {
        c.cmdPenColor->setEnabled(false);
        c.penColourSwatch->hide();
        c.sldPenColor->setEnabled(true);
        return;
    }
    c.ckPenColor->setValue(0);
    c.cmdPenColor->setEnabled(true);
    c.penColourSwatch->show();
    c.sldPenColor->setValue(0);
    c.sldPenColor->setEnabled(false);
}

void ColourCommands::opPenWidthClick(int index)
{
    m_window.controls().canvases->setPenWidth(index);
}

} // namespace kururie
