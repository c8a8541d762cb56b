#include "core/tide/TideReading.h"

#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"
#include "core/worksheet/FieldStore.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

using Kind = TideLine::Kind;

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

// Whether the number-entry rule reads the whole text, rather than the number
// it starts with: "2,5" in a full-stop locale reads as 2, which the user is
// told, since a draught read short is a clearance overestimated.
bool readsWhole(const QString &text)
{
    QString bare = text;
    bare.remove(u' ').remove(u'\t').remove(u'\n');
    const QString point = QLocale().decimalPoint();
    const QChar userPoint = point.size() == 1 ? point.front() : QChar(u'.');

    qsizetype i = 0;
    const auto at = [&bare, &i](auto accept) { return i < bare.size() && accept(bare.at(i)); };
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const auto digits = [&] {
        const qsizetype from = i;
        while (at(isDigit))
            ++i;
        return i - from;
    };
    const auto isSign = [](QChar c) { return c == u'+' || c == u'-'; };

    if (at(isSign))
        ++i;
    qsizetype mantissa = digits();
    if (at([userPoint](QChar c) { return c == u'.' || c == userPoint; })) {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (at([](QChar c) { return QStringView(u"EeDd").contains(c); })) {
        ++i;
        if (at(isSign))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == bare.size();
}

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

// Reads the fields and keeps, in order, the notes on values read in part and
// the reasons for values that could not be read at all.
class Reader
{
public:
    // A height or depth by the number-entry rule; blank is missing.
    std::optional<double> metres(const QString &label, const QString &text)
    {
        if (isBlank(text)) {
            reasons << label + u": missing"_s;
            return std::nullopt;
        }
        try {
            const double value = numberEntry(text);
            if (!readsWhole(text))
                notes << u"%1: “%2” read as %3 m"_s.arg(label, text.trimmed(), heightText(value));
            return value;
        } catch (const RuntimeError &error) {
            reasons << u"%1: the number is %2"_s.arg(label, trouble(error));
            return std::nullopt;
        }
    }

    // A time as hours × 60 + minutes, each converted strictly, the hours
    // first; blank hours or minutes are missing.
    std::optional<double> clock(const QString &label, const QString &hours, const QString &minutes)
    {
        if (isBlank(hours) && isBlank(minutes)) {
            reasons << label + u": missing"_s;
            return std::nullopt;
        }
        const auto part = [&](const QString &text, const QString &name) -> std::optional<double> {
            if (isBlank(text)) {
                reasons << u"%1: the %2 are missing"_s.arg(label, name);
                return std::nullopt;
            }
            try {
                return strictToDouble(text);
            } catch (const RuntimeError &error) {
                reasons << u"%1: the %2 are %3"_s.arg(label, name, trouble(error));
                return std::nullopt;
            }
        };
        const std::optional<double> h = part(hours, u"hours"_s);
        if (!h)
            return std::nullopt;
        const std::optional<double> m = part(minutes, u"minutes"_s);
        if (!m)
            return std::nullopt;
        const double total = *h * 60.0 + *m;
        if (!std::isfinite(total)) {
            reasons << label + u": the time is too large"_s;
            return std::nullopt;
        }
        return total;
    }

    QStringList notes;
    QStringList reasons;
};

QString durationText(double minutes)
{
    const double whole = std::round(minutes);
    const double hours = std::floor(whole / 60.0);
    return u"%1 h %2 min"_s.arg(QString::number(hours, 'f', 0),
                                QString::number(whole - hours * 60.0, 'f', 0));
}

QString windowText(const TideWindow &window)
{
    switch (window.kind) {
    case TideWindow::Kind::From:
        return u"Enough water from "_s + clockText(window.minute);
    case TideWindow::Kind::Until:
        return u"Enough water until "_s + clockText(window.minute);
    case TideWindow::Kind::Throughout:
        return u"Enough water throughout"_s;
    case TideWindow::Kind::Never:
        break;
    }
    return u"Not enough water between these tides"_s;
}

TideReading read(const FieldStore &fields, const QString &draughtText, const QString &clearanceText)
{
    TideReading out;
    Reader reader;
    QStringList notes; // next day, rough duration, interval, charted sounding

    const std::optional<double> highHeight =
        reader.metres(u"Tide Table's High Water"_s, fields.text(HighWaterHeight));
    const std::optional<double> lowHeight =
        reader.metres(u"Tide Table's Low Water"_s, fields.text(LowWaterHeight));
    const std::optional<double> highTime = reader.clock(
        u"Time of High Water"_s, fields.text(HighWaterHours), fields.text(HighWaterMinutes));
    const std::optional<double> lowTime = reader.clock(
        u"Time of Low Water"_s, fields.text(LowWaterHours), fields.text(LowWaterMinutes));

    if (highHeight && lowHeight && highTime && lowTime) {
        SpanOrRefusal made = spanBetween({*highTime, *highHeight}, {*lowTime, *lowHeight});
        out.span = made.span;
        if (!made.span)
            reader.reasons << made.refusal;
    }
    if (out.span) {
        if (out.span->nextDay() == NextDay::LowWater)
            notes << u"Low water taken on the next day"_s;
        else if (out.span->nextDay() == NextDay::HighWater)
            notes << u"High water taken on the next day"_s;
        const double d = out.span->duration();
        if (d < ShortestUsualDuration || d > LongestUsualDuration)
            notes << RoughDuration;
    }

    // The interval's high water, where given, should be the duration's.
    const QString intervalHours = fields.text(IntervalHighWaterHours);
    const QString intervalMinutes = fields.text(IntervalHighWaterMinutes);
    if (!isBlank(intervalHours) || !isBlank(intervalMinutes)) {
        const std::optional<double> intervalHigh =
            reader.clock(u"Time of High Water (Interval)"_s, intervalHours, intervalMinutes);
        if (intervalHigh && highTime && std::fmod(*intervalHigh - *highTime, MinutesPerDay) != 0.0)
            notes << u"The curve uses the duration's high water %1, not the interval's %2"_s.arg(
                clockText(*highTime), clockText(*intervalHigh));
    }

    // The required time is optional: both fields blank ask for nothing.
    const QString requiredHours = fields.text(RequiredHours);
    const QString requiredMinutes = fields.text(RequiredMinutes);
    if (!isBlank(requiredHours) || !isBlank(requiredMinutes)) {
        const std::optional<double> clock =
            reader.clock(u"Required Time"_s, requiredHours, requiredMinutes);
        if (clock && out.span) {
            const double t = out.span->placed(*clock);
            if (out.span->contains(t)) {
                out.required = RequiredTide{t, out.span->cosineHeight(t), out.span->factor(t),
                                            out.span->straightHeight(t)};
            } else {
                reader.reasons << u"Required Time %1 lies outside the span from %2 to %3: no "
                                  u"height is given outside the two tides"_s.arg(
                                      clockText(*clock), clockText(out.span->start()),
                                      clockText(out.span->end()));
            }
        }
    }

    // The needed height of tide, only where draught and clearance are given.
    QString neededLine;
    if (!isBlank(draughtText) && !isBlank(clearanceText)) {
        const std::optional<double> draught = reader.metres(u"Draught"_s, draughtText);
        const std::optional<double> clearance =
            reader.metres(u"Under-keel clearance"_s, clearanceText);
        const QString soundingText = fields.text(ChartedSounding);
        if (isBlank(soundingText)) {
            notes << u"The tidal window needs the Charted Sounding on the worksheet"_s;
        } else if (const std::optional<double> sounding =
                       reader.metres(u"Charted Sounding"_s, soundingText);
                   draught && clearance && sounding) {
            const double needed = *draught + *clearance - *sounding;
            if (std::isfinite(needed)) {
                out.neededHeight = needed;
                const QString soundingTerm =
                    *sounding < 0.0 ? u"+ drying height %1 m"_s.arg(heightText(-*sounding))
                                    : u"− charted sounding %1 m"_s.arg(heightText(*sounding));
                neededLine = u"Needed: %1 m of tide (draught %2 m + clearance %3 m %4)"_s.arg(
                    heightText(needed), heightText(*draught), heightText(*clearance), soundingTerm);
            } else {
                reader.reasons << u"Needed height of tide: the numbers are too large"_s;
            }
        }
    }
    if (out.span && out.neededHeight)
        out.window = out.span->windowFor(*out.neededHeight);

    if (out.span) {
        const TideSpan &s = *out.span;
        out.lines << TideLine{
            Kind::Summary,
            u"High water %1, %2 m · Low water %3, %4 m · Duration %5 · Range "
            u"%6 m"_s.arg(clockText(s.highWater().time), heightText(s.highWater().height),
                          clockText(s.lowWater().time), heightText(s.lowWater().height),
                          durationText(s.duration()), heightText(s.range()))};
    }
    if (out.required) {
        const RequiredTide &r = *out.required;
        out.lines << TideLine{Kind::Result,
                              u"At %1: %2 m by the cosine curve (factor %3), %4 m by the "
                              u"straight line"_s.arg(clockText(r.time), heightText(r.cosineHeight),
                                                     heightText(r.factor),
                                                     heightText(r.straightHeight))};
    }
    if (!neededLine.isEmpty())
        out.lines << TideLine{Kind::Result, neededLine};
    if (out.window)
        out.lines << TideLine{Kind::Result, windowText(*out.window)};
    for (const QString &note : std::as_const(notes) + reader.notes)
        out.lines << TideLine{Kind::Note, note};
    for (const QString &reason : std::as_const(reader.reasons))
        out.lines << TideLine{Kind::Reason, reason};
    out.lines << TideLine{Kind::Disclaimer, Disclaimer};
    return out;
}

} // namespace

TideReading readTide(const FieldStore *worksheet, const QString &draught, const QString &clearance)
{
    try {
        if (worksheet)
            return read(*worksheet, draught, clearance);
    } catch (...) {
        // Nothing above should throw; should it all the same, the window
        // still gets an answer rather than an error.
        TideReading failed;
        failed.lines << TideLine{Kind::Reason, u"The tide could not be worked out"_s};
        failed.lines << TideLine{Kind::Disclaimer, Disclaimer};
        return failed;
    }
    TideReading none;
    none.lines << TideLine{Kind::Disclaimer, Disclaimer};
    return none;
}

QString clockText(double minutes)
{
    if (!std::isfinite(minutes))
        return u"--:--"_s;
    double ofDay = std::fmod(std::floor(minutes + 0.5), MinutesPerDay);
    if (ofDay < 0.0)
        ofDay += MinutesPerDay;
    const int whole = static_cast<int>(ofDay); // 0 to 1439
    return u"%1:%2"_s.arg(whole / 60, 2, 10, QChar(u'0')).arg(whole % 60, 2, 10, QChar(u'0'));
}

QString heightText(double metres)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    // Anything that rounds to zero is written as zero, without a sign.
    if (std::abs(metres) < 0.005)
        metres = 0.0;
    return locale.toString(metres, 'f', 2);
}

} // namespace ondal::tide
