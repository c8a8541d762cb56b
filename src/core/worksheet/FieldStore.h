#pragma once

#include <QString>

namespace ondal {

// The worksheet's whole state: the texts of its 23 fields, Text1 to Text23,
// reached by field number. Writing replaces a field's text at once, so a step
// that an error abandons keeps what it had already written.
class FieldStore
{
public:
    static constexpr int FieldCount = 23;

    virtual ~FieldStore() = default;
    virtual QString text(int field) const = 0;
    virtual void setText(int field, const QString &text) = 0;
};

namespace worksheet {

// The fields by what they hold: Text<n> is field n.
enum Field : int {
    HighWaterHeight = 1,
    LowWaterHeight = 2,
    PredictedRange = 3,
    HighWaterHours = 4,
    HighWaterMinutes = 5,
    LowWaterHours = 6,
    LowWaterMinutes = 7,
    DurationHours = 8,
    DurationRemainder = 9,
    IntervalHighWaterHours = 10,
    IntervalHighWaterMinutes = 11,
    RequiredHours = 12,
    RequiredMinutes = 13,
    IntervalHours = 14,
    IntervalRemainder = 15,
    Factor = 16,
    HeightAboveLowWater = 17,
    DepthOfWater = 18,
    ChartedSounding = 19,
    HeightAboveChartDatum = 20,
    HeightOfTide = 21,
    DurationMinutes = 22,
    IntervalMinutes = 23,
};

} // namespace worksheet
} // namespace ondal
