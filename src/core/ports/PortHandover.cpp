#include "core/ports/PortHandover.h"

#include "core/runtime/NumberRules.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ondal::ports {
namespace {

using enum worksheet::Field;

// The height as the window shows it, two decimals, as a number again: the
// worksheet gets exactly the figure the officer reads.
double toCentimetres(double metres)
{
    return QLocale::c().toString(metres, 'f', 2).toDouble();
}

QString typed(const QString &text)
{
    const QString value = text.trimmed();
    return value.isEmpty() ? u"–"_s : value;
}

} // namespace

std::optional<worksheet::Handover> handOver(const PortTable &table, const SecondaryWorking &working)
{
    if (!working.high || !working.low)
        return std::nullopt;
    const SecondaryTide &high = *working.high;
    const SecondaryTide &low = *working.low;
    const int firstDay = std::min({0, high.dayOffset, low.dayOffset});
    const auto hours = [firstDay](const SecondaryTide &tide) {
        return valueText(qint32(tide.clockTime() / 60 + 24 * (tide.dayOffset - firstDay)));
    };
    const auto minutes = [](const SecondaryTide &tide) {
        return valueText(qint32(tide.clockTime() % 60));
    };
    worksheet::Handover out;
    out.written = {
        {HighWaterHeight, resultText(toCentimetres(high.height))},
        {LowWaterHeight, resultText(toCentimetres(low.height))},
        {HighWaterHours, hours(high)},
        {HighWaterMinutes, minutes(high)},
        {LowWaterHours, hours(low)},
        {LowWaterMinutes, minutes(low)},
        {IntervalHighWaterHours, hours(high)},
        {IntervalHighWaterMinutes, minutes(high)},
    };
    out.working = recordLines(table, working);
    if (firstDay < 0)
        out.working << u"In the worksheet the hours count from the previous day's midnight"_s;
    return out;
}

QStringList recordLines(const PortTable &table, const SecondaryWorking &working)
{
    const QString port = table.name.trimmed().isEmpty() ? u"not named"_s : table.name.trimmed();
    QStringList lines;
    lines << u"Secondary port: %1 · standard port: %2"_s.arg(port, typed(table.standardPort));
    lines << u"High water %1 %2, %3 %4 · low water %5 %6, %7 %8"_s.arg(
        typed(table.hwTime1), typed(table.hwDiff1), typed(table.hwTime2), typed(table.hwDiff2),
        typed(table.lwTime1), typed(table.lwDiff1), typed(table.lwTime2), typed(table.lwDiff2));
    lines << u"MHWS %1 %2 · MHWN %3 %4 · MLWN %5 %6 · MLWS %7 %8 · seasonal changes %9"_s.arg(
        typed(table.mhws), typed(table.mhwsDiff), typed(table.mhwn), typed(table.mhwnDiff),
        typed(table.mlwn), typed(table.mlwnDiff), typed(table.mlws), typed(table.mlwsDiff),
        u"%1 and %2"_s.arg(typed(table.seasonalStandard), typed(table.seasonalSecondary)));
    for (const ResultLine &line : working.lines)
        lines << line.text;
    return lines;
}

} // namespace ondal::ports
