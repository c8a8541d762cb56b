#pragma once

#include "core/runtime/LineText.h"
#include "core/runtime/ValueReader.h"
#include "core/tide/DayReading.h"
#include "core/tide/Passage.h"
#include "core/tide/TideCurve.h"

#include <QList>
#include <QString>
#include <QTimeZone>

#include <array>
#include <optional>

namespace ondal {
class Worksheet;
}

namespace ondal::tide {

// The heights at the required time, placed on the span.
struct RequiredTide
{
    double time = 0.0;           // minutes, on the span's time scale
    double cosineHeight = 0.0;   // metres
    double factor = 0.0;         // 0 to 1
    double straightHeight = 0.0; // metres
};

// The values the curve is worked out from, each read whole or not used.
enum class Input {
    HighWaterHeight, // Text1
    LowWaterHeight,  // Text2
    HighWaterTime,   // Text4 and Text5
    LowWaterTime,    // Text6 and Text7
    RequiredTime,    // Text12 and Text13
    ChartedSounding, // Text19
    Draught,         // the window's own
    Clearance,       // the window's own
};
inline constexpr int InputCount = 8;

// How one of them was read. Only a Read value is used; a Refused one has a
// Reason line saying why (ValueReader.h). Blank is also a value not asked
// for: the charted sounding is read only when a draught or clearance is
// given.
struct InputValue
{
    enum Status { Blank, Read, Refused };
    Status status = Blank;
    double value = 0.0; // Read only: metres, or a time's minutes (hours × 60 + minutes);
                        // the clearance in metres, a share worked on the draught
};

// Everything the tide curve window shows: the lines, and the numbers to plot.
struct TideReading
{
    std::optional<TideSpan> span;             // the curve; none when the tides give none
    std::optional<RequiredTide> required;     // only when the required time falls on the span
    std::optional<double> neededHeight;       // draught + clearance − charted sounding, metres
    std::optional<TideWindow> window;         // needs both the span and the needed height
    std::optional<double> squat;              // metres, where the ship's speed is given
    std::optional<double> overheadLimit;      // the most the tide may stand, metres
    std::optional<TideWindow> overheadWindow; // needs the span and the overhead limit
    std::optional<Passage> passage;           // needs both windows
    // Where the tides of the day are given: the curve over the day, its
    // windows and its lines, in place of the span and its windows above.
    std::optional<DayReading> day;
    QList<ResultLine> lines;
    std::array<InputValue, InputCount> inputs{};
    QList<RefusedValue> refused; // the values refused, in the order of their Reason lines

    const InputValue &input(Input which) const { return inputs.at(static_cast<int>(which)); }
};

// Reads the worksheet's tide table values (Text1/Text2 heights, Text4..Text7
// high and low water times, Text12/Text13 the required time, Text10/Text11
// the interval's high water, Text19 the charted sounding) with the window's
// own draught and under-keel clearance, and works out everything shown.
// Never throws and never shows a message: whatever cannot be read whole, or
// lies beyond its limits (TideCurve.h), becomes a Reason line naming the
// field, and nothing is worked out from it. The lines come in this order:
// the summary, the notes, the reasons, then the results, so that nothing
// that qualifies an answer is shown after it.
TideReading readTide(const Worksheet &worksheet, const QString &draught, const QString &clearance);

// The tide curve window's own entries, as typed: the ship's draught, the
// under-keel clearance (metres, or a share of the draught: "10 %"), and
// what the squat and the overhead clearance are worked out from.
struct CurveEntries
{
    QString draught = {};
    QString clearance = {};
    PassageInputs passage = {};
    DayEntries day = {}; // the tides of the day, their date and zones
};

// The same with the squat and the overhead clearance: the squat adds to the
// height needed; an overhead limit gives its own window, and with a needed
// height as well, when a passage is possible.
//
// Where the tides of the day are given (followsDayTides()), the curve
// follows them instead of the worksheet's high and low water, which are
// then neither read nor refused: `day` holds the curve and its windows
// (DayReading.h), worked from the needed height, the overhead limit and the
// required time read here, and `span` and its windows stay empty. The day's
// lines join the others by kind, its results after the squat, the needed
// height and the overhead limit. A blank ship's clock is `computerZone`;
// with none given (an invalid zone) a blank one is refused wherever a
// tables' zone asks for it.
TideReading readTide(const Worksheet &worksheet, const CurveEntries &entries,
                     const QTimeZone &computerZone = {});

} // namespace ondal::tide
