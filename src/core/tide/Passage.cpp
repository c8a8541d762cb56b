#include "core/tide/Passage.h"

#include "core/runtime/LineText.h"
#include "core/runtime/NumberRules.h"

#include <QLocale>

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

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

// Why a value that is not blank was not read, ending in the consequence.
QString unreadReason(const QString &label, const QString &text, WholeNumber::Status status,
                     const QString &consequence)
{
    const QString why =
        status == WholeNumber::TooLarge ? u"is too large a number"_s : u"is not a number here"_s;
    return u"%1: %2 %3; %4"_s.arg(label, quotedText(text), why, consequence);
}

// A value that is not blank, read whole with its unit where one is allowed;
// none, with a reason, where it is not.
std::optional<double> readValue(const QString &label, const QString &text, QStringView unit,
                                const QString &consequence, QStringList &reasons)
{
    const WholeNumber read = readWholeNumber(text, unit);
    if (read.status == WholeNumber::Read)
        return read.value;
    reasons << unreadReason(label, text, read.status, consequence);
    return std::nullopt;
}

// The value, or a reason where it lies below 0.
std::optional<double> notNegative(std::optional<double> value, const QString &label,
                                  const QString &text, const QString &consequence,
                                  QStringList &reasons)
{
    if (value && *value < 0.0) {
        reasons << u"%1: %2 cannot be negative; %3"_s.arg(label, quotedText(text), consequence);
        return std::nullopt;
    }
    return value;
}

// One of the squat's two values: missing, not read whole or out of its
// bounds (given in words) each give a reason and no value.
std::optional<double> squatValue(const QString &label, const QString &text, QStringView unit,
                                 double least, double greatest, const QString &bounds,
                                 QStringList &reasons)
{
    if (isBlank(text)) {
        reasons << u"%1: missing for the squat; %2"_s.arg(label, NoTidalWindow);
        return std::nullopt;
    }
    const std::optional<double> value = readValue(label, text, unit, NoTidalWindow, reasons);
    if (value && !(*value >= least && *value <= greatest)) {
        reasons << u"%1: “%2” lies outside %3; %4"_s.arg(label, text.trimmed(), bounds,
                                                         NoTidalWindow);
        return std::nullopt;
    }
    return value;
}

// "a", "a and b", "a, b and c".
QString listed(const QStringList &names)
{
    if (names.size() < 2)
        return names.join(QString());
    return names.first(names.size() - 1).join(u", "_s) + u" and "_s + names.last();
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
    const bool noCoefficient = isBlank(inputs.blockCoefficient);
    const bool noSpeed = isBlank(inputs.speed);
    if (noCoefficient && noSpeed)
        return out;

    const std::optional<double> coefficient =
        squatValue(u"Block coefficient"_s, inputs.blockCoefficient, {}, LeastBlockCoefficient,
                   GreatestBlockCoefficient,
                   u"%1 to %2"_s.arg(oneDecimalText(LeastBlockCoefficient),
                                     oneDecimalText(GreatestBlockCoefficient)),
                   out.reasons);
    const std::optional<double> speed =
        squatValue(u"Speed through the water"_s, inputs.speed, u"kn", 0.0, GreatestSpeed,
                   u"0 to %1 knots"_s.arg(QString::number(GreatestSpeed)), out.reasons);
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
    if (isBlank(text))
        return out;

    const QString label = u"Under-keel clearance"_s;
    Clearance clearance;
    // "10 %" is not metres; read it again as a percentage only then, so a
    // text that is neither gets one reason, not two.
    WholeNumber read = readWholeNumber(text, u"m");
    if (read.status == WholeNumber::NotANumber) {
        read = readWholeNumber(text, u"%");
        clearance.unit = Clearance::Unit::PercentOfDraught;
    }
    std::optional<double> value;
    if (read.status == WholeNumber::Read)
        value = read.value;
    else
        out.reasons << unreadReason(label, text, read.status, NoTidalWindow);
    value = notNegative(value, label, text, NoTidalWindow, out.reasons);
    // A share of the draught no ship would ask for is a slip, not a choice.
    if (value && clearance.unit == Clearance::Unit::PercentOfDraught &&
        *value > GreatestClearanceShare) {
        out.reasons << u"%1: %2 lies outside 0 to %3 % of the draught; %4"_s.arg(
            label, quotedText(text), limitText(GreatestClearanceShare), NoTidalWindow);
        value.reset();
    }
    if (value) {
        clearance.value = *value;
        out.clearance = clearance;
    }
    return out;
}

