#include "core/tide/Passage.h"

#include "core/runtime/LineText.h"
#include "core/runtime/NumberRules.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

// Barrass's formula holds for ordinary hull forms and speeds; beyond these
// the estimate means nothing and is refused.
constexpr double LeastBlockCoefficient = 0.4;
constexpr double GreatestBlockCoefficient = 1.0;
constexpr double GreatestSpeed = 30.0; // knots

// The greatest under-keel clearance taken as a share of the draught, per cent.
constexpr double GreatestClearanceShare = 100.0;

// An air draught, a charted vertical clearance or a margin, in metres.
constexpr double OverheadLengthLimit = 300.0;

const QString NoTidalWindow = u"no tidal window is given"_s;
const QString NoOverheadWindow = u"no overhead window is given"_s;

// Nothing typed: blanks alone, fewer than a field holds (more were a paste
// cut short, which readValue() refuses).
bool isBlank(const QString &text)
{
    return text.size() < ValueFieldLength && text.trimmed().isEmpty();
}

// A length in metres from 0 up to its limit.
ValueRule metresUpTo(double greatest)
{
    return {0.0, greatest, u"m"_s};
}

} // namespace

double barrassSquat(double blockCoefficient, double knots, Waters waters)
{
    const double divisor = waters == Waters::Confined ? 50.0 : 100.0;
    return blockCoefficient * knots * knots / divisor;
}

SquatReading readSquat(const PassageInputs &inputs)
{
    SquatReading out;
    if (isBlank(inputs.blockCoefficient) && isBlank(inputs.speed))
        return out;

    const ValueRule coefficientRule{LeastBlockCoefficient,
                                    GreatestBlockCoefficient,
                                    {},
                                    u"%1 to %2"_s.arg(oneDecimalText(LeastBlockCoefficient),
                                                      oneDecimalText(GreatestBlockCoefficient))};
    const ValueRule speedRule{0.0, GreatestSpeed, u"kn"_s,
                              u"0 to %1 knots"_s.arg(limitText(GreatestSpeed))};
    const std::optional<double> coefficient = out.reasons.read(
        u"Block coefficient"_s, inputs.blockCoefficient, coefficientRule, NoTidalWindow);
    const std::optional<double> speed =
        out.reasons.read(u"Speed through the water"_s, inputs.speed, speedRule, NoTidalWindow);
    if (!coefficient || !speed)
        return out;
    out.metres = barrassSquat(*coefficient, *speed, inputs.waters);
    out.line = u"Squat %1 m by Barrass's formula for %2 (block coefficient %3, %4 knots)"_s.arg(
        heightText(*out.metres),
        inputs.waters == Waters::Confined ? u"a confined channel"_s : u"open water"_s,
        resultText(*coefficient), oneDecimalText(*speed));
    return out;
}

double Clearance::metres(double draught) const
{
    return unit == Unit::PercentOfDraught ? draught * value / 100.0 : value;
}

ClearanceReading readClearance(const QString &text)
{
    ClearanceReading out;
    // A text ending in "%" is a share of the draught; anything else is read
    // as metres, so a text that is neither gets one reason, not two.
    const bool share = text.trimmed().endsWith(u'%');
    const ValueRule rule =
        share ? ValueRule{0.0, GreatestClearanceShare, u"%"_s,
                          u"0 to %1 % of the draught"_s.arg(limitText(GreatestClearanceShare))}
              : metresUpTo(ClearanceLimit);
    if (const std::optional<double> value =
            out.reasons.read(u"Under-keel clearance"_s, text, rule, NoTidalWindow))
        out.clearance =
            Clearance{share ? Clearance::Unit::PercentOfDraught : Clearance::Unit::Metres, *value};
    return out;
}

UnderKeel readUnderKeel(const QString &draught, const QString &clearance,
                        const PassageInputs &inputs)
{
    UnderKeel out;
    out.squat = readSquat(inputs);
    out.reasons << out.squat.reasons;
    out.asked = !isBlank(draught) || !isBlank(clearance);
    if (!out.asked)
        return out;
    out.draught = out.reasons.read(u"Draught"_s, draught, metresUpTo(DraughtLimit), NoTidalWindow);
    const ClearanceReading read = readClearance(clearance);
    out.clearance = read.clearance;
    out.reasons << read.reasons;
    return out;
}

NeededHeight neededHeight(double draught, std::optional<double> squat, const Clearance &clearance,
                          double chartedSounding)
{
    NeededHeight out;
    const double clearanceMetres = clearance.metres(draught);
    const double needed = draught + squat.value_or(0.0) + clearanceMetres - chartedSounding;
    if (!std::isfinite(needed)) {
        out.reasons.add(u"Needed height of tide: the numbers are too large; "_s + NoTidalWindow);
        return out;
    }
    out.metres = needed;

    const QString squatTerm = squat ? u" + squat %1 m"_s.arg(heightText(*squat)) : QString();
    const QString clearanceTerm =
        clearance.unit == Clearance::Unit::PercentOfDraught
            ? u"clearance %1 % of draught %2 m"_s.arg(resultText(clearance.value),
                                                      heightText(clearanceMetres))
            : u"clearance %1 m"_s.arg(heightText(clearanceMetres));
    const QString soundingTerm =
        chartedSounding < 0.0 ? u"+ drying height %1 m"_s.arg(heightText(-chartedSounding))
                              : u"− charted sounding %1 m"_s.arg(heightText(chartedSounding));
    out.line = u"Needed: %1 m of tide (draught %2 m%3 + %4 %5)"_s.arg(
        heightText(needed), heightText(draught), squatTerm, clearanceTerm, soundingTerm);
    return out;
}

