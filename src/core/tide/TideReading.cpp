#include "core/tide/TideReading.h"

#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"
#include "core/worksheet/Worksheet.h"

#include <QLocale>
#include <QStringList>

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

// What went wrong with a value, after what it is: "the hours are" + "not a number".
QString trouble(const RuntimeError &error)
{
    switch (error.code()) {
    case RuntimeError::TypeMismatch:
        return u"not a number"_s;
    case RuntimeError::Overflow:
        return u"too large"_s;
    default:
        return u"unreadable (%1)"_s.arg(error.description());
    }
}

// Reads the values into the reading's inputs, keeping the reasons for those
// refused in order.
class Reader
{
public:
    explicit Reader(TideReading &out) : m_out(out) {}

    // Metres, read whole by the number-entry rule ("3.2", "3.2 m") and within
    // low to high; blank is missing.
    std::optional<double> metres(Input input, const QString &label, const QString &text, double low,
                                 double high, const QString &consequence)
    {
        const WholeNumber read = readWholeNumber(text, u"m");
        switch (read.status) {
        case WholeNumber::Blank:
            return refuse(input, u"%1: missing; %2"_s.arg(label, consequence));
        case WholeNumber::NotANumber:
            return refuse(input, u"%1: %2 is not a number here; %3"_s.arg(label, quotedText(text),
                                                                          consequence));
        case WholeNumber::TooLarge:
        case WholeNumber::Read:
            break;
        }
        if (read.status != WholeNumber::Read || !(read.value >= low && read.value <= high))
            return refuse(input, u"%1: outside %2 to %3 m; %4"_s.arg(label, limitText(low),
                                                                     limitText(high), consequence));
        return use(input, read.value);
    }

    // A time as hours × 60 + minutes, each converted strictly, the hours
    // first, within 00:00 to 48:00; blank hours or minutes are missing.
    std::optional<double> clock(Input input, const QString &label, const QString &hours,
                                const QString &minutes, const QString &consequence)
    {
        if (isBlank(hours) && isBlank(minutes))
            return refuse(input, u"%1: missing; %2"_s.arg(label, consequence));
        QString why;
        const std::optional<double> h = part(hours, u"hours"_s, why);
        const std::optional<double> m = h ? part(minutes, u"minutes"_s, why) : std::nullopt;
        if (!h || !m)
            return refuse(input, u"%1: %2; %3"_s.arg(label, why, consequence));
        const double total = *h * 60.0 + *m;
        if (!isWorksheetTime(total))
            return refuse(input, u"%1: outside 00:00 to 48:00; %2"_s.arg(label, consequence));
        return use(input, total);
    }

    // The under-keel clearance: metres ("0.5", "0.5 m") or a share of the
    // draught ("10 %"), read whole and from 0 up to its limit in metres.
    std::optional<Clearance> clearance(const QString &text, std::optional<double> draught)
    {
        const QString label = u"Under-keel clearance"_s;
        if (isBlank(text)) {
            refuse(Input::Clearance, u"%1: missing; %2"_s.arg(label, NoWindow));
            return std::nullopt;
        }
        const ClearanceReading read = readClearance(text);
        if (!read.clearance) {
            reasons << read.reasons;
            m_out.inputs.at(static_cast<int>(Input::Clearance)) = {InputValue::Refused, 0.0};
            return std::nullopt;
        }
        // A share of the draught is in metres only once the draught is read.
        const bool share = read.clearance->unit == Clearance::Unit::PercentOfDraught;
        if (share && !draught)
            return read.clearance;
        const double metres = read.clearance->metres(draught.value_or(0.0));
        if (!(metres <= ClearanceLimit)) {
            refuse(Input::Clearance,
                   u"%1: outside 0 to %2 m; %3"_s.arg(label, limitText(ClearanceLimit), NoWindow));
            return std::nullopt;
        }
        use(Input::Clearance, metres);
        return read.clearance;
    }

    QStringList reasons;

private:
    static std::optional<double> part(const QString &text, const QString &name, QString &why)
    {
        if (isBlank(text)) {
            why = u"the %1 are missing"_s.arg(name);
            return std::nullopt;
        }
        try {
            return strictToDouble(text);
        } catch (const RuntimeError &error) {
            why = u"the %1 are %2"_s.arg(name, trouble(error));
            return std::nullopt;
        }
    }

    std::optional<double> refuse(Input input, const QString &reason)
    {
        m_out.inputs.at(static_cast<int>(input)) = {InputValue::Refused, 0.0};
        reasons << reason;
        return std::nullopt;
    }

    std::optional<double> use(Input input, double value)
    {
        m_out.inputs.at(static_cast<int>(input)) = {InputValue::Read, value};
        return value;
    }

    TideReading &m_out;
};

// A time read strictly and silently, for the interval's high water, which
// the curve does not use; none unless both fields read and lie in bounds.
std::optional<double> quietClock(const QString &hours, const QString &minutes)
{
    try {
        const double total = strictToDouble(hours) * 60.0 + strictToDouble(minutes);
        if (isWorksheetTime(total))
            return total;
    } catch (const RuntimeError &) {
    }
    return std::nullopt;
}

// Which day a time on the span falls on: 0 for the first, 1 for the next.
double dayOf(double minutes)
{
    return std::floor(minutes / MinutesPerDay);
}

