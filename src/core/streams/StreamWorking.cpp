#include "core/streams/StreamWorking.h"

#include "core/runtime/TableTime.h"

#include <QStringList>

#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal::streams {
namespace {

using Line = ResultLine::Kind;
using Problem = StreamProblem::Kind;

constexpr double MinutesPerDay = 1440.0;

const QString NoTidalHour = u"no tidal hour is given"_s;
const QString NoStream = u"no stream is given"_s;
const QString NoCourse = u"no course is given"_s;
const QString NoLeeway = u"no course allowing for leeway is given"_s;
const QString NoCompass = u"no compass course is given"_s;
const QString Disclaimer =
    u"The stream is taken as constant through each tidal hour and holds at the station only; "
    u"eddies and wind-driven currents are not allowed for."_s;

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

// A clock time read as the tide tables print it ("0638", "6:38").
ValueRead readTime(const QString &text)
{
    if (text.size() >= ValueFieldLength)
        return readValue(text);
    const TableTime read = readClockTime(text);
    switch (read.status) {
    case TableTime::Read:
        return {double(read.minutes), {}};
    case TableTime::Blank:
        break;
    case TableTime::NotATime:
        return {std::nullopt, notInForm(text, u"a time such as 0638 or 6:38"_s)};
    }
    return {std::nullopt, Refusal{Refusal::Kind::NotGiven, text, {}}};
}

// A time on the departure's day, with the day named where it is another.
QString dayTimeText(double minutes)
{
    const double whole = std::floor(minutes + 0.5);
    const QString clock = clockText(whole);
    if (whole >= MinutesPerDay)
        return clock + u" next day"_s;
    if (whole < 0.0)
        return clock + u" the day before"_s;
    return clock;
}

QString knotsText(double knots)
{
    return oneDecimalText(knots) + u" kn"_s;
}

// Two speeds compared in one line, with two decimals where one would show
// them the same ("3.0 kn is faster than 3.0 kn").
std::pair<QString, QString> comparedKnots(double a, double b)
{
    if (oneDecimalText(a) != oneDecimalText(b))
        return {knotsText(a), knotsText(b)};
    return {heightText(a) + u" kn"_s, heightText(b) + u" kn"_s};
}

ValueRule speedRule()
{
    return {0.1, GreatestSpeed, u"kn"_s,
            u"%1 to %2 kn"_s.arg(oneDecimalText(0.1), limitText(GreatestSpeed))};
}

ValueRule distanceRule()
{
    return {0.1, GreatestDistance, u"M"_s,
            u"%1 to %2 M"_s.arg(oneDecimalText(0.1), limitText(GreatestDistance))};
}

const ValueRule RangeRule{0.0, GreatestRange, u"m"_s, {}};
const ValueRule RateRule{0.0, GreatestRate, u"kn"_s, {}};
const ValueRule LeewayRule{0.0, GreatestLeeway, u"°"_s,
                           u"0 to %1°"_s.arg(limitText(GreatestLeeway))};

// Reads values, keeping a problem and a reason for each refused.
class Reader
{
public:
    enum class Need { Always, IfGiven };

    std::optional<double> take(const QString &key, const QString &label, const QString &text,
                               const ValueRead &read, const QString &consequence, Need need)
    {
        if (read)
            return read.value;
        if (need == Need::IfGiven && isBlank(text) && text.size() < ValueFieldLength)
            return std::nullopt;
        problems.append({Problem::ValueRefused, key, read.refusal, 0});
        reasons << refusalText(label, read.refusal, consequence);
        return std::nullopt;
    }

