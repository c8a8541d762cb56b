#pragma once

#include "core/runtime/ValueReader.h"
#include "core/tide/DayTides.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <optional>

// The tables' time zone and the ship's clock. Tide tables print their times
// in the port's standard time; the ship keeps another clock, often with the
// summer hour. The tides of the day are taken as instants in the tables'
// zone on their date and shown on the ship's clock, with daylight saving as
// the system's zone database has it.
//
// On the day's axis the curve runs on true elapsed time: minutes from the
// midnight before the first tide on the ship's clock, counted on without
// regard to any change of the clock, so every rise and fall keeps its true
// length. What the clock shows at a moment of the axis is DayClock's.

namespace ondal::tide {

// A zone read from its text: "UTC", "UT" or "GMT"; an offset from UTC
// ("UTC+01:00", "UTC+1", "UTC-03:30"); or a zone of the system's database
// ("Europe/London", "America/Halifax"; capitals and blanks for underscores
// forgiven). A bare offset ("+0100", "-1") is refused as ambiguous: the
// tables print the correction to apply to reach UT, of the opposite sign to
// the zone's offset, and so do the database's "Etc/GMT+1" names: "GMT+1" and
// "UT+1" are refused likewise.
struct ZoneRead
{
    std::optional<QTimeZone> zone;
    Refusal refusal;              // where there is no zone
    bool ambiguousOffset = false; // a bare offset; refusal.kind is NotInForm

    explicit operator bool() const { return zone.has_value(); }
};
ZoneRead readZone(const QString &text);

// Which field a zone was typed in, for the words of its refusal.
enum class ZoneField { Tables, Clock };

// "Tables' time zone: “+0100” is ambiguous: type the tables' zone as
// UTC+01:00 or UTC-01:00; no curve is drawn".
QString zoneRefusalText(ZoneField field, const ZoneRead &read, const QString &consequence = {});

// An offset as the lines write it: "UTC+01:00", "UTC-03:30", "UTC+00:00".
QString offsetText(int seconds);
// A zone as the lines name it: "UTC", "UTC+01:00", "Europe/London"; with
// its offset at the moment where that is not its name already:
// "Europe/London (UTC+01:00)".
QString zoneName(const QTimeZone &zone);
QString zoneName(const QTimeZone &zone, const QDateTime &at);

// The names a zone field offers as it completes what is typed: "UTC", then
// the database's zones by region ("Africa/Abidjan" …), sorted.
QStringList zoneChoices();

// The date of the first tide: ISO ("2026-06-14") or the user's short date
// format ("14.06.26" in German; a two-digit year is this century's), from
// 1970, since when the zone database is exact, to 2100.
struct DateRead
{
    std::optional<QDate> date;
    Refusal refusal; // where there is none

    explicit operator bool() const { return date.has_value(); }
};
DateRead readTablesDate(const QString &text);

// A change of the ship's clock within the day.
struct ClockChange
{
    double at = 0.0; // on the day's axis, minutes
    double by = 0.0; // minutes: forward above 0, back below
};

// What the ship's clock shows along the day's axis.
class DayClock
{
public:
    // The tables' times taken as the clock's: nothing moved, no change.
    DayClock() = default;
    explicit DayClock(QList<ClockChange> changes);

    // The clock's minutes from the first tide's midnight: 1468 is 00:28 on
    // the next day. At the moment of a change the clock shows the new time.
    double clockMinutes(double t) const;
    // "02:28", "02:28 next day", as every time of the day is shown.
    QString timeText(double t) const;
    // Where on the axis the clock shows the given minutes: none where the
    // clock skips them, two where it shows them twice, earlier first.
    QList<double> axisTimes(double clockMinutes) const;

    const QList<ClockChange> &changes() const { return m_changes; }

private:
    QList<ClockChange> m_changes; // in time order, each at most once
};

// The texts of the fields that place the tides on the ship's clock.
struct ClockEntries
{
    QString date = {};
    QString tablesZone = {};
    QString clockZone = {};
};

// The tides of the day on the ship's clock, or the reasons why not.
struct PlacedDay
{
    QList<DayTide> tides; // on the day's axis; empty where refused
    DayClock clock;
    QStringList notes;   // what was moved, when the clock changes
    QStringList reasons; // why the tides are not placed, each ending in the consequence
    std::optional<DayTidesRefusal> refusal; // where a tide itself is at fault

    bool isPlaced() const { return reasons.isEmpty(); }
};

// Places the tides read from the tables (on the tables' clock, the day rule
// applied) on the ship's clock. With no tables' zone nothing is moved and no
// date is needed. A blank ship's clock is the computer's own zone, which the
// caller hands in. Refuses a zone or a date not read, a tide at a time the
// tables' zone skips, and neighbours that in true time lie more than 12
// hours apart. Every reason ends in `consequence`.
PlacedDay placeOnClock(const QList<DayTide> &tables, const ClockEntries &entries,
                       const QTimeZone &computerZone, const QString &consequence);

} // namespace ondal::tide
