#include "core/ports/SecondaryPort.h"

#include "core/runtime/TableTime.h"
#include "core/runtime/ValueReader.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace ondal::ports {
namespace {

using Kind = ResultLine::Kind;

// The tables' times stand each for itself and for 12 hours later.
constexpr int HalfDay = 720;
constexpr int Day = 1440;

int modulo(int value, int divisor)
{
    return ((value % divisor) + divisor) % divisor;
}

QString signedMinutes(int minutes)
{
    return (minutes >= 0 ? u"+"_s : u"-"_s) + QString::number(std::abs(minutes));
}

// The forms the tables print, as a refusal names them.
const QString TimeForm = u"a time such as 0638 or 6:38"_s;
const QString DifferenceForm = u"a time difference such as +0035 or -1:10"_s;

// Reads the values one tide needs, collecting a reason for each that is
// missing or not read whole.
struct Reader
{
    Reasons reasons;

    std::optional<int> time(const QString &label, const QString &text, bool isDifference)
    {
        const TableTime read = isDifference ? readTimeDifference(text) : readClockTime(text);
        if (read.status == TableTime::Read)
            return read.minutes;
        reasons.refuse(label, notInForm(text, isDifference ? DifferenceForm : TimeForm));
        return std::nullopt;
    }

    // Heights, their differences and seasonal changes alike lie within the
    // tide's own limits.
    std::optional<double> metres(const QString &label, const QString &text,
                                 bool blankIsZero = false)
    {
        // Blanks alone, fewer than a field holds (more were a paste cut short).
        if (blankIsZero && text.size() < ValueFieldLength && text.trimmed().isEmpty())
            return 0.0;
        return reasons.read(label, text, {-tide::HeightLimit, tide::HeightLimit, u"m"_s});
    }
};

QString label(QString PortTable::*member)
{
    for (const PortValue &value : PortValues) {
        if (value.member == member)
            return QString::fromUtf16(value.accessibleName);
    }
    return QString();
}

// What differs between high and low water: the fields, the heights of the
// table's line (lower first) and the words.
struct TideKind
{
    QString PortTable::*time1, PortTable::*diff1, PortTable::*time2, PortTable::*diff2;
    QString PortTable::*lower, PortTable::*upper, PortTable::*lowerDiff, PortTable::*upperDiff;
    QString name;      // "High water"
    QString lowerName; // "MHWN"
    QString upperName; // "MHWS"
    QString timeLabel; // of the standard port's prediction
    QString heightLabel;
};

const TideKind &highWater()
{
    static const TideKind kind{&PortTable::hwTime1,
                               &PortTable::hwDiff1,
                               &PortTable::hwTime2,
                               &PortTable::hwDiff2,
                               &PortTable::mhwn,
                               &PortTable::mhws,
                               &PortTable::mhwnDiff,
                               &PortTable::mhwsDiff,
                               u"High water"_s,
                               u"MHWN"_s,
                               u"MHWS"_s,
                               u"Standard port high water time"_s,
                               u"Standard port high water height"_s};
    return kind;
}

const TideKind &lowWater()
{
    static const TideKind kind{&PortTable::lwTime1,
                               &PortTable::lwDiff1,
                               &PortTable::lwTime2,
                               &PortTable::lwDiff2,
                               &PortTable::mlws,
                               &PortTable::mlwn,
                               &PortTable::mlwsDiff,
                               &PortTable::mlwnDiff,
                               u"Low water"_s,
                               u"MLWS"_s,
                               u"MLWN"_s,
                               u"Standard port low water time"_s,
                               u"Standard port low water height"_s};
    return kind;
}

struct Seasonal
{
    double standard = 0.0;
    double secondary = 0.0;
};

// A tide of a day's list rather than of the window's own two fields: its
// height already read whole with the list, and the day it falls on said by
// the list's own line.
struct Listed
{
    double height = 0.0;
};

// One tide, or nothing with the reasons and notes said. nextDay is 1440
// where the standard tide is the next day's, paired with the other.
std::optional<SecondaryTide>
workTide(const TideKind &kind, const PortTable &table, const QString &timeText, int nextDay,
         const QString &heightTyped, const std::optional<Seasonal> &seasonal, QStringList &notes,
         Reasons &reasons, const std::optional<Listed> &listed = std::nullopt)
{
    Reader read;
    const auto tableTime = [&](QString PortTable::*member, bool isDifference) {
        return read.time(label(member), table.*member, isDifference);
    };
    const auto tableHeight = [&](QString PortTable::*member) {
        return read.metres(label(member), table.*member);
    };
    const std::optional<int> time1 = tableTime(kind.time1, false);
    const std::optional<int> diff1 = tableTime(kind.diff1, true);
    const std::optional<int> time2 = tableTime(kind.time2, false);
    const std::optional<int> diff2 = tableTime(kind.diff2, true);
    const std::optional<double> upper = tableHeight(kind.upper);
    const std::optional<double> lower = tableHeight(kind.lower);
    const std::optional<double> lowerDiff = tableHeight(kind.lowerDiff);
    const std::optional<double> upperDiff = tableHeight(kind.upperDiff);
    const std::optional<int> standardTime = read.time(kind.timeLabel, timeText, false);
    const std::optional<double> standardHeight =
        listed ? listed->height : read.metres(kind.heightLabel, heightTyped);

    if (time1 && time2 && modulo(*time1, HalfDay) == modulo(*time2, HalfDay)) {
        read.reasons.add(
            u"%1: the two table times, %2 and %3, are the same on the 12-hour table"_s.arg(
                kind.name, clockText(*time1), clockText(*time2)));
    }
    if (upper && lower && !(*upper > *lower)) {
        read.reasons.add(u"%1 at the standard port (%2 m) is not above %3 (%4 m)"_s.arg(
            kind.upperName, heightText(*upper), kind.lowerName, heightText(*lower)));
    }
    reasons << read.reasons;
    if (!read.reasons.isEmpty() || !seasonal)
        return std::nullopt;

    SecondaryTide out;
    out.standardTime = *standardTime + nextDay;
    out.standardHeight = *standardHeight;

    // The time difference along the arc of the 12-hour circle on which the
    // standard time lies, from the difference at the arc's start to that at
    // its end; in whole numbers, so that halves round exactly.
    const int p1 = modulo(*time1, HalfDay);
    const int p2 = modulo(*time2, HalfDay);
    const int position = modulo(*standardTime, HalfDay);
    const int arc12 = modulo(p2 - p1, HalfDay);
    int offset = modulo(position - p1, HalfDay);
    int length = arc12;
    out.diffAtStart = *diff1;
    out.diffAtEnd = *diff2;
    if (offset >= arc12) {
        offset = modulo(position - p2, HalfDay);
        length = HalfDay - arc12;
        out.diffAtStart = *diff2;
        out.diffAtEnd = *diff1;
    }
    const int numerator = out.diffAtStart * length + (out.diffAtEnd - out.diffAtStart) * offset;
    out.exactTimeDifference = double(numerator) / length;
    const int rounded = (2 * std::abs(numerator) + length) / (2 * length);
    out.timeDifference = numerator < 0 ? -rounded : rounded;
    out.arcStart = out.standardTime - offset;
    out.arcEnd = out.arcStart + length;
    out.time = out.standardTime + out.timeDifference;
    out.dayOffset = int(std::floor(double(out.time) / Day));
    // A tide of a day's list has its day said by the list's own line.
    if (!listed && (out.dayOffset == 1 || out.dayOffset == -1)) {
        notes << u"%1 falls on the %2 day"_s.arg(kind.name,
                                                 out.dayOffset > 0 ? u"next"_s : u"previous"_s);
    } else if (!listed && out.dayOffset != 0) {
        notes << u"%1 falls %2 days %3"_s.arg(kind.name, QString::number(std::abs(out.dayOffset)),
                                              out.dayOffset > 0 ? u"later"_s : u"earlier"_s);
    }

    // The height difference on the line through the table's two heights,
    // the standard port's seasonal change taken off first.
    const double height = *standardHeight - seasonal->standard;
    out.heightDifference =
        *lowerDiff + (*upperDiff - *lowerDiff) * (height - *lower) / (*upper - *lower);
    out.height = height + out.heightDifference + seasonal->secondary;
    // A line through two heights close together, extended far, can give a
    // height no tide has: refused like one typed.
    if (!(out.height >= -tide::HeightLimit && out.height <= tide::HeightLimit)) {
        reasons.add(u"%1: the worked height lies outside %2 to %3 m"_s.arg(
            kind.name, limitText(-tide::HeightLimit), limitText(tide::HeightLimit)));
        return std::nullopt;
    }
    // Equal differences at both heights are one fixed difference: nothing is
    // interpolated, so nothing is extrapolated either.
    const bool interpolated = *upperDiff != *lowerDiff;
    if (interpolated && height > *upper) {
        notes << u"%1 above %2: the difference is extrapolated"_s.arg(kind.name, kind.upperName);
    } else if (interpolated && height < *lower) {
        notes << u"%1 below %2: the difference is extrapolated"_s.arg(kind.name, kind.lowerName);
    }
    return out;
}

} // namespace