NeededHeight neededHeight(double draught, std::optional<double> squat, const Clearance &clearance,
                          double chartedSounding)
{
    NeededHeight out;
    const double clearanceMetres = clearance.metres(draught);
    const double needed = draught + squat.value_or(0.0) + clearanceMetres - chartedSounding;
    if (!std::isfinite(needed)) {
        out.reasons << u"Needed height of tide: the numbers are too large; "_s + NoTidalWindow;
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
    struct Entry
    {
        QString label; // as the reasons begin
        QString name;  // as a missing value is named
        const QString &text;
        double least;
        double greatest;
        std::optional<double> value = std::nullopt;
    };
    // The datum is a height like the tide's; the rest are lengths, none of
    // them near the bounds (the highest bridges clear about 80 m).
    Entry datum{u"Clearance datum"_s, u"the clearance datum"_s, inputs.clearanceDatum, -HeightLimit,
                HeightLimit};
    Entry charted{u"Charted vertical clearance"_s, u"the charted vertical clearance"_s,
                  inputs.verticalClearance, 0.0, OverheadLengthLimit};
    Entry air{u"Air draught"_s, u"the air draught"_s, inputs.airDraught, 0.0, OverheadLengthLimit};
    Entry margin{u"Overhead margin"_s, u"the overhead margin"_s, inputs.overheadMargin, 0.0,
                 OverheadLengthLimit};

    QStringList missing;
    for (Entry *entry : {&air, &charted, &datum}) {
        if (isBlank(entry->text))
            missing << entry->name;
    }
    if (missing.size() == 3)
        return out;
    if (!missing.isEmpty())
        out.reasons << u"Overhead clearance: %1 %2 missing; %3"_s.arg(
            listed(missing), missing.size() == 1 ? u"is"_s : u"are"_s, NoOverheadWindow);

    for (Entry *entry : {&datum, &charted, &air, &margin}) {
        if (isBlank(entry->text))
            continue;
        entry->value = readValue(entry->label, entry->text, u"m", NoOverheadWindow, out.reasons);
        if (entry->value && entry->least == 0.0)
            entry->value =
                notNegative(entry->value, entry->label, entry->text, NoOverheadWindow, out.reasons);
        if (entry->value && !(*entry->value >= entry->least && *entry->value <= entry->greatest)) {
            out.reasons << u"%1: outside %2 to %3 m; %4"_s.arg(
                entry->label, limitText(entry->least), limitText(entry->greatest),
                NoOverheadWindow);
            entry->value.reset();
        }
    }
    if (!out.reasons.isEmpty())
        return out;

    const double limit = *datum.value + *charted.value - *air.value - margin.value.value_or(0.0);
    if (!std::isfinite(limit)) {
        out.reasons << u"Overhead limit: the numbers are too large; "_s + NoOverheadWindow;
        return out;
    }
    out.limit = limit;
    const QString marginTerm =
        margin.value ? u" − margin %1 m"_s.arg(heightText(*margin.value)) : QString();
    out.line = u"Overhead limit: %1 m of tide (clearance datum %2 m + charted clearance %3 m − "
               u"air draught %4 m%5)"_s.arg(heightText(limit), heightText(*datum.value),
                                            heightText(*charted.value), heightText(*air.value),
                                            marginTerm);
    return out;
}

TideWindow overheadWindowFor(const TideSpan &span, double limit)
{
    // The safe answer first: a limit that is not a number is never met.
    const double f = (limit - span.lowWater().height) / span.range();
    if (!(f > 0.0))
        return {TideWindow::Kind::Never, 0.0, 0.0};
    if (f >= 1.0)
        return {TideWindow::Kind::Throughout, 0.0, 0.0};

    const std::optional<double> crossing = span.timeOfHeight(limit);
    if (!crossing)
        return {TideWindow::Kind::Never, 0.0, 0.0};
    if (span.isRising())
        return {TideWindow::Kind::Until, *crossing, closingMinute(*crossing)};
    return {TideWindow::Kind::From, *crossing, openingMinute(*crossing)};
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
