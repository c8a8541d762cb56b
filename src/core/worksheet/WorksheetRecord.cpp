#include "core/worksheet/WorksheetRecord.h"

#include "core/runtime/MessageBoxService.h"
#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"
#include "core/worksheet/Worksheet.h"
#include "core/worksheet/WorksheetSteps.h"

#include <cmath>
#include <exception>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace ondal::worksheet {
namespace {

// The steps' messages (formulas, a missing factor) go nowhere; the steps
// ask nothing.
class SilentMessages final : public MessageBoxService
{
public:
    void msgBox(const QString &) override {}
    bool askYesNo(const QString &) override { return false; }
};

// Each step with the read-outs it writes.
struct StepOutputs
{
    void (WorksheetSteps::*step)();
    std::initializer_list<Field> readOuts;
};

const StepOutputs Steps[] = {
    {&WorksheetSteps::range, {PredictedRange}},
    {&WorksheetSteps::duration, {DurationMinutes, DurationHours, DurationRemainder}},
    {&WorksheetSteps::interval, {IntervalMinutes, IntervalHours, IntervalRemainder}},
    {&WorksheetSteps::heightAboveLowWater, {HeightAboveLowWater}},
    {&WorksheetSteps::depth, {HeightAboveChartDatum, DepthOfWater}},
    {&WorksheetSteps::heightOfTide, {HeightOfTide}},
};

// The same value: the same text, or the same number read whole from both
// ("3.40" typed over "3.4").
bool sameValue(const QString &shown, const QString &worked)
{
    if (shown.trimmed() == worked.trimmed())
        return true;
    const WholeNumber a = readWholeNumber(shown);
    const WholeNumber b = readWholeNumber(worked);
    return a.status == WholeNumber::Read && b.status == WholeNumber::Read && a.value == b.value;
}

// The fields as the steps give them now, run in order on a copy, each step's
// read-outs emptied first so that a step that stops early leaves none. A
// later step reads the read-outs an earlier one has just given.
Worksheet::Texts workedAgain(const Worksheet &fields)
{
    Worksheet copy;
    copy.setTexts(fields.texts());
    SilentMessages messages;
    WorksheetSteps steps(copy, messages);
    for (const StepOutputs &entry : Steps) {
        for (const Field field : entry.readOuts)
            copy.setText(field, QString());
        try {
            (steps.*entry.step)();
        } catch (const std::exception &) {
            // A step the worksheet would stop with an error gives nothing
            // beyond what it wrote before it stopped.
        }
    }
    return copy.texts();
}

// Up to 15 significant digits as typed; more are written by the result
// rule, which keeps 15.
QString numberAsTyped(const QString &number, double value)
{
    qsizetype digits = 0;
    for (const QChar c : number)
        digits += c.isDigit();
    return digits <= 15 ? number : resultText(value);
}

// A value for paper with its unit, or the text as typed in quotes.
QString valueText(const QString &typed, QStringView unit)
{
    const QString text = typed.trimmed();
    const WholeNumber whole = readWholeNumber(text, unit);
    if (whole.status != WholeNumber::Read)
        return u"“%1”"_s.arg(text);
    const QString number = text.left(readNumberEntry(text).used).trimmed();
    const QString shown = numberAsTyped(number, whole.value);
    return unit.isEmpty() ? shown : shown + u' ' + unit.toString();
}

// "14:30" for whole hours and minutes as a clock shows them; otherwise the
// two texts as typed.
QString clockText(const QString &hoursTyped, const QString &minutesTyped)
{
    const QString hours = hoursTyped.trimmed();
    const QString minutes = minutesTyped.trimmed();
    const WholeNumber h = readWholeNumber(hours);
    const WholeNumber m = readWholeNumber(minutes);
    const bool whole = h.status == WholeNumber::Read && m.status == WholeNumber::Read &&
                       h.value == std::floor(h.value) && m.value == std::floor(m.value);
    if (whole && h.value >= 0 && h.value < 1e6 && m.value >= 0 && m.value < 60)
        return u"%1:%2"_s.arg(qint64(h.value), 2, 10, QChar(u'0'))
            .arg(qint64(m.value), 2, 10, QChar(u'0'));
    return u"%1 h %2 min"_s.arg(valueText(hours, {}), valueText(minutes, {}));
}

QString lengthText(const QString &hours, const QString &minutes)
{
    return u"%1 h %2 min"_s.arg(valueText(hours, {}), valueText(minutes, {}));
}

enum class Shape { Metres, Plain, Minutes, Clock, Length };

struct RowEntry
{
    const char16_t *label;
    Shape shape;
    Field field;
    Field minutes = Field(0); // the second field of a time
};

// In the order of the steps: each step's inputs, then its read-outs.
const RowEntry Rows[] = {
    {u"Tide table's high water", Shape::Metres, HighWaterHeight},
    {u"Tide table's low water", Shape::Metres, LowWaterHeight},
    {u"Predicted range", Shape::Metres, PredictedRange},
    {u"Time of high water", Shape::Clock, HighWaterHours, HighWaterMinutes},
    {u"Time of low water", Shape::Clock, LowWaterHours, LowWaterMinutes},
    {u"Duration", Shape::Length, DurationHours, DurationRemainder},
    {u"Duration in minutes", Shape::Minutes, DurationMinutes},
    {u"Time of high water for the interval", Shape::Clock, IntervalHighWaterHours,
     IntervalHighWaterMinutes},
    {u"Required time", Shape::Clock, RequiredHours, RequiredMinutes},
    {u"Interval", Shape::Length, IntervalHours, IntervalRemainder},
    {u"Interval in minutes", Shape::Minutes, IntervalMinutes},
    {u"Factor", Shape::Plain, Factor},
    {u"Height above low water", Shape::Metres, HeightAboveLowWater},
    {u"Charted sounding", Shape::Metres, ChartedSounding},
    {u"Height above chart datum", Shape::Metres, HeightAboveChartDatum},
    {u"Depth of water", Shape::Metres, DepthOfWater},
    {u"Height of tide", Shape::Metres, HeightOfTide},
};

bool isReadOut(Field field)
{
    for (const StepOutputs &entry : Steps) {
        for (const Field readOut : entry.readOuts) {
            if (readOut == field)
                return true;
        }
    }
    return false;
}

} // namespace

