#include "core/worksheet/WorksheetSteps.h"

#include "core/runtime/ArithmeticCheck.h"
#include "core/runtime/MessageBoxService.h"
#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"
#include "core/worksheet/Worksheet.h"

#include <cmath>
#include <limits>

namespace ondal {
namespace {

using enum worksheet::Field;

// Duration and interval are one procedure over two sets of fields: time A is
// high water, time B low water (duration) or the required time (interval).
struct TimeDifferenceFields
{
    int hoursA;
    int minutesA;
    int hoursB;
    int minutesB;
    int totalMinutes;
    int hours;
    int remainder;
};

constexpr TimeDifferenceFields DurationFields{HighWaterHours,   HighWaterMinutes, LowWaterHours,
                                              LowWaterMinutes,  DurationMinutes,  DurationHours,
                                              DurationRemainder};
constexpr TimeDifferenceFields IntervalFields{IntervalHighWaterHours, IntervalHighWaterMinutes,
                                              RequiredHours,          RequiredMinutes,
                                              IntervalMinutes,        IntervalHours,
                                              IntervalRemainder};

const QString FactorMissing = QStringLiteral("Please enter the Factor");
const QString DepthFormula =
    QStringLiteral("Depth of Water = Charted Sounding + Height Above Chart Datum");
const QString HeightOfTideFormula = QStringLiteral(
    "Height of Tide = Low Water + (Predicted Range * (Duration - Interval)) / Duration");

// Rounds to the nearest whole number, halves to the even neighbour, whatever
// rounding mode the floating-point unit happens to be in.
double roundHalfToEven(double value)
{
    double whole = std::floor(value);
    const double fraction = value - whole; // exact for a finite double
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return whole;
}

// hours × 60 + minutes, each text converted strictly as it enters the sum:
// the hours first, then the minutes. Every operation is checked at once,
// since an overflow here already stops the step.
double minutesOfDay(const QString &hours, const QString &minutes)
{
    ArithmeticCheck fp;
    const double hoursInMinutes = fp.mul(strictToDouble(hours), 60.0);
    fp.check();
    const double total = fp.add(hoursInMinutes, strictToDouble(minutes));
    fp.check();
    return total;
}

void timeDifference(Worksheet &fields, const TimeDifferenceFields &f)
{
    if (fields.text(f.hoursA).isEmpty())
        return;
    const double timeA = minutesOfDay(fields.text(f.hoursA), fields.text(f.minutesA));

    if (fields.text(f.hoursB).isEmpty())
        return;
    const double timeB = minutesOfDay(fields.text(f.hoursB), fields.text(f.minutesB));

    // The absolute difference. Equal times give 0, and the total is written
    // then too, so the worksheet never shows an earlier duration beside a
    // zero one (and the final step never divides by a stale total).
    ArithmeticCheck fp;
    const double difference = timeA > timeB ? fp.sub(timeA, timeB) : fp.sub(timeB, timeA);
    fp.check();
    fields.setText(f.totalMinutes, valueText(difference));

    // Whole hours come from the difference itself, the remaining minutes
    // from the difference rounded to a whole minute: 119.5 minutes show as
    // 1 h and 0 min.
    const double hours = std::floor(fp.div(difference, 60.0));
    fp.check();

    const double rounded = roundHalfToEven(difference);
    if (rounded > static_cast<double>(std::numeric_limits<qint32>::max()) ||
        rounded < static_cast<double>(std::numeric_limits<qint32>::min()))
        throw RuntimeError(RuntimeError::Overflow);
    const qint32 remainder = static_cast<qint32>(rounded) % 60;

    fields.setText(f.hours, valueText(hours));
    fields.setText(f.remainder, valueText(remainder));
}

} // namespace

WorksheetSteps::WorksheetSteps(Worksheet &fields, MessageBoxService &messages)
    : m_fields(fields), m_messages(messages)
{}

// Range = high water height − low water height.
void WorksheetSteps::range()
{
    const double low = numberEntry(m_fields.text(LowWaterHeight));
    const double high = numberEntry(m_fields.text(HighWaterHeight));

    ArithmeticCheck fp;
    const double range = fp.sub(high, low);
    fp.check();
    m_fields.setText(PredictedRange, resultText(range));
}

void WorksheetSteps::duration()
{
    timeDifference(m_fields, DurationFields);
}

void WorksheetSteps::interval()
{
    timeDifference(m_fields, IntervalFields);
}

void WorksheetSteps::clear()
{
    for (int field = 1; field <= Worksheet::FieldCount; ++field)
        m_fields.setText(field, QString());
}

// Height above low water = factor × range. The factor is taken as it
// converts (no range test); only a factor field left exactly empty is refused.
void WorksheetSteps::heightAboveLowWater()
{
    if (m_fields.text(Factor).isEmpty()) {
        m_fields.setText(HeightAboveLowWater, QString());
        m_messages.msgBox(FactorMissing);
        return;
    }
    const double factor = numberEntry(m_fields.text(Factor));
    const double range = numberEntry(m_fields.text(PredictedRange));

    ArithmeticCheck fp;
    const double height = fp.mul(factor, range);
    fp.check();
    m_fields.setText(HeightAboveLowWater, resultText(height));
}

// Height above chart datum = height above low water + low water height; the
// depth is then worked from that height as shown, read back from its field.
void WorksheetSteps::depth()
{
    m_messages.msgBox(DepthFormula);

    const double aboveLowWater = numberEntry(m_fields.text(HeightAboveLowWater));
    const double lowWater = numberEntry(m_fields.text(LowWaterHeight));

    ArithmeticCheck fp;
    const double aboveDatum = fp.add(aboveLowWater, lowWater);
    fp.check();
    m_fields.setText(HeightAboveChartDatum, resultText(aboveDatum));

    const double sounding = numberEntry(m_fields.text(ChartedSounding));
    const double shownAboveDatum = numberEntry(m_fields.text(HeightAboveChartDatum));
    const double depth = fp.add(shownAboveDatum, sounding);
    fp.check();
    m_fields.setText(DepthOfWater, resultText(depth));
}

// Height of tide by simple proportion. The interval runs from high water, so
// the tide has fallen by the range in proportion to the interval:
// P = L + R × (D − I) ÷ D, high water at I = 0 and low water at I = D.
void WorksheetSteps::heightOfTide()
{
    m_messages.msgBox(HeightOfTideFormula);

    const QString lowWaterText = m_fields.text(LowWaterHeight);
    const QString rangeText = m_fields.text(PredictedRange);
    const QString intervalText = m_fields.text(IntervalMinutes);
    const QString durationText = m_fields.text(DurationMinutes);
    if (lowWaterText.isEmpty() || rangeText.isEmpty() || intervalText.isEmpty() ||
        durationText.isEmpty())
        return;

    const double range = numberEntry(rangeText);
    const double interval = numberEntry(intervalText);
    const double duration = numberEntry(durationText);
    const double lowWater = numberEntry(lowWaterText);

    // One check on the whole expression: a zero duration is a division by
    // zero, or the invalid 0/0 when the fallen range is zero as well.
    ArithmeticCheck fp;
    const double height =
        fp.add(lowWater, fp.div(fp.mul(range, fp.sub(duration, interval)), duration));
    fp.check();
    m_fields.setText(HeightOfTide, resultText(height));
}

} // namespace ondal
