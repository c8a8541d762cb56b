#include "core/tide/CurveRecord.h"

#include "core/runtime/ValueReader.h"
#include "core/worksheet/Worksheet.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

bool given(const QString &text)
{
    return !text.trimmed().isEmpty();
}

// A value with its unit as the reading takes it; a text it refuses in
// quotes, as the lines quote it.
QString givenText(const QString &text, QStringView unit)
{
    ValueRule whole;
    whole.unit = unit.toString();
    if (!given(text) || readValue(text, whole))
        return worksheet::givenText(text, unit);
    return quotedText(text);
}

// A text entry as typed, without the blanks around it.
QString typedText(const QString &text)
{
    return given(text) ? text.trimmed() : u"not given"_s;
}

// "Draught: 2.5 m     Under-keel clearance: 0.5 m"
QString joined(const QList<std::pair<QString, QString>> &entries)
{
    QStringList parts;
    for (const auto &[label, value] : entries)
        parts << label + u": "_s + value;
    return parts.join(u"     "_s);
}

} // namespace

QString watersName(Waters waters)
{
    return waters == Waters::Confined ? u"Confined channel"_s : u"Open water"_s;
}

QStringList printedEntries(const CurveEntries &entries)
{
    const PassageInputs &p = entries.passage;
    const std::optional<Clearance> read = readClearance(entries.clearance).clearance;
    const bool share = read && read->unit == Clearance::Unit::PercentOfDraught;
    QStringList lines;
    // The tides of the day and where they are placed, as typed: the lines
    // say how each was read.
    if (followsDayTides(entries.day)) {
        const DayEntries &day = entries.day;
        lines << joined({{u"Tides of the day"_s, typedText(day.tides)},
                         {u"Date"_s, typedText(day.date)},
                         {u"Tables' zone"_s, typedText(day.tablesZone)},
                         {u"Ship's clock"_s, typedText(day.clockZone)}});
    }
    lines << joined(
        {{u"Draught"_s, givenText(entries.draught, u"m")},
         {u"Under-keel clearance"_s, givenText(entries.clearance, share ? u"%" : u"m")}});
    if (given(p.blockCoefficient) || given(p.speed))
        lines << joined({{u"Block coefficient"_s, givenText(p.blockCoefficient, {})},
                         {u"Speed through the water"_s, givenText(p.speed, u"kn")},
                         {u"Waters"_s, watersName(p.waters)}});
    const QStringList overhead{p.airDraught, p.verticalClearance, p.clearanceDatum,
                               p.overheadMargin};
    if (std::any_of(overhead.cbegin(), overhead.cend(), given))
        lines << joined({{u"Air draught"_s, givenText(p.airDraught, u"m")},
                         {u"Charted vertical clearance"_s, givenText(p.verticalClearance, u"m")},
                         {u"Clearance datum"_s, givenText(p.clearanceDatum, u"m")},
                         {u"Overhead margin"_s, givenText(p.overheadMargin, u"m")}});
    return lines;
}

TideRecord tideRecord(const Worksheet &worksheet, const CurveEntries &entries,
                      const TideReading &reading, const QList<ResultLine> &lines,
                      const QString &hint, const QDateTime &made)
{
    TideRecord record;
    record.made = made;
    record.fields = worksheet::recordRows(worksheet);
    record.entries = printedEntries(entries);
    record.reading = reading;
    record.lines = lines;
    record.hint = hint;
    record.secondaryPort = worksheet.handedOverWorking();
    return record;
}

} // namespace ondal::tide