TideReading read(const Worksheet &fields, const CurveEntries &entries)
{
    TideReading out;
    Reader reader(out);
    QStringList notes; // next day, rough duration, interval, charted sounding
    QList<ResultLine> results;

    const std::optional<double> highHeight =
        reader.metres(Input::HighWaterHeight, u"Tide Table's High Water"_s,
                      fields.text(HighWaterHeight), -HeightLimit, HeightLimit, NoCurve);
    const std::optional<double> lowHeight =
        reader.metres(Input::LowWaterHeight, u"Tide Table's Low Water"_s,
                      fields.text(LowWaterHeight), -HeightLimit, HeightLimit, NoCurve);
    const std::optional<double> highTime =
        reader.clock(Input::HighWaterTime, u"Time of High Water"_s, fields.text(HighWaterHours),
                     fields.text(HighWaterMinutes), NoCurve);
    const std::optional<double> lowTime =
        reader.clock(Input::LowWaterTime, u"Time of Low Water"_s, fields.text(LowWaterHours),
                     fields.text(LowWaterMinutes), NoCurve);

    if (highHeight && lowHeight && highTime && lowTime) {
        SpanOrRefusal made = spanBetween({*highTime, *highHeight}, {*lowTime, *lowHeight});
        out.span = made.span;
        if (!made.span)
            reader.reasons << made.refusal;
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
            quietClock(fields.text(IntervalHighWaterHours), fields.text(IntervalHighWaterMinutes));
        if (intervalHigh && std::fmod(*intervalHigh - *highTime, MinutesPerDay) != 0.0)
            notes << u"The curve uses the duration's high water %1, not the interval's %2"_s.arg(
                clockText(*highTime), clockText(*intervalHigh));
    }

    // The required time is optional: both fields blank ask for nothing.
    const QString requiredHours = fields.text(RequiredHours);
    const QString requiredMinutes = fields.text(RequiredMinutes);
    if (!isBlank(requiredHours) || !isBlank(requiredMinutes)) {
        const std::optional<double> clock = reader.clock(Input::RequiredTime, u"Required Time"_s,
                                                         requiredHours, requiredMinutes, NoHeight);
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
                reader.reasons << u"Required Time %1 lies outside the span from %2 to %3: no "
                                  u"height is given outside the two tides"_s.arg(
                                      clockText(*clock), clockText(out.span->start()),
                                      clockText(out.span->end()));
            }
        }
    }

    // The needed height of tide, asked for by giving a draught or a clearance.
    const SquatReading squat = readSquat(entries.passage);
    reader.reasons << squat.reasons;
    if (squat.metres) {
        out.squat = squat.metres;
        results << ResultLine{Kind::Result, squat.line};
    }
    if (!isBlank(entries.draught) || !isBlank(entries.clearance)) {
        const std::optional<double> draught = reader.metres(
            Input::Draught, u"Draught"_s, entries.draught, 0.0, DraughtLimit, NoWindow);
        const std::optional<Clearance> clearance = reader.clearance(entries.clearance, draught);
        const QString soundingText = fields.text(ChartedSounding);
        if (isBlank(soundingText)) {
            notes << u"The tidal window needs the Charted Sounding on the worksheet"_s;
        } else if (const std::optional<double> sounding =
                       reader.metres(Input::ChartedSounding, u"Charted Sounding"_s, soundingText,
                                     -HeightLimit, DeepestSounding, NoWindow);
                   draught && clearance && sounding && squat.reasons.isEmpty()) {
            // Within the limits the sum is finite and small.
            const NeededHeight needed = neededHeight(*draught, squat.metres, *clearance, *sounding);
            reader.reasons << needed.reasons;
            out.neededHeight = needed.metres;
            if (needed.metres)
                results << ResultLine{Kind::Result, needed.line};
        }
    }
    if (out.span && out.neededHeight) {
        out.window = out.span->windowFor(*out.neededHeight);
        results << ResultLine{Kind::Result, windowText(*out.window, u"water")};
    }

    // The overhead clearance, asked for by giving any of its values.
    const OverheadReading overhead = readOverhead(entries.passage);
    reader.reasons << overhead.reasons;
    if (overhead.limit) {
        out.overheadLimit = overhead.limit;
        results << ResultLine{Kind::Result, overhead.line};
        if (out.span) {
            out.overheadWindow = overheadWindowFor(*out.span, *overhead.limit);
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

    if (out.span) {
        const TideSpan &s = *out.span;
        out.lines << ResultLine{
            Kind::Summary,
            u"High water %1, %2 m · Low water %3, %4 m · Duration %5 · Range "
            u"%6 m"_s.arg(clockText(s.highWater().time), heightText(s.highWater().height),
                          clockText(s.lowWater().time), heightText(s.lowWater().height),
                          durationText(s.duration()), heightText(s.range()))};
    }
    for (const QString &note : std::as_const(notes))
        out.lines << ResultLine{Kind::Note, note};
    for (const QString &reason : std::as_const(reader.reasons))
        out.lines << ResultLine{Kind::Reason, reason};
    out.lines << results;
    out.lines << ResultLine{Kind::Disclaimer, Disclaimer};
    return out;
}

} // namespace

TideReading readTide(const Worksheet &worksheet, const QString &draught, const QString &clearance)
{
    return readTide(worksheet, CurveEntries{draught, clearance, {}});
}

TideReading readTide(const Worksheet &worksheet, const CurveEntries &entries)
{
    try {
        return read(worksheet, entries);
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