QString minutesText(int minutes)
{
    return signedMinutes(minutes) + u" min"_s;
}

QString signedHeightText(double metres)
{
    const QString text = heightText(metres);
    const QLocale locale;
    const bool negative = text.startsWith(locale.negativeSign());
    return negative ? text : locale.positiveSign() + text;
}

namespace {

// Blank seasonal changes are none; one typed must be read whole.
std::optional<Seasonal> readSeasonal(const PortTable &table, QStringList &notes, Reasons &reasons)
{
    Reader read;
    const std::optional<double> atStandard =
        read.metres(label(&PortTable::seasonalStandard), table.seasonalStandard, true);
    const std::optional<double> atSecondary =
        read.metres(label(&PortTable::seasonalSecondary), table.seasonalSecondary, true);
    reasons << read.reasons;
    if (!atStandard || !atSecondary)
        return std::nullopt;
    if (*atStandard != 0.0 || *atSecondary != 0.0) {
        notes << u"Seasonal changes: %1 m at the standard port taken off, %2 m at the "
                 u"secondary port added"_s.arg(signedHeightText(*atStandard),
                                               signedHeightText(*atSecondary));
    }
    return Seasonal{*atStandard, *atSecondary};
}

QString portName(const PortTable &table)
{
    return table.name.trimmed().isEmpty() ? u"the secondary port"_s : table.name.trimmed();
}

// A minute of the day as the tables print it: "0239".
QString tableTimeText(int minutes)
{
    const int ofDay = modulo(minutes, Day);
    return QString::number(ofDay / 60).rightJustified(2, u'0') +
           QString::number(ofDay % 60).rightJustified(2, u'0');
}

} // namespace

