#pragma once

#include "core/runtime/LineText.h"
#include "core/tide/ClockZones.h"
#include "core/tide/DayCurve.h"
#include "core/tide/DayTides.h"

#include <QList>
#include <QString>
#include <QTimeZone>

#include <optional>

// The tide curve's reading of the tides of the day: when "Tides of the day"
// is filled the curve is drawn from them instead of the worksheet's high and
// low water, over the whole span, with every window of the day on the
// ship's clock. The tide curve's reading (TideReading.h) works out the
// levels as before, the height needed and the overhead limit, and hands
// them here; nothing here reads the worksheet.

namespace ondal::tide {

// The texts of the day's entries, as typed.
struct DayEntries
{
    QString tides = {};      // "0208 4.1  0822 0.9  1431 4.3  2047 0.7"
    QString date = {};       // of the first tide, where a tables' zone is given
    QString tablesZone = {}; // blank: the tables' times are the ship's clock's
    QString clockZone = {};  // blank: the computer's own zone

    friend bool operator==(const DayEntries &, const DayEntries &) = default;
};

// Whether the curve follows the tides of the day rather than the worksheet.
inline bool followsDayTides(const DayEntries &entries)
{
    return isDayTidesGiven(entries.tides);
}

// What the rest of the curve's reading has worked out, each where it was.
struct DayLevels
{
    std::optional<double> neededHeight;  // metres above chart datum
    std::optional<double> overheadLimit; // metres above chart datum
    // The required time (Text12 and Text13) as read, minutes on the ship's
    // clock; hours past 24 are the next day's.
    std::optional<double> requiredTime;
};

// The heights at the required time, placed within the tides.
struct DayRequired
{
    double time = 0.0;   // on the day's axis
    double height = 0.0; // by the cosine curve, metres
    double factor = 0.0; // on its rise or fall, 0 to 1
    int halfTide = 0;    // which rise or fall, 0 for the first
};

struct DayReading
{
    std::optional<DayCurve> curve; // none where the tides are refused
    DayClock clock;                // what the ship's clock shows along the axis
    std::optional<DayRequired> required;
    // Each where its level was given and the curve drawn; empty where no
    // time has enough.
    std::optional<QList<DayStretch>> water;
    std::optional<QList<DayStretch>> overhead;
    std::optional<QList<DayStretch>> passage; // where both hold
    // In the order shown: the summary of the tides, the notes, the reasons,
    // then the results (the heights at the required time, then every window
    // of the water, the overhead and the passage in time order). No
    // disclaimer: the curve's reading adds its own after its own lines.
    QList<ResultLine> lines;
};

// Reads the day's entries and works out the curve, the windows and the
// lines. With no tides given there is nothing: no curve and no lines, and
// the curve follows the worksheet as it always has. Never throws.
DayReading readDay(const DayEntries &entries, const DayLevels &levels,
                   const QTimeZone &computerZone);

// A window over the day as a line, `lead` being "Enough water", "Enough
// overhead clearance" or "Passage possible": "Enough water from 11:55 until
// 17:05", "Enough water until 04:37 (from the first tide given, 02:08)",
// "… throughout the tides given".
QString dayStretchText(const DayStretch &stretch, const DayClock &clock, const QString &lead);

} // namespace ondal::tide
