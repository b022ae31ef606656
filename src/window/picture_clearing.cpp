#include "picture_clearing.h"

#include "canvas.h"
#include "colour_swatch.h"
#include "main_window.h"
#include "packed_colour.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

namespace kururie {

PictureClearing::PictureClearing(MainWindow& window) : QObject(&window), m_window(window)
{
}

void PictureClearing::cmdClearClick()
{
    clearPicture();
}

void PictureClearing::clearPicture()
{
    MainControls& c = m_window.controls();
    c.picDraw->setPicture(QImage());
    c.picDrawBk->setPicture(QImage());
    c.txtBkColor->setBackColor(kWhite);
    c.picDraw->setBackColor(c.txtBkColor->backColor());
    c.picDrawBk->setBackColor(c.txtBkColor->backColor());
    m_window.setWindowTitle(QStringLiteral("くるりえ"));
    m_window.setPictureChanged(false);
    c.cmdBkColor->setEnabled(true);
}

void PictureClearing::picDrawClick()
{
    // The persistent picture, not the current image: segments since the last exit of a run are left out.
    QGuiApplication::clipboard()->setImage(m_window.controls().picDraw->picture());
}

} // namespace kururie
