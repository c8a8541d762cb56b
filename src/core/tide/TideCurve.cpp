#include "core/tide/TideCurve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ondal::tide {
namespace {

constexpr double HalfDay = MinutesPerDay / 2.0;

// How far a window time may be nudged before it is rounded, so that a
// crossing computed as 650.0000000000001 still reads 10:50 rather than
// 10:51. Far below anything a tide could make of it.
constexpr double NoiseMinutes = 1e-9;

// The cosine curve's fraction of the range for a height: 0 at low water, 1
// at high water.
double fractionOfRange(const TideSpan &span, double height)
{
    return (height - span.lowWater().height) / span.range();
}

} // namespace

SpanOrRefusal spanBetween(Tide high, Tide low)
{
    if (!std::isfinite(high.time) || !std::isfinite(low.time) || !std::isfinite(high.height) ||
        !std::isfinite(low.height))
        return {{}, QStringLiteral("The tides' times or heights are too large to work with")};

    NextDay nextDay = NextDay::Neither;
    if (std::abs(high.time - low.time) > HalfDay) {
        if (high.time < low.time) {
            high.time += MinutesPerDay;
            nextDay = NextDay::HighWater;
        } else {
            low.time += MinutesPerDay;
            nextDay = NextDay::LowWater;
        }
    }

    const double range = high.height - low.height;
    const double duration = std::abs(high.time - low.time);
    if (!std::isfinite(range) || !std::isfinite(duration))
        return {{}, QStringLiteral("The tides' times or heights are too large to work with")};
    if (range <= 0.0)
        return {{},
                QStringLiteral("High water must stand higher than low water: there is no range")};
    if (duration == 0.0)
        return {{},
                QStringLiteral("High and low water fall at the same time: there is no duration")};
    return {TideSpan(high, low, nextDay), {}};
}

double TideSpan::placed(double clockTime) const
{
    const double middle = (start() + end()) / 2.0;
    return clockTime + std::round((middle - clockTime) / MinutesPerDay) * MinutesPerDay;
}

double TideSpan::timeFromHighWater(double t) const
{
    const double tau = isRising() ? m_high.time - t : t - m_high.time;
    return std::clamp(tau, 0.0, duration());
}

double TideSpan::factor(double t) const
{
    return (1.0 + std::cos(std::numbers::pi * timeFromHighWater(t) / duration())) / 2.0;
}

double TideSpan::cosineHeight(double t) const
{
    return m_low.height + range() * factor(t);
}

double TideSpan::straightHeight(double t) const
{
    const double d = duration();
    return m_low.height + range() * (d - timeFromHighWater(t)) / d;
}

std::optional<double> TideSpan::timeOfHeight(double height) const
{
    const double f = fractionOfRange(*this, height);
    if (!(f > 0.0 && f < 1.0)) // NaN too
        return std::nullopt;
    const double tau = duration() * std::acos(2.0 * f - 1.0) / std::numbers::pi;
    return isRising() ? m_high.time - tau : m_high.time + tau;
}

TideWindow TideSpan::windowFor(double neededHeight) const
{
    // The safe answer first: a height that is not a number is never reached.
    const double f = fractionOfRange(*this, neededHeight);
    if (!(f < 1.0))
        return {TideWindow::Kind::Never, 0.0, 0.0};
    if (f <= 0.0)
        return {TideWindow::Kind::Throughout, 0.0, 0.0};

    const double crossing = *timeOfHeight(neededHeight);
    if (isRising())
        return {TideWindow::Kind::From, crossing, std::ceil(crossing - NoiseMinutes)};
    return {TideWindow::Kind::Until, crossing, std::floor(crossing + NoiseMinutes)};
}

} // namespace ondal::tide