QList<RecordRow> recordRows(const Worksheet &fields)
{
    const Worksheet::Texts worked = workedAgain(fields);
    const auto staleField = [&](Field field) {
        return isReadOut(field) && !fields.text(field).trimmed().isEmpty() &&
               !sameValue(fields.text(field), worked.at(std::size_t(field - 1)));
    };
    QList<RecordRow> rows;
    for (const RowEntry &entry : Rows) {
        const QString first = fields.text(entry.field);
        const QString second = entry.minutes ? fields.text(entry.minutes) : QString();
        if (first.trimmed().isEmpty() && second.trimmed().isEmpty())
            continue;
        RecordRow row{QString::fromUtf16(entry.label), QString(), staleField(entry.field)};
        switch (entry.shape) {
        case Shape::Metres:
            row.value = metresText(first);
            break;
        case Shape::Plain:
            row.value = valueText(first, {});
            break;
        case Shape::Minutes:
            row.value = valueText(first, u"min");
            break;
        case Shape::Clock:
            row.value = clockText(first, second);
            break;
        case Shape::Length:
            row.value = lengthText(first, second);
            row.stale = row.stale || staleField(entry.minutes);
            break;
        }
        rows.append(row);
    }
    return rows;
}

QString metresText(const QString &typed)
{
    return givenText(typed, u"m");
}

QString givenText(const QString &typed, QStringView unit)
{
    if (typed.trimmed().isEmpty())
        return u"not given"_s;
    return valueText(typed, unit);
}

} // namespace ondal::worksheet
