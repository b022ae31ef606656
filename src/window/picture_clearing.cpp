#include "window/picture_clearing.h"

#include "controls/canvas.h"
#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
#include "controls/packed_colour.h"
#include "window/accessible_names.h"
#include "window/main_window.h"
#include "window/picture_history.h"

#include <QPushButton>

namespace kururie {

PictureClearing::PictureClearing(MainWindow& window) : QObject(&window), m_window(window)
{
}

void PictureClearing::cmdClearClick()
{
    clearPicture();
    m_window.history().record(QStringLiteral("絵を消す"));
}

void PictureClearing::clearPicture()
{
    MainControls& c = m_window.controls();
    c.canvases->setPicture(QImage());
    describeCanvas(*c.canvas, CanvasContent::Empty);
    c.canvases->chooseBackground(kWhite);
    c.canvases->paintBackground();
    emit cleared();
    m_window.setPictureChanged(false);
    c.cmdBkColor->setEnabled(true);
}

} // namespace kururie
