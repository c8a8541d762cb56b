#pragma once

#include "core/runtime/ValueReader.h"
#include "core/tide/TideCurve.h"

#include <QString>

#include <optional>

// The arithmetic of a passage on one span of the tide: the ship's squat, the
// under-keel clearance in metres or as a share of the draught, the height of
// tide needed beneath the keel, the height the tide may stand at most for the
// ship to pass under a bridge or a power line, and when both hold at once.
//
// Every value is read whole by readValue() (ValueReader.h) within its
// bounds: a value read in part is refused, never used. Whatever is refused
// comes back among the reasons, and a reading with reasons gives no window.
// Nothing here throws, and the lines use the user's number format
// (heightText()).

namespace ondal::tide {

// Where the ship is under way: squat in a confined channel is twice that in
// open water.
enum class Waters { Open, Confined };

// The texts of the passage fields as typed.
struct PassageInputs
{
    QString blockCoefficient = {}; // Cb, 0.4 to 1.0
    QString speed = {};            // through the water, knots; bare or with "kn"
    Waters waters = Waters::Open;
    QString airDraught = {};        // metres, the ship's highest point above the waterline
    QString verticalClearance = {}; // metres, the bridge's or cable's charted clearance
    QString clearanceDatum = {};    // metres, the clearance's datum above chart datum
    QString overheadMargin = {};    // metres, blank for none
};

// Barrass's estimate of the greatest sinkage at bow or stern, in metres:
// Cb · V² / 100 in open water, Cb · V² / 50 in a confined channel, V in knots.
double barrassSquat(double blockCoefficient, double knots, Waters waters);

// The squat, from the block coefficient and the speed. Both blank: no squat,
// no line and no reason. Otherwise either a squat with its line, or reasons
// (a value missing, not a number, out of range) and no tidal window.
struct SquatReading
{
    std::optional<double> metres;
    QString line; // "Squat 0.63 m by Barrass's formula for open water (…)"
    Reasons reasons;
};
SquatReading readSquat(const PassageInputs &inputs);

// The under-keel clearance: metres, or a percentage of the draught.
struct Clearance
{
    enum class Unit { Metres, PercentOfDraught };
    Unit unit = Unit::Metres;
    double value = 0.0; // metres or percent, never below 0

    double metres(double draught) const;
};

// Reads "0.5", "0.5 m" (0 to 100 m), "10%" or "10 %" (0 to 100 % of the
// draught); blank is missing.
struct ClearanceReading
{
    std::optional<Clearance> clearance;
    Reasons reasons;
};
ClearanceReading readClearance(const QString &text);

// What the ship needs under the keel, from the window's entries as typed:
// the squat where either of its values is given, and the draught and the
// clearance where either of them is given (the other is then missing).
struct UnderKeel
{
    SquatReading squat;
    bool asked = false; // a draught or a clearance given
    std::optional<double> draught;
    std::optional<Clearance> clearance;
    Reasons reasons; // the squat's, the draught's and the clearance's, in that order

    // Whether the needed height can be worked out, given the sounding.
    bool isComplete() const { return asked && draught && clearance && reasons.isEmpty(); }
};
UnderKeel readUnderKeel(const QString &draught, const QString &clearance,
                        const PassageInputs &inputs);

// The height of tide needed: draught + squat + clearance − charted sounding,
// unrounded, with its line. A sum too large to work with gives a reason.
struct NeededHeight
{
    std::optional<double> metres;
    QString line; // "Needed: 2.63 m of tide (draught 2.50 m + squat 0.63 m + …)"
    Reasons reasons;
};
NeededHeight neededHeight(double draught, std::optional<double> squat, const Clearance &clearance,
                          double chartedSounding);

// The height the tide may stand at most: clearance datum + charted vertical
// clearance − air draught − margin. Air draught, charted clearance and datum
// all blank: nothing at all, the margin ignored. Otherwise either a limit
// with its line, or reasons (some missing, not read whole, out of bounds)
// and no overhead window; the margin may be blank.
struct OverheadReading
{
    std::optional<double> limit;
    QString line; // "Overhead limit: 2.00 m of tide (clearance datum 4.00 m + …)"
    Reasons reasons;
};
OverheadReading readOverhead(const PassageInputs &inputs);

// A stretch of span time, from ≤ until.
struct Stretch
{
    double from = 0.0;
    double until = 0.0;
};

// Where a window holds on the span, on its rounded minutes; none for Never.
std::optional<Stretch> stretchOf(const TideSpan &span, const TideWindow &window);

// When there is both enough water and enough overhead clearance, worked on
// the two windows' rounded minutes. A stretch of no length is no passage.
struct Passage
{
    enum class Kind {
        FromUntil,  // both a first and a last minute
        From,       // from a minute until the span's end
        Until,      // from the span's start until a minute
        Throughout, // the whole span
        None,       // no time has both
    };
    Kind kind = Kind::None;
    Stretch stretch; // the span time to shade; only where kind is not None
};
Passage passageBetween(const TideSpan &span, const TideWindow &water, const TideWindow &overhead);

// The lines.
QString overheadWindowText(const TideWindow &window); // "Enough overhead clearance until 10:49"
QString overheadAtText(double time, double heightOfTide, double limit); // "At 11:00: …"
// The same at a time already written: "11:00", "01:10 next day".
QString overheadAtText(const QString &when, double heightOfTide, double limit);
QString passageText(const Passage &passage); // "Passage possible from 10:50 until 12:10"

} // namespace ondal::tide
