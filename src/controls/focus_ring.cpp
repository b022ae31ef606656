#include "controls/focus_ring.h"

#include <QApplication>
#include <QPainter>

namespace kururie {

namespace {

constexpr int kThickness = 2;

} // namespace

FocusRing::FocusRing(QWidget& area) : QWidget(&area), m_area(area)
{
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* focused) { follow(focused); });
}

void FocusRing::follow(QWidget* focused)
{
    if (!focused || !m_area.isAncestorOf(focused)) {
        hide();
        return;
    }
    const QRect around = QRect(focused->mapTo(&m_area, QPoint(0, 0)), focused->size())
                             .adjusted(-kThickness, -kThickness, kThickness, kThickness);
    setGeometry(around);
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(kThickness, kThickness, -kThickness, -kThickness))));
    raise();
    show();
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));
}

} // namespace kururie
