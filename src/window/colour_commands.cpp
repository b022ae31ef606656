#include "window/colour_commands.h"

#include "controls/canvas.h"
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
    const bool erasing = m_window.pictureChanged() || !c.picDraw->picture().isNull();
    if (erasing && !askYesNo(m_window.seam(), &m_window, QStringLiteral("絵が消えますが、よいですか?"),
                             QStringLiteral("確認")))
        return;
    const auto colour = c.cdlFile->showColor(c.txtBkColor->backColor());
    if (!colour)
        return;
    c.txtBkColor->setBackColor(*colour);
    c.picDraw->setBackColor(c.txtBkColor->backColor());
    c.picDrawBk->setBackColor(c.txtBkColor->backColor());
    if (erasing) {
        c.picDraw->setPicture(QImage());
        c.picDrawBk->setPicture(QImage());
        describeCanvas(*c.picDraw, CanvasContent::Empty);
    }
    m_window.history().record(QStringLiteral("背景色"));
}

void ColourCommands::cmdPenColorClick()
{
    MainControls& c = m_window.controls();
    const auto colour = c.cdlFile->showColor(c.txtPenColor->backColor());
    if (colour)
        c.txtPenColor->setBackColor(*colour);
}

void ColourCommands::ckPenColorClick()
{
    MainControls& c = m_window.controls();
    if (c.ckPenColor->value() == 1) {
        c.cmdPenColor->setEnabled(false);
        c.txtPenColor->hide();
        c.sldPenColor->setEnabled(true);
        return;
    }
    c.ckPenColor->setValue(0);
    c.cmdPenColor->setEnabled(true);
    c.txtPenColor->show();
    c.sldPenColor->setValue(0);
    c.sldPenColor->setEnabled(false);
}

void ColourCommands::opPenWidthClick(int index)
{
    MainControls& c = m_window.controls();
    c.picDraw->setPenWidth(index);
    c.picDrawBk->setPenWidth(index);
}

} // namespace kururie
