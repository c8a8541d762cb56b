// The tides of the day read from any texts, placed on the ship's clock, and
// every window of the day worked out: the reading ends, every number it
// gives is finite, the curve runs forward through the tides and joins at
// them, and every window lies within the tides, in time order, the passage
// within both its windows. Then the day's plot is laid out at three sizes
// and checked as the worksheet's span is (FuzzLayout.h): no two labels of
// the day lie over one another either. The input is FuzzText's (its first
// byte picks the locale), the rest split at "|" into the tides of the day,
// the date, the tables' zone, the ship's clock, the needed height, the
// overhead limit and the required time in minutes. So the seed
// "00208 4.1  0822 0.9  1431 4.3  2047 0.7||||3" is the worked example in the
// C locale, with 3 m of water needed.

#include "FuzzLayout.h"
#include "FuzzText.h"

#include "core/tide/DayReading.h"
#include "core/tide/TideReading.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace ondal;
using namespace ondal::fuzz;
using namespace ondal::tide;
using namespace Qt::StringLiterals;

namespace {

// A level as the curve's reading would hand it in: read whole, and within
// what a draught, a sounding or a bridge could make of it.
std::optional<double> level(const QStringList &fields, int at, double least, double greatest)
{
    if (at >= fields.size())
        return std::nullopt;
    const ValueRead read = readValue(fields.at(at), {least, greatest, u"m"_s, {}});
    return read.value;
}

// Heights are sums of a few terms below 100 m: exact to far within this.
constexpr double Slack = 1e-9;

void checkStretches(const FuzzText &in, const DayCurve &curve,
                    const std::optional<QList<DayStretch>> &stretches, const char *what)
{
    if (!stretches)
        return;
    double before = curve.start();
    for (const DayStretch &s : *stretches) {
        ONDAL_FUZZ_CHECK(std::isfinite(s.from) && std::isfinite(s.until),
                         describe(in.text, in.locale) + ": a " + what + " stretch not finite");
        ONDAL_FUZZ_CHECK(s.from >= before && s.from < s.until && s.until <= curve.end(),
                         describe(in.text, in.locale) + ": a " + what + " stretch " +
                             describe(s.from) + " to " + describe(s.until) +
                             " out of order or outside the tides");
        ONDAL_FUZZ_CHECK(!s.fromFirstTide || s.from == curve.start(),
                         describe(in.text, in.locale) + ": open at the first tide, but later");
        ONDAL_FUZZ_CHECK(!s.toLastTide || s.until == curve.end(),
                         describe(in.text, in.locale) + ": open at the last tide, but earlier");
        before = s.until;
    }
}

// Whether the stretch lies within one of the list's.
bool within(const DayStretch &s, const QList<DayStretch> &list)
{
    return std::any_of(list.cbegin(), list.cend(), [&](const DayStretch &outer) {
        return s.from >= outer.from && s.until <= outer.until;
    });
}

void checkCurve(const FuzzText &in, const DayReading &day)
{
    const DayCurve &curve = *day.curve;
    const QList<DayTide> &tides = curve.tides();
    ONDAL_FUZZ_CHECK(tides.size() >= FewestDayTides && tides.size() <= MostDayTides,
                     describe(in.text, in.locale) + ": a curve through too few or many tides");
    double lowest = tides.first().height;
    double highest = lowest;
    for (qsizetype i = 0; i < tides.size(); ++i) {
        const DayTide &tide = tides.at(i);
        ONDAL_FUZZ_CHECK(std::isfinite(tide.time) && isTideHeight(tide.height),
                         describe(in.text, in.locale) + ": a tide not finite or beyond its limits");
        ONDAL_FUZZ_CHECK(std::abs(curve.height(tide.time) - tide.height) <= Slack,
                         describe(in.text, in.locale) + ": the curve misses a tide");
        if (i > 0) {
            const DayTide &before = tides.at(i - 1);
            ONDAL_FUZZ_CHECK(tide.time > before.time && tide.time - before.time <= LongestSpan,
                             describe(in.text, in.locale) + ": tides not one rise or fall apart");
            ONDAL_FUZZ_CHECK(tide.kind != before.kind &&
                                 (tide.isHighWater() ? tide.height > before.height
                                                     : tide.height < before.height),
                             describe(in.text, in.locale) + ": high and low water not alternating");
        }
        lowest = std::min(lowest, tide.height);
        highest = std::max(highest, tide.height);
    }
    // The curve never leaves the tides' heights, and the clock shows every
    // moment of it.
    constexpr int Samples = 64;
    for (int k = 0; k <= Samples; ++k) {
        const double t = curve.start() + (curve.end() - curve.start()) * k / Samples;
        const double h = curve.height(t);
        ONDAL_FUZZ_CHECK(h >= lowest - Slack && h <= highest + Slack,
                         describe(in.text, in.locale) + ": a height " + describe(h) +
                             " beyond the tides at " + describe(t));
        ONDAL_FUZZ_CHECK(std::isfinite(day.clock.clockMinutes(t)),
                         describe(in.text, in.locale) + ": the clock shows nothing at " +
                             describe(t));
    }
    checkStretches(in, curve, day.water, "water");
    checkStretches(in, curve, day.overhead, "overhead");
    checkStretches(in, curve, day.passage, "passage");
    if (day.passage) {
        for (const DayStretch &s : *day.passage)
            ONDAL_FUZZ_CHECK(within(s, *day.water) && within(s, *day.overhead),
                             describe(in.text, in.locale) + ": a passage outside its windows");
    }
    if (day.required)
        ONDAL_FUZZ_CHECK(curve.contains(day.required->time) &&
                             std::isfinite(day.required->height) && day.required->factor >= 0.0 &&
                             day.required->factor <= 1.0,
                         describe(in.text, in.locale) + ": the required time beyond the tides");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText in = takeFuzzText(data, size);
    const QStringList fields = in.text.split(u'|');
    const auto field = [&](int at) { return at < fields.size() ? fields.at(at) : QString(); };

    const DayEntries entries{field(0), field(1), field(2), field(3)};
    const DayLevels levels{level(fields, 4, -20000.0, 20000.0), level(fields, 5, -1000.0, 1000.0),
                           level(fields, 6, 0.0, 2.0 * MinutesPerDay)};
    const DayReading day = readDay(entries, levels, QTimeZone::utc());

    if (!followsDayTides(entries)) {
        ONDAL_FUZZ_CHECK(!day.curve && day.lines.isEmpty(),
                         describe(in.text, in.locale) + ": lines for an empty field");
        return 0;
    }
    bool anyReason = false;
    for (const ResultLine &line : day.lines) {
        anyReason = anyReason || line.kind == ResultLine::Kind::Reason;
        ONDAL_FUZZ_CHECK(!line.text.isEmpty(), describe(in.text, in.locale) + ": an empty line");
        // Reasons and notes quote what was typed; the tides and the results
        // hold only what was worked out.
        if (line.kind != ResultLine::Kind::Summary && line.kind != ResultLine::Kind::Result)
            continue;
        ONDAL_FUZZ_CHECK(
            !line.text.contains(u"--"_s) && !line.text.contains(u"nan"_s, Qt::CaseInsensitive) &&
                !line.text.contains(u"inf"_s, Qt::CaseInsensitive),
            describe(in.text, in.locale) + ": a line shows no number: " + line.text.toStdString());
    }
    if (day.curve)
        checkCurve(in, day);
    else
        ONDAL_FUZZ_CHECK(anyReason && !day.water && !day.overhead && !day.required,
                         describe(in.text, in.locale) + ": no curve and no reason, or windows");

    // The plot as the curve's reading hands it the day and the levels: at
    // its smallest in the window, at full screen, and too small.
    TideReading reading;
    reading.neededHeight = levels.neededHeight;
    reading.overheadLimit = levels.overheadLimit;
    reading.day = day;
    ONDAL_FUZZ_CHECK(plotsDay(reading) && hasCurve(reading) == day.curve.has_value(),
                     describe(in.text, in.locale) + ": the plot does not follow the day");
    for (const QRectF &target :
         {QRectF(0, 0, 408, 238), QRectF(10, 20, 1920, 1000), QRectF(0, 0, 120, 60)})
        checkLayout(in, target, reading);
    return 0;
}
