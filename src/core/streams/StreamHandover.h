#pragma once

#include <QString>

#include <optional>

namespace ondal {
class Worksheet;
}

namespace ondal::streams {

// What "From Worksheet" copies into the tidal stream window: the
// worksheet's high water time (Text4, Text5) as the tables print a time,
// "0929", a time past 24:00 on the next day's clock; and the day's range,
// Text1 − Text2, in metres to 0.01 in the user's number format. Both are
// read whole, as the tide curve reads them; none unless all four are.
struct WorksheetDay
{
    QString highWater;
    QString rangeToday;

    friend bool operator==(const WorksheetDay &, const WorksheetDay &) = default;
};
std::optional<WorksheetDay> dayFromWorksheet(const Worksheet &worksheet);

} // namespace ondal::streams
