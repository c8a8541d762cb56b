#include "core/tide/TideCurve.h"

#include "core/runtime/LineText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

// How far a crossing may be nudged before it is rounded (see openingMinute()).
constexpr double NoiseMinutes = 1e-9;

// The cosine curve's fraction of the range for a height: 0 at low water, 1
// at high water.
double fractionOfRange(const TideSpan &span, double height)
{
    return (height - span.lowWater().height) / span.range();
}

} // namespace

double openingMinute(double crossing)
{
    return std::ceil(crossing - NoiseMinutes);
}

double closingMinute(double crossing)
{
    return std::floor(crossing + NoiseMinutes);
}

SpanOrRefusal spanBetween(Tide high, Tide low)
{
    // Within these limits every sum below is finite and exact enough.
    const auto outside = [](const char16_t *what, double low, double high) {
        return u"%1 lies outside %2 to %3"_s.arg(what, limitText(low), limitText(high));
    };
    if (!isTideHeight(high.height))
        return {{}, outside(u"High water's height", -HeightLimit, HeightLimit)};
    if (!isTideHeight(low.height))
        return {{}, outside(u"Low water's height", -HeightLimit, HeightLimit)};
    if (!isWorksheetTime(high.time))
        return {{}, outside(u"High water's time in minutes", 0.0, LatestTime)};
    if (!isWorksheetTime(low.time))
        return {{}, outside(u"Low water's time in minutes", 0.0, LatestTime)};

    NextDay nextDay = NextDay::Neither;
    if (std::abs(high.time - low.time) > LongestSpan) {
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
    if (duration > LongestSpan)
        return {
            {},
            u"High and low water lie more than 12 hours apart: they are not one rise or fall"_s};
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

TideWindow windowFor(const TideSpan &span, double level, Side side)
{
    // The safe answer first: a level that is not a number is never met.
    const double f = fractionOfRange(span, level);
    const bool atLeast = side == Side::AtLeast;
    if (std::isnan(f) || (atLeast ? f >= 1.0 : f <= 0.0))
        return {TideWindow::Kind::Never, 0.0, 0.0};
    if (atLeast ? f <= 0.0 : f >= 1.0)
        return {TideWindow::Kind::Throughout, 0.0, 0.0};

    const double crossing = *span.timeOfHeight(level);
    // Enough from the crossing on where the tide moves towards the wanted
    // side: rising for at least, falling for at most.
    if (span.isRising() == atLeast)
        return {TideWindow::Kind::From, crossing, openingMinute(crossing)};
    return {TideWindow::Kind::Until, crossing, closingMinute(crossing)};
}

QString windowText(const TideWindow &window, QStringView what)
{
    switch (window.kind) {
    case TideWindow::Kind::From:
        return u"Enough %1 from %2"_s.arg(what, clockText(window.minute));
    case TideWindow::Kind::Until:
        return u"Enough %1 until %2"_s.arg(what, clockText(window.minute));
    case TideWindow::Kind::Throughout:
        return u"Enough %1 throughout"_s.arg(what);
    case TideWindow::Kind::Never:
        break;
    }
    return u"Not enough %1 between these tides"_s.arg(what);
}

} // namespace ondal::tide
