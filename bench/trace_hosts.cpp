#include "trace_hosts.h"

#include "outer_curve.h"

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
