#include "core/tide/TideReading.h"

#include "core/runtime/ValueReader.h"
#include "core/worksheet/Worksheet.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

using Kind = ResultLine::Kind;

using enum worksheet::Field;

const QString Disclaimer = u"The cosine curve approximates the port's own tidal curve; check "
                           u"critical clearances against official tables."_s;
const QString RoughDuration =
    u"Duration outside 5 to 7 hours: the cosine curve is only a rough guide"_s;

// Below 5 hours or above 7 the tide rarely follows the cosine curve.
constexpr double ShortestUsualDuration = 300.0;
constexpr double LongestUsualDuration = 420.0;

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

// What is not worked out when a value is refused.
const QString NoCurve = u"no curve is drawn"_s;
const QString NoHeight = u"no height is given"_s;
const QString NoWindow = u"no tidal window is given"_s;

// A worksheet time's hours and minutes, each read whole; none where either
// is not.
std::optional<double> clockParts(const QString &hours, const QString &minutes)
{
    const ValueRead h = readValue(hours);
    const ValueRead m = readValue(minutes);
    if (!h || !m)
        return std::nullopt;
    return *h.value * 60.0 + *m.value;
}

// Reads the worksheet's values into the reading's inputs, keeping the
// reasons for those refused in order.
class Reader
{
public:
    explicit Reader(TideReading &out) : m_out(out) {}

    // Metres, read whole ("3.2", "3.2 m") within low to high; blank is missing.
    std::optional<double> metres(Input input, const QString &label, const QString &text, double low,
                                 double high, const QString &consequence)
    {
        return set(input, reasons.read(label, text, {low, high, u"m"_s}, consequence));
    }

    // A time as hours × 60 + minutes, each read whole, the hours first,
    // within 00:00 to 48:00; both blank is missing.
    std::optional<double> clock(Input input, const QString &label, const QString &hours,
                                const QString &minutes, const QString &consequence)
    {
        if (isBlank(hours) && isBlank(minutes)) {
            reasons.refuse(label, Refusal{Refusal::Kind::NotGiven, hours, {}}, consequence);
            return set(input, std::nullopt);
        }
        const std::optional<double> h = reasons.read(label + u", hours"_s, hours, {}, consequence);
        const std::optional<double> m =
            h ? reasons.read(label + u", minutes"_s, minutes, {}, consequence) : std::nullopt;
        if (!h || !m)
            return set(input, std::nullopt);
        const double total = *h * 60.0 + *m;
        if (!isWorksheetTime(total)) {
            reasons.refuse(
                label, outOfBounds(hours.trimmed() + u':' + minutes.trimmed(), u"00:00 to 48:00"_s),
                consequence);
            return set(input, std::nullopt);
        }
        return set(input, total);
    }

    // Records how a value was read: used, or refused with its reason said.
    std::optional<double> set(Input input, std::optional<double> value)
    {
        m_out.inputs.at(static_cast<int>(input)) = {value ? InputValue::Read : InputValue::Refused,
                                                    value.value_or(0.0)};
        return value;
    }

    Reasons reasons;

private:
    TideReading &m_out;
};

// Which day a time on the span falls on: 0 for the first, 1 for the next.
double dayOf(double minutes)
{
    return std::floor(minutes / MinutesPerDay);
}

// The lines of the given kind, in their order.
QList<ResultLine> linesOf(const QList<ResultLine> &lines, Kind kind)
{
    QList<ResultLine> out;
    for (const ResultLine &line : lines) {
        if (line.kind == kind)
            out << line;
    }
    return out;
}