SecondaryWorking workSecondaryPort(const PortTable &table, const StandardTides &standard)
{
    SecondaryWorking out;
    const QString port = portName(table);
    const bool highGiven =
        !standard.hwTime.trimmed().isEmpty() || !standard.hwHeight.trimmed().isEmpty();
    const bool lowGiven =
        !standard.lwTime.trimmed().isEmpty() || !standard.lwHeight.trimmed().isEmpty();
    QStringList notes;
    Reasons reasons;
    if (!highGiven && !lowGiven) {
        out.lines << ResultLine{Kind::Note,
                                u"Type the standard port's high and low water for the day"_s};
        return out;
    }

    const std::optional<Seasonal> seasonal = readSeasonal(table, notes, reasons);

    // High and low water are one rise or fall: where the standard port's
    // times lie more than 12 hours apart on the clock, the earlier is the
    // next day's, as the tide curve takes them.
    int hwNextDay = 0;
    int lwNextDay = 0;
    const TableTime hwTime = readClockTime(standard.hwTime);
    const TableTime lwTime = readClockTime(standard.lwTime);
    if (hwTime.status == TableTime::Read && lwTime.status == TableTime::Read &&
        std::abs(hwTime.minutes - lwTime.minutes) > HalfDay)
        (hwTime.minutes < lwTime.minutes ? hwNextDay : lwNextDay) = Day;

    const auto work = [&](const TideKind &kind, const QString &time, int nextDay,
                          const QString &height, std::optional<SecondaryTide> &result) {
        result = workTide(kind, table, time, nextDay, height, seasonal, notes, reasons);
        if (!result) {
            out.lines << ResultLine{Kind::Result,
                                    u"%1 at %2: not worked out"_s.arg(kind.name, port)};
            return;
        }
        const SecondaryTide &tide = *result;
        out.lines << ResultLine{Kind::Result,
                                u"%1 at %2: %3, %4 m"_s.arg(kind.name, port, clockText(tide.time),
                                                            heightText(tide.height))};
        out.lines << ResultLine{
            Kind::Summary,
            u"Standard port %1, %2 m · time difference %3 (between %4 at %5 and %6 at %7) · "
            u"height difference %8 m"_s.arg(
                clockText(tide.standardTime), heightText(tide.standardHeight),
                minutesText(tide.timeDifference), signedMinutes(tide.diffAtStart),
                clockText(tide.arcStart), signedMinutes(tide.diffAtEnd), clockText(tide.arcEnd),
                signedHeightText(tide.heightDifference))};
    };
    if (highGiven)
        work(highWater(), standard.hwTime, hwNextDay, standard.hwHeight, out.high);
    if (lowGiven)
        work(lowWater(), standard.lwTime, lwNextDay, standard.lwHeight, out.low);
    if (out.high && out.low) {
        out.lines << ResultLine{Kind::Result,
                                u"Range at %1 %2 m · duration %3"_s.arg(
                                    port, heightText(out.high->height - out.low->height),
                                    durationText(std::abs(out.high->time - out.low->time)))};
    }

    for (const QString &note : std::as_const(notes))
        out.lines << ResultLine{Kind::Note, note};
    for (const QString &reason : std::as_const(reasons.lines))
        out.lines << ResultLine{Kind::Reason, reason};
    out.refused = reasons.refused;
    return out;
}