    QList<StreamProblem> problems;
    QStringList reasons;
};

QString legLabel(QString LegEntries::*member)
{
    for (const LegValue &value : LegValues) {
        if (value.member == member)
            return QString::fromUtf16(value.label);
    }
    return QString();
}

QString legKey(QString LegEntries::*member)
{
    for (const LegValue &value : LegValues) {
        if (value.member == member)
            return QString::fromUtf16(value.key);
    }
    return QString();
}

const StationValue &stationValue(StationValue::Holds holds, int hour = 0)
{
    for (const StationValue &value : stationValues()) {
        if (value.holds == holds && value.hour == hour)
            return value;
    }
    return stationValues().front();
}

// How a row of the table stands for the day.
struct RowState
{
    enum Status {
        Blank,     // nothing typed
        Refused,   // a value not read; its reason is given
        Unrated,   // read, but the ranges give no rate for the day
        BelowZero, // read, and its rate for the day falls below 0
        Ready,
    };
    Status status = Blank;
    HourStream stream;
};

// The station's values and the day's range, read.
struct TableReading
{
    std::array<RowState, HourCount> rows;
    std::optional<double> springRange, neapRange, rangeToday;
};

TableReading readTable(const StreamStation &station, const QString &rangeToday, bool needed,
                       Reader &reader)
{
    using Holds = StationValue::Holds;
    using Need = Reader::Need;
    const Need ranges = needed ? Need::Always : Need::IfGiven;
    TableReading out;
    const auto range = [&](const QString &key, const QString &label, const QString &text) {
        return reader.take(key, label, text, readValue(text, RangeRule), NoStream, ranges);
    };
    const StationValue &spring = stationValue(Holds::SpringRange);
    const StationValue &neap = stationValue(Holds::NeapRange);
    out.springRange = range(spring.key, spring.label, station.springRange);
    out.neapRange = range(neap.key, neap.label, station.neapRange);

    for (int hour = FirstHour; hour <= LastHour; ++hour) {
        const StreamRow &row = station.row(hour);
        RowState &state = out.rows.at(rowOf(hour));
        if (row.isBlank())
            continue;
        const QString consequence = u"the stream at %1 is not used"_s.arg(hourName(hour));
        const StationValue &set = stationValue(Holds::Set, hour);
        const StationValue &springRate = stationValue(Holds::Spring, hour);
        const StationValue &neapRate = stationValue(Holds::Neap, hour);
        const std::optional<double> setRead = reader.take(
            set.key, set.label, row.set, readBearing(row.set), consequence, Need::Always);
        const std::optional<double> springRead =
            reader.take(springRate.key, springRate.label, row.spring,
                        readValue(row.spring, RateRule), consequence, Need::Always);
        const std::optional<double> neapRead =
            reader.take(neapRate.key, neapRate.label, row.neap, readValue(row.neap, RateRule),
                        consequence, Need::Always);
        if (!setRead || !springRead || !neapRead) {
            state.status = RowState::Refused;
            continue;
        }
        state.status = RowState::Unrated;
        state.stream = {hour, *setRead, 0.0, *springRead, *neapRead};
    }

    out.rangeToday = reader.take(legKey(&LegEntries::rangeToday), legLabel(&LegEntries::rangeToday),
                                 rangeToday, readValue(rangeToday, RangeRule), NoStream, ranges);
    return out;
}

QString highWaterText(double placed)
{
    return u"high water "_s + dayTimeText(placed);
}

// "1 h 31 min after high water 09:29", "at high water 09:29".
QString fromHighWaterText(double fromHighWater, double highWater)
{
    if (fromHighWater == 0.0)
        return u"at "_s + highWaterText(highWater);
    return u"%1 %2 %3"_s.arg(spanText(std::abs(fromHighWater)),
                             fromHighWater > 0.0 ? u"after"_s : u"before"_s,
                             highWaterText(highWater));
}

QString streamText(const HourStream &s, double rangeToday)
{
    return u"Stream %1: %2 %3 (%4 at springs, %5 at neaps; range today %6 m)"_s.arg(
        hourName(s.hour), bearingText(s.set), knotsText(s.rate), knotsText(s.springRate),
        knotsText(s.neapRate), heightText(rangeToday));
}

QString belowZeroText(const RowState &row, double rangeToday)
{
    return u"extended to the range today, %1 m, the rate falls below 0 (%2)"_s.arg(
        heightText(rangeToday), knotsText(row.stream.rate));
}

} // namespace

QString spanText(double minutes)
{
    const double whole = std::round(std::abs(minutes));
    if (whole < 60.0)
        return u"%1 min"_s.arg(QString::number(whole, 'f', 0));
    const double hours = std::floor(whole / 60.0);
    const double rest = whole - hours * 60.0;
    if (rest == 0.0)
        return u"%1 h"_s.arg(QString::number(hours, 'f', 0));
    return u"%1 h %2 min"_s.arg(QString::number(hours, 'f', 0), QString::number(rest, 'f', 0));
}

