#include "core/tide/DayReading.h"

#include "core/tide/Passage.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

using Kind = ResultLine::Kind;

const QString NoCurve = u"no curve is drawn"_s;

// Below 5 hours or above 7 the tide rarely follows the cosine curve.
constexpr double ShortestUsualDuration = 300.0;
constexpr double LongestUsualDuration = 420.0;

// A clock time typed for the required time may be meant on any day the
// tides cover: as typed first, then the days after, then before.
constexpr int RequiredDays[] = {0, 1, 2, 3, 4, -1, -2};

// "Tides: HW 02:08 4.10 m · LW 08:22 0.90 m · …", on the ship's clock.
QString tidesText(const DayCurve &curve, const DayClock &clock)
{
    QStringList tides;
    for (const DayTide &tide : curve.tides())
        tides << u"%1 %2 %3 m"_s.arg(tideKindText(tide.kind), clock.timeText(tide.time),
                                     heightText(tide.height));
    return u"Tides: "_s + tides.join(u" · "_s);
}

// A note for each rise or fall the cosine curve follows only roughly.
QStringList roughDurations(const DayCurve &curve)
{
    QStringList notes;
    const QList<DayTide> &tides = curve.tides();
    for (qsizetype i = 0; i + 1 < tides.size(); ++i) {
        const double duration = tides.at(i + 1).time - tides.at(i).time;
        if (duration < ShortestUsualDuration || duration > LongestUsualDuration)
            notes << u"Duration from the %1 to the %2 tide %3, outside 5 to 7 hours: the cosine "
                     u"curve is only a rough guide there"_s.arg(
                         ordinalText(int(i + 1)), ordinalText(int(i + 2)), durationText(duration));
    }
    return notes;
}

// The required time on the axis, within the tides, where the clock shows it.
std::optional<double> placeRequired(const DayCurve &curve, const DayClock &clock, double minutes)
{
    for (const int day : RequiredDays) {
        for (const double t : clock.axisTimes(minutes + day * MinutesPerDay)) {
            if (curve.contains(t))
                return t;
        }
    }
    return std::nullopt;
}

void addWindows(QList<ResultLine> &results, const QList<DayStretch> &stretches,
                const DayClock &clock, const QString &lead, const QString &none)
{
    if (stretches.isEmpty())
        results << ResultLine{Kind::Result, none};
    for (const DayStretch &stretch : stretches)
        results << ResultLine{Kind::Result, dayStretchText(stretch, clock, lead)};
}

} // namespace

QString dayStretchText(const DayStretch &stretch, const DayClock &clock, const QString &lead)
{
    if (stretch.fromFirstTide && stretch.toLastTide)
        return lead + u" throughout the tides given"_s;
    const QString from = clock.timeText(stretch.from);
    const QString until = clock.timeText(stretch.until);
    if (stretch.fromFirstTide)
        return u"%1 until %2 (from the first tide given, %3)"_s.arg(lead, until, from);
    if (stretch.toLastTide)
        return u"%1 from %2 (to the last tide given, %3)"_s.arg(lead, from, until);
    return u"%1 from %2 until %3"_s.arg(lead, from, until);
}

DayReading readDay(const DayEntries &entries, const DayLevels &levels,
                   const QTimeZone &computerZone)
{
    DayReading out;
    if (!followsDayTides(entries))
        return out;

    QStringList notes{
        u"The curve follows the tides of the day; the worksheet's high and low water are not "
        u"used"_s};
    QStringList reasons;
    QList<ResultLine> results;

    const DayTidesRead read = readDayTides(entries.tides);
    if (!read) {
        reasons << dayTidesRefusalText(*read.refusal, NoCurve);
    } else {
        const PlacedDay placed =
            placeOnClock(read.tides, {entries.date, entries.tablesZone, entries.clockZone},
                         computerZone, NoCurve);
        notes << placed.notes;
        reasons << placed.reasons;
        if (placed.isPlaced()) {
            out.curve = DayCurve::through(placed.tides);
            out.clock = placed.clock;
            // Every pair was checked on the way here; should one still give
            // no rise or fall, nothing is drawn rather than something wrong.
            if (!out.curve)
                reasons << u"Tides of the day: they give no curve; "_s + NoCurve;
        }
    }

    if (out.curve) {
        const DayCurve &curve = *out.curve;
        const DayClock &clock = out.clock;
        notes << roughDurations(curve);

        if (levels.requiredTime) {
            if (const std::optional<double> t = placeRequired(curve, clock, *levels.requiredTime)) {
                const int half = curve.halfTideAt(*t);
                const DayTide &a = curve.tides().at(half);
                const DayTide &b = curve.tides().at(half + 1);
                out.required = DayRequired{*t, curve.height(*t), curve.factor(*t), half};
                results << ResultLine{
                    Kind::Result,
                    u"At %1: %2 m by the cosine curve (factor %3 on the %4 from %5 to %6)"_s.arg(
                        clock.timeText(*t), heightText(out.required->height),
                        heightText(out.required->factor), a.isHighWater() ? u"fall"_s : u"rise"_s,
                        clock.timeText(a.time), clock.timeText(b.time))};
                if (levels.overheadLimit)
                    results << ResultLine{Kind::Result,
                                          overheadAtText(clock.timeText(*t), out.required->height,
                                                         *levels.overheadLimit)};
            } else {
                reasons << u"Required Time %1 lies outside the tides given, from %2 to %3: no "
                           u"height is given outside them"_s.arg(clockText(*levels.requiredTime),
                                                                 clock.timeText(curve.start()),
                                                                 clock.timeText(curve.end()));
            }
        }

        if (levels.neededHeight) {
            out.water = curve.atLeast(*levels.neededHeight);
            addWindows(results, *out.water, clock, u"Enough water"_s,
                       u"No time among the tides given has enough water"_s);
        }
        if (levels.overheadLimit) {
            out.overhead = curve.atMost(*levels.overheadLimit);
            addWindows(results, *out.overhead, clock, u"Enough overhead clearance"_s,
                       u"No time among the tides given has enough overhead clearance"_s);
        }
        if (out.water && out.overhead) {
            out.passage = bothHold(*out.water, *out.overhead);
            addWindows(results, *out.passage, clock, u"Passage possible"_s,
                       u"No time among the tides given has both enough water and enough "
                       u"overhead clearance"_s);
        }
        out.lines << ResultLine{Kind::Summary, tidesText(curve, clock)};
    }

    for (const QString &note : std::as_const(notes))
        out.lines << ResultLine{Kind::Note, note};
    for (const QString &reason : std::as_const(reasons))
        out.lines << ResultLine{Kind::Reason, reason};
    out.lines << results;
    return out;
}

} // namespace ondal::tide
