#include "trace_hosts.h"

#include "outer_curve.h"

#include <QGuiApplication>

namespace bench {

kururie::RunSettings FixedCurveHost::runSettings()
{
    return outerCurveSettings();
}

std::int16_t FixedCurveHost::penPosition()
{
    return kPenPosition;
}

double FixedCurveHost::canvasCentreX()
{
    return kCanvasSide / 2;
}

double FixedCurveHost::canvasCentreY()
{
    return kCanvasSide / 2;
}

CanvasPairHost::CanvasPairHost()
    : m_backing(QStringLiteral("picDrawBk"), 0, nullptr), m_visible(QStringLiteral("picDraw"), 1, nullptr)
{
    const QSize side(static_cast<int>(kCanvasSide), static_cast<int>(kCanvasSide));
    m_backing.setInteriorSize(side);
    m_visible.setInteriorSize(side);
    // Painted once as a shown window paints it, so that on a screen of finer pixels it draws at
    // their resolution from then on, as the window's visible canvas does.
    const qreal ratio = qApp->devicePixelRatio();
    QImage shown((QSizeF(m_visible.size()) * ratio).toSize(), QImage::Format_RGB32);
    shown.setDevicePixelRatio(ratio);
    m_visible.render(&shown);
}

void CanvasPairHost::drawOnBacking(const kururie::Segment& segment, std::uint32_t colour)
{
    m_backing.drawSegment(segment, colour);
}

void CanvasPairHost::drawOnVisible(const kururie::Segment& segment, std::uint32_t colour)
{
    m_visible.drawSegment(segment, colour);
}

void CanvasPairHost::normalEnd()
{
    m_visible.setPicture(m_backing.image());
}

} // namespace bench