SecondaryDayWorking workSecondaryDay(const PortTable &table, const QString &standardDayTides)
{
    SecondaryDayWorking out;
    if (!tide::isDayTidesGiven(standardDayTides))
        return out;
    const QString port = portName(table);
    const QString notWorked = u"Tides of the day at %1: not worked out"_s.arg(port);
    const tide::DayTidesRead read = tide::readDayTides(standardDayTides);
    if (!read) {
        out.lines << ResultLine{Kind::Result, notWorked};
        out.lines << ResultLine{
            Kind::Reason,
            tide::dayTidesRefusalText(*read.refusal, {}, u"Standard port's tides of the day"_s)};
        return out;
    }

    QStringList notes;
    Reasons reasons;
    const std::optional<Seasonal> seasonal = readSeasonal(table, notes, reasons);
    QList<SecondaryDayTide> tides;
    for (const tide::DayTide &standard : read.tides) {
        const int minutes = static_cast<int>(standard.time);
        const std::optional<SecondaryTide> worked = workTide(
            standard.isHighWater() ? highWater() : lowWater(), table, tableTimeText(minutes), 0,
            QString(), seasonal, notes, reasons, Listed{standard.height});
        if (!worked)
            continue;
        tides << SecondaryDayTide{standard.kind, minutes / Day, *worked};
    }
    notes.removeDuplicates();
    reasons.lines.removeDuplicates();
    if (tides.size() == read.tides.size()) {
        std::stable_sort(tides.begin(), tides.end(),
                         [](const SecondaryDayTide &a, const SecondaryDayTide &b) {
                             return a.time() < b.time();
                         });
        out.tides = tides;
        QStringList shown;
        for (const SecondaryDayTide &tide : std::as_const(tides)) {
            const int day = static_cast<int>(std::floor(double(tide.time()) / Day));
            shown << u"%1%2 %3 m"_s.arg(clockText(tide.time()), dayText(day),
                                        heightText(tide.working.height));
        }
        out.lines << ResultLine{Kind::Result,
                                u"Tides of the day at %1: %2"_s.arg(port, shown.join(u" · "_s))};
        // The curve's date is the first standard tide's: where the first
        // tide here falls on another day, the list says so.
        const int firstDay = out.firstDay();
        if (firstDay < 0)
            notes.prepend(u"The first tide at %1 falls on the day before the first standard "
                          u"tide's; it stays first in the list"_s.arg(port));
        else if (firstDay > 0)
            notes.prepend(u"The first tide at %1 falls on the day after the first standard "
                          u"tide's"_s.arg(port));
    } else {
        out.lines << ResultLine{Kind::Result, notWorked};
    }
    for (const QString &note : std::as_const(notes))
        out.lines << ResultLine{Kind::Note, note};
    for (const QString &reason : std::as_const(reasons.lines))
        out.lines << ResultLine{Kind::Reason, reason};
    return out;
}

int SecondaryDayWorking::firstDay() const
{
    return tides.isEmpty() ? 0 : static_cast<int>(std::floor(double(tides.first().time()) / Day));
}

QString dayTidesText(const SecondaryDayWorking &working)
{
    QStringList tides;
    for (const SecondaryDayTide &tide : working.tides)
        tides << tableTimeText(tide.time()) + u' ' + heightText(tide.working.height);
    return tides.join(u"  "_s);
}

} // namespace ondal::ports