std::optional<double> StreamWorking::course() const
{
    return leg ? std::optional<double>(leg->course()) : std::nullopt;
}

std::optional<double> StreamWorking::trueCourse() const
{
    return withLeeway ? withLeeway : course();
}

StreamWorking workStream(const StreamStation &station, const LegEntries &entries)
{
    using Need = Reader::Need;
    StreamWorking out;
    QList<ResultLine> summary;
    QList<ResultLine> results;
    QStringList notes;
    QStringList derived; // reasons worked out, after those of the values

    // The tidal hour.
    Reader times;
    const bool timesBlank = isBlank(entries.highWater) && isBlank(entries.departure);
    const Need timeNeed = timesBlank ? Need::IfGiven : Need::Always;
    const std::optional<double> highWater =
        times.take(legKey(&LegEntries::highWater), legLabel(&LegEntries::highWater),
                   entries.highWater, readTime(entries.highWater), NoTidalHour, timeNeed);
    const std::optional<double> departure =
        times.take(legKey(&LegEntries::departure), legLabel(&LegEntries::departure),
                   entries.departure, readTime(entries.departure), NoTidalHour, timeNeed);
    if (timesBlank)
        notes << u"Type the standard port's high water and the departure time"_s;
    double placedHighWater = 0.0; // on the departure's day, or the one before or after
    if (highWater && departure) {
        double from = *departure - *highWater;
        if (from > MinutesPerDay / 2.0)
            from -= MinutesPerDay;
        else if (from <= -MinutesPerDay / 2.0)
            from += MinutesPerDay;
        placedHighWater = *departure - from;
        if (std::abs(from) > TableReach) {
            out.problems.append({Problem::OutsideTable, {}, {}, 0});
            derived << u"%1 is %2: give the standard port's high water nearest the passage"_s.arg(
                clockText(*departure), fromHighWaterText(from, placedHighWater));
        } else {
            out.fromHighWater = from;
            out.tidalHour = hourAt(from);
            summary.append({Line::Summary, u"Tidal hour at %1: %2 (%3)"_s.arg(
                                               clockText(*departure), hourName(*out.tidalHour),
                                               fromHighWaterText(from, placedHighWater))});
        }
    }

    // The station's table and the day's range, with each hour's rate.
    Reader table;
    TableReading read = readTable(station, entries.rangeToday, out.tidalHour.has_value(), table);
    const bool ranges = read.springRange && read.neapRange && read.rangeToday;
    if (read.springRange && read.neapRange && !(*read.springRange > *read.neapRange)) {
        out.problems.append({Problem::RangesReversed, {}, {}, 0});
        derived << u"Mean spring range %1 m is not above the mean neap range %2 m; %3"_s.arg(
            heightText(*read.springRange), heightText(*read.neapRange), NoStream);
    } else if (ranges) {
        for (RowState &row : read.rows) {
            if (row.status != RowState::Unrated)
                continue;
            row.stream.rate = rateForTheDay(row.stream.springRate, row.stream.neapRate,
                                            *read.springRange, *read.neapRange, *read.rangeToday);
            row.status = row.stream.rate < 0.0 ? RowState::BelowZero : RowState::Ready;
            if (row.stream.rate == 0.0)
                row.stream.rate = 0.0; // never "-0.0 kn"
        }
    }

    // The leg's own values.
    Reader legReader;
    const bool legAsked =
        !isBlank(entries.track) || !isBlank(entries.distance) || !isBlank(entries.speed);
    const Need legNeed = legAsked ? Need::Always : Need::IfGiven;
    const auto legValue = [&](QString LegEntries::*member, const ValueRead &value,
                              const QString &consequence, Need need) {
        return legReader.take(legKey(member), legLabel(member), entries.*member, value, consequence,
                              need);
    };
    const std::optional<double> track =
        legValue(&LegEntries::track, readBearing(entries.track), NoCourse, legNeed);
    const std::optional<double> distance = legValue(
        &LegEntries::distance, readValue(entries.distance, distanceRule()), NoCourse, legNeed);
    const std::optional<double> speed =
        legValue(&LegEntries::speed, readValue(entries.speed, speedRule()), NoCourse, legNeed);
    const std::optional<double> leeway = legValue(
        &LegEntries::leeway, readValue(entries.leeway, LeewayRule), NoLeeway, Need::IfGiven);
    const bool deviationGiven = !isBlank(entries.deviation);
    const std::optional<double> variation =
        legValue(&LegEntries::variation, readVariation(entries.variation),
                 deviationGiven ? u"no magnetic or compass course is given"_s
                                : u"no magnetic course is given"_s,
                 deviationGiven ? Need::Always : Need::IfGiven);
    const std::optional<double> deviation = legValue(
        &LegEntries::deviation, readDeviation(entries.deviation), NoCompass, Need::IfGiven);

    // The departure's hour.
    const auto reachedText = [&](double minutesUnderWay) {
        return dayTimeText(*departure + minutesUnderWay);
    };
    bool departureReady = false;
    if (out.tidalHour) {
        const int hour = *out.tidalHour;
        const RowState &row = read.rows.at(rowOf(hour));
        switch (row.status) {
        case RowState::Blank:
            out.problems.append({Problem::RowMissing, {}, {}, hour});
            derived << u"Stream %1: not in the table; %2"_s.arg(hourName(hour), NoStream);
            break;
        case RowState::BelowZero:
            out.problems.append({Problem::RateBelowZero, {}, {}, hour});
            derived << u"Stream %1: %2; %3"_s.arg(hourName(hour),
                                                  belowZeroText(row, *read.rangeToday), NoStream);
            break;
        case RowState::Ready:
            departureReady = true;
            out.stream = row.stream;
            summary.append({Line::Summary, streamText(row.stream, *read.rangeToday)});
            if (*read.rangeToday > *read.springRange)
                notes << u"Range today %1 m is above the mean spring range, %2 m: the rates are "
                         u"extrapolated"_s.arg(heightText(*read.rangeToday),
                                               heightText(*read.springRange));
            else if (*read.rangeToday < *read.neapRange)
                notes << u"Range today %1 m is below the mean neap range, %2 m: the rates are "
                         u"extrapolated"_s.arg(heightText(*read.rangeToday),
                                               heightText(*read.neapRange));
            break;
        case RowState::Refused: // its values' reasons say why
        case RowState::Unrated: // and the ranges' here
            break;
        }
    }

    // The leg.
    if (departureReady && track && distance && speed) {
        LegProblem problem{*track, *distance, *speed, *out.fromHighWater, {}};
        for (const RowState &row : read.rows) {
            if (row.status == RowState::Ready)
                problem.streams.at(rowOf(row.stream.hour)) = row.stream.vector();
        }
        const LegOutcome outcome = solveLeg(problem);
        const int hour = outcome.hour;
        const bool ownHour = hour == *out.tidalHour;
        const QString at = ownHour ? QString() : u" at "_s + hourName(hour);
        const StreamOnTrack on = streamOnTrack(outcome.stream, *track, *speed);
        switch (outcome.kind) {
        case LegOutcome::Kind::Solved:
            out.leg = outcome.solution;
            break;
        case LegOutcome::Kind::AcrossTooStrong: {
            const auto [across, ship] = comparedKnots(std::abs(on.across), *speed);
            out.problems.append({Problem::AcrossTooStrong, {}, {}, hour});
            derived << u"The stream across the track%1, %2, is faster than the speed through the "
                       u"water, %3: no course holds this track"_s.arg(at, across, ship);
            break;
        }
        case LegOutcome::Kind::AgainstTooStrong: {
            const auto [rate, ship] = comparedKnots(outcome.stream.length(), *speed);
            out.problems.append({Problem::AgainstTooStrong, {}, {}, hour});
            derived << u"The stream against the track%1, %2, is at least as fast as the speed "
                       u"through the water, %3: no course makes headway against the stream"_s.arg(
                           at, rate, ship);
            break;
        }
        case LegOutcome::Kind::RowMissing: {
            const RowState &row = read.rows.at(rowOf(hour));
            const QString reaches =
                u"The leg reaches %1 at %2: "_s.arg(hourName(hour), reachedText(outcome.reachedAt));
            if (row.status == RowState::BelowZero) {
                out.problems.append({Problem::RateBelowZero, {}, {}, hour});
                derived << reaches +
                               u"%1; %2"_s.arg(belowZeroText(row, *read.rangeToday), NoCourse);
            } else {
                out.problems.append({Problem::RowMissing, {}, {}, hour});
                derived << reaches + u"its stream is %1; %2"_s.arg(row.status == RowState::Blank
                                                                       ? u"not in the table"_s
                                                                       : u"not read"_s,
                                                                   NoCourse);
            }
            break;
        }
        case LegOutcome::Kind::PastTable: {
            out.problems.append({Problem::PastTable, {}, {}, LastHour});
            const QString arrival = outcome.estimate
                                        ? u" (arrival %1)"_s.arg(reachedText(*outcome.estimate))
                                        : QString();
            derived << u"The leg runs past %1%2: split it at the next high water"_s.arg(
                hourName(LastHour), arrival);
            break;
        }
        }
    }

    if (out.leg) {
        const LegSolution &leg = *out.leg;
        if (leg.pieces.size() > 1) {
            for (const LegPiece &piece : leg.pieces) {
                // The set as the table gives it, even where the rate is 0.
                const HourStream &stream = read.rows.at(rowOf(piece.hour)).stream;
                results.append(
                    {Line::Result,
                     u"%1, %2 to %3: %4 %5 for %6"_s.arg(
                         hourName(piece.hour), reachedText(piece.from), reachedText(piece.until),
                         bearingText(stream.set), knotsText(stream.rate),
                         spanText(std::round(piece.until) - std::round(piece.from)))});
            }
            results.append({Line::Result, u"Stream over the leg: %1 M towards %2"_s.arg(
                                              oneDecimalText(leg.drift.length()),
                                              bearingText(bearingOf(leg.drift)))});
            if (std::abs(leg.offTrack) >= 0.05)
                notes << u"On this course the ship is set up to %1 M to %2 of the track (at %3) "
                         u"and regains it at the end"_s.arg(oneDecimalText(std::abs(leg.offTrack)),
                                                            leg.offTrack > 0.0 ? u"starboard"_s
                                                                               : u"port"_s,
                                                            reachedText(leg.offTrackAt));
        }
        results.append({Line::Result,
                        u"Course to steer %1 to make good %2"_s.arg(courseText(leg.course(), u"T"),
                                                                    courseText(*track, u"T"))});
        if (leeway) {
            const bool starboard = entries.windSide == WindSide::Starboard;
            out.withLeeway = normalised(leg.course() + (starboard ? *leeway : -*leeway));
            results.append(
                {Line::Result, u"Allowing %1 leeway, wind on the %2 side: %3"_s.arg(
                                   degreesText(*leeway), starboard ? u"starboard"_s : u"port"_s,
                                   courseText(*out.withLeeway, u"T"))});
        }
        const bool leewayRefused = !leeway && !isBlank(entries.leeway);
        if (variation && !leewayRefused) {
            out.magneticCourse = normalised(*out.trueCourse() - *variation);
            QString line = u"%1 (variation %2)"_s.arg(courseText(*out.magneticCourse, u"M"),
                                                      eastWestText(*variation));
            if (deviation) {
                out.compassCourse = normalised(*out.magneticCourse - *deviation);
                line += u" · %1 (deviation %2)"_s.arg(courseText(*out.compassCourse, u"C"),
                                                      eastWestText(*deviation));
            }
            results.append({Line::Result, line});
        }
        results.append({Line::Result, u"Speed over the ground %1 · %2 M in %3 · arrive %4"_s.arg(
                                          knotsText(leg.groundSpeed()), oneDecimalText(*distance),
                                          spanText(leg.minutes), reachedText(leg.minutes))});
    }

    out.lines << summary << results;
    for (const QString &note : std::as_const(notes))
        out.lines.append({Line::Note, note});
    out.problems = table.problems + times.problems + legReader.problems + out.problems;
    const QStringList reasons = table.reasons + times.reasons + legReader.reasons + derived;
    for (const QString &reason : std::as_const(reasons))
        out.lines.append({Line::Reason, reason});
    out.lines.append({Line::Disclaimer, Disclaimer});
    return out;
}

} // namespace ondal::streams