TideReading read(const Worksheet &fields, const CurveEntries &entries,
                 const QTimeZone &computerZone)
{
    TideReading out;
    Reader reader(out);
    QStringList notes; // next day, rough duration, interval, charted sounding
    QList<ResultLine> results;

    // With the tides of the day given the curve follows them: the
    // worksheet's high and low water are neither read nor refused.
    const bool followsDay = followsDayTides(entries.day);
    std::optional<double> highHeight, lowHeight, highTime, lowTime;
    if (!followsDay) {
        highHeight =
            reader.metres(Input::HighWaterHeight, u"Tide Table's High Water"_s,
                          fields.text(HighWaterHeight), -HeightLimit, HeightLimit, NoCurve);
        lowHeight = reader.metres(Input::LowWaterHeight, u"Tide Table's Low Water"_s,
                                  fields.text(LowWaterHeight), -HeightLimit, HeightLimit, NoCurve);
        highTime =
            reader.clock(Input::HighWaterTime, u"Time of High Water"_s, fields.text(HighWaterHours),
                         fields.text(HighWaterMinutes), NoCurve);
        lowTime = reader.clock(Input::LowWaterTime, u"Time of Low Water"_s,
                               fields.text(LowWaterHours), fields.text(LowWaterMinutes), NoCurve);
    }

    if (highHeight && lowHeight && highTime && lowTime) {
        SpanOrRefusal made = spanBetween({*highTime, *highHeight}, {*lowTime, *lowHeight});
        out.span = made.span;
        if (!made.span)
            reader.reasons.add(made.refusal);
    }
    if (out.span) {
        // A tide the midnight rule moved a day is always said, whatever day
        // its hours put it on (47:00 with 12:00 takes 12:00 as 36:00); so is
        // one typed on a later day than the other (28:06).
        const double highDay = dayOf(out.span->highWater().time);
        const double lowDay = dayOf(out.span->lowWater().time);
        const NextDay moved = out.span->nextDay();
        if (moved == NextDay::LowWater || (moved == NextDay::Neither && lowDay > highDay))
            notes << u"Low water taken on the next day"_s;
        else if (moved == NextDay::HighWater || (moved == NextDay::Neither && highDay > lowDay))
            notes << u"High water taken on the next day"_s;
        const double d = out.span->duration();
        if (d < ShortestUsualDuration || d > LongestUsualDuration)
            notes << RoughDuration;
    }

    // The interval's high water, where given, should be the duration's; the
    // curve does not use it, so it is only mentioned where it differs.
    if (highTime) {
        const std::optional<double> intervalHigh =
            clockParts(fields.text(IntervalHighWaterHours), fields.text(IntervalHighWaterMinutes));
        if (intervalHigh && isWorksheetTime(*intervalHigh) &&
            std::fmod(*intervalHigh - *highTime, MinutesPerDay) != 0.0)
            notes << u"The curve uses the duration's high water %1, not the interval's %2"_s.arg(
                clockText(*highTime), clockText(*intervalHigh));
    }

    // The required time is optional: both fields blank ask for nothing.
    const QString requiredHours = fields.text(RequiredHours);
    const QString requiredMinutes = fields.text(RequiredMinutes);
    std::optional<double> requiredTime;
    if (!isBlank(requiredHours) || !isBlank(requiredMinutes)) {
        const std::optional<double> clock = reader.clock(Input::RequiredTime, u"Required Time"_s,
                                                         requiredHours, requiredMinutes, NoHeight);
        requiredTime = clock;
        if (clock && out.span) {
            const double t = out.span->placed(*clock);
            if (out.span->contains(t)) {
                const RequiredTide r{t, out.span->cosineHeight(t), out.span->factor(t),
                                     out.span->straightHeight(t)};
                out.required = r;
                results << ResultLine{
                    Kind::Result,
                    u"At %1: %2 m by the cosine curve (factor %3), %4 m by the "
                    u"straight line"_s.arg(clockText(r.time), heightText(r.cosineHeight),
                                           heightText(r.factor), heightText(r.straightHeight))};
            } else {
                reader.reasons.add(u"Required Time %1 lies outside the span from %2 to %3: no "
                                   u"height is given outside the two tides"_s.arg(
                                       clockText(*clock), clockText(out.span->start()),
                                       clockText(out.span->end())));
            }
        }
    }

    // The needed height of tide, asked for by giving a draught or a clearance;
    // the squat's line stands on its own.
    const UnderKeel keel = readUnderKeel(entries.draught, entries.clearance, entries.passage);
    reader.reasons << keel.reasons;
    if (keel.squat.metres) {
        out.squat = keel.squat.metres;
        results << ResultLine{Kind::Result, keel.squat.line};
    }
    if (keel.asked) {
        reader.set(Input::Draught, keel.draught);
        reader.set(Input::Clearance, keel.clearance && keel.draught
                                         ? std::optional(keel.clearance->metres(*keel.draught))
                                         : std::nullopt);
        const QString soundingText = fields.text(ChartedSounding);
        if (isBlank(soundingText)) {
            notes << u"The tidal window needs the Charted Sounding on the worksheet"_s;
        } else if (const std::optional<double> sounding =
                       reader.metres(Input::ChartedSounding, u"Charted Sounding"_s, soundingText,
                                     -HeightLimit, DeepestSounding, NoWindow);
                   sounding && keel.isComplete()) {
            const NeededHeight needed =
                neededHeight(*keel.draught, keel.squat.metres, *keel.clearance, *sounding);
            reader.reasons << needed.reasons;
            out.neededHeight = needed.metres;
            if (needed.metres)
                results << ResultLine{Kind::Result, needed.line};
        }
    }
    if (out.span && out.neededHeight) {
        out.window = windowFor(*out.span, *out.neededHeight, Side::AtLeast);
        results << ResultLine{Kind::Result, windowText(*out.window, u"water")};
    }

    // The overhead clearance, asked for by giving any of its values.
    const OverheadReading overhead = readOverhead(entries.passage);
    reader.reasons << overhead.reasons;
    if (overhead.limit) {
        out.overheadLimit = overhead.limit;
        results << ResultLine{Kind::Result, overhead.line};
        if (out.span) {
            out.overheadWindow = windowFor(*out.span, *overhead.limit, Side::AtMost);
            results << ResultLine{Kind::Result, overheadWindowText(*out.overheadWindow)};
        }
        if (out.required)
            results << ResultLine{
                Kind::Result,
                overheadAtText(out.required->time, out.required->cosineHeight, *overhead.limit)};
    }
    if (out.span && out.window && out.overheadWindow) {
        out.passage = passageBetween(*out.span, *out.window, *out.overheadWindow);
        results << ResultLine{Kind::Result, passageText(*out.passage)};
    }

    // The day's curve from the levels worked out above, each where it was.
    // Its lines join these by kind: its tides first among the notes and the
    // reasons, as its entries stand first in the window, and its results
    // after the squat, the needed height and the overhead limit.
    if (followsDay)
        out.day = readDay(entries.day, DayLevels{out.neededHeight, out.overheadLimit, requiredTime},
                          computerZone);
    const QList<ResultLine> day = out.day ? out.day->lines : QList<ResultLine>();

    if (out.span) {
        const TideSpan &s = *out.span;
        out.lines << ResultLine{
            Kind::Summary,
            u"High water %1, %2 m · Low water %3, %4 m · Duration %5 · Range "
            u"%6 m"_s.arg(clockText(s.highWater().time), heightText(s.highWater().height),
                          clockText(s.lowWater().time), heightText(s.lowWater().height),
                          durationText(s.duration()), heightText(s.range()))};
    }
    out.lines << linesOf(day, Kind::Summary) << linesOf(day, Kind::Note);
    for (const QString &note : std::as_const(notes))
        out.lines << ResultLine{Kind::Note, note};
    out.lines << linesOf(day, Kind::Reason);
    for (const QString &reason : std::as_const(reader.reasons.lines))
        out.lines << ResultLine{Kind::Reason, reason};
    out.refused = reader.reasons.refused;
    out.lines << results << linesOf(day, Kind::Result);
    out.lines << ResultLine{Kind::Disclaimer, Disclaimer};
    return out;
}

} // namespace

TideReading readTide(const Worksheet &worksheet, const QString &draught, const QString &clearance)
{
    return readTide(worksheet, CurveEntries{draught, clearance, {}});
}

TideReading readTide(const Worksheet &worksheet, const CurveEntries &entries,
                     const QTimeZone &computerZone)
{
    try {
        return read(worksheet, entries, computerZone);
    } catch (...) {
        // Nothing above should throw; should it all the same, the window
        // still gets an answer rather than an error.
        TideReading failed;
        failed.lines << ResultLine{Kind::Reason, u"The tide could not be worked out"_s};
        failed.lines << ResultLine{Kind::Disclaimer, Disclaimer};
        return failed;
    }
}

} // namespace ondal::tide