OverheadReading readOverhead(const PassageInputs &inputs)
{
    OverheadReading out;
    if (isBlank(inputs.airDraught) && isBlank(inputs.verticalClearance) &&
        isBlank(inputs.clearanceDatum))
        return out;

    // The datum is a height like the tide's; the rest are lengths, none of
    // them near the bounds (the highest bridges clear about 80 m).
    Reasons &reasons = out.reasons;
    const std::optional<double> datum =
        reasons.read(u"Clearance datum"_s, inputs.clearanceDatum,
                     {-HeightLimit, HeightLimit, u"m"_s}, NoOverheadWindow);
    const std::optional<double> charted =
        reasons.read(u"Charted vertical clearance"_s, inputs.verticalClearance,
                     metresUpTo(OverheadLengthLimit), NoOverheadWindow);
    const std::optional<double> air = reasons.read(
        u"Air draught"_s, inputs.airDraught, metresUpTo(OverheadLengthLimit), NoOverheadWindow);
    const std::optional<double> margin =
        isBlank(inputs.overheadMargin)
            ? std::optional(0.0)
            : reasons.read(u"Overhead margin"_s, inputs.overheadMargin,
                           metresUpTo(OverheadLengthLimit), NoOverheadWindow);
    if (!reasons.isEmpty())
        return out;

    // Within the bounds the sum is small and exact enough.
    const double limit = *datum + *charted - *air - *margin;
    out.limit = limit;
    const QString marginTerm =
        isBlank(inputs.overheadMargin) ? QString() : u" − margin %1 m"_s.arg(heightText(*margin));
    out.line = u"Overhead limit: %1 m of tide (clearance datum %2 m + charted clearance %3 m − "
               u"air draught %4 m%5)"_s.arg(heightText(limit), heightText(*datum),
                                            heightText(*charted), heightText(*air), marginTerm);
    return out;
}

std::optional<Stretch> stretchOf(const TideSpan &span, const TideWindow &window)
{
    Stretch stretch{span.start(), span.end()};
    switch (window.kind) {
    case TideWindow::Kind::From:
        stretch.from = std::max(window.minute, span.start());
        break;
    case TideWindow::Kind::Until:
        stretch.until = std::min(window.minute, span.end());
        break;
    case TideWindow::Kind::Throughout:
        break;
    case TideWindow::Kind::Never:
        return std::nullopt;
    }
    if (!(stretch.from <= stretch.until))
        return std::nullopt;
    return stretch;
}

Passage passageBetween(const TideSpan &span, const TideWindow &water, const TideWindow &overhead)
{
    const std::optional<Stretch> a = stretchOf(span, water);
    const std::optional<Stretch> b = stretchOf(span, overhead);
    if (!a || !b)
        return {};
    const Stretch both{std::max(a->from, b->from), std::min(a->until, b->until)};
    // A ship needs time to pass: a single minute where both just hold is none.
    if (!(both.from < both.until))
        return {};

    const auto bounds = [&](TideWindow::Kind kind) {
        return water.kind == kind || overhead.kind == kind;
    };
    const bool first = bounds(TideWindow::Kind::From);
    const bool last = bounds(TideWindow::Kind::Until);
    Passage::Kind kind = Passage::Kind::Throughout;
    if (first && last)
        kind = Passage::Kind::FromUntil;
    else if (first)
        kind = Passage::Kind::From;
    else if (last)
        kind = Passage::Kind::Until;
    return {kind, both};
}

QString overheadWindowText(const TideWindow &window)
{
    return windowText(window, u"overhead clearance");
}

QString overheadAtText(double time, double heightOfTide, double limit)
{
    return overheadAtText(clockText(time), heightOfTide, limit);
}

QString overheadAtText(const QString &when, double heightOfTide, double limit)
{
    const double spare = limit - heightOfTide;
    if (!std::isfinite(spare))
        return u"At %1: the overhead clearance cannot be worked out"_s.arg(when);
    if (spare >= 0.0)
        return u"At %1: %2 m of overhead clearance to spare"_s.arg(when, heightText(spare));
    return u"At %1: %2 m short of the overhead clearance"_s.arg(when, heightText(-spare));
}

QString passageText(const Passage &passage)
{
    const QString from = clockText(passage.stretch.from);
    const QString until = clockText(passage.stretch.until);
    switch (passage.kind) {
    case Passage::Kind::FromUntil:
        return u"Passage possible from %1 until %2"_s.arg(from, until);
    case Passage::Kind::From:
        return u"Passage possible from "_s + from;
    case Passage::Kind::Until:
        return u"Passage possible until "_s + until;
    case Passage::Kind::Throughout:
        return u"Passage possible throughout"_s;
    case Passage::Kind::None:
        break;
    }
    return u"No time between these tides has both enough water and enough overhead clearance"_s;
}

} // namespace ondal::tide
