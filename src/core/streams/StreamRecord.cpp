#include "core/streams/StreamRecord.h"

using namespace Qt::StringLiterals;

namespace ondal::streams {
namespace {

// "Departure time: 1100", "Leeway, degrees: not given".
QString typedText(const QString &label, const QString &typed)
{
    const QString value = typed.trimmed();
    return u"%1: %2"_s.arg(label, value.isEmpty() ? u"not given"_s : value);
}

} // namespace

StreamRecord streamRecord(const StreamStation &station, const LegEntries &entries,
                          const StreamWorking &working, const QList<ResultLine> &lines,
                          const QString &hint, const QDateTime &made)
{
    StreamRecord record;
    record.made = made;
    record.station =
        station.name.trimmed().isEmpty() ? u"Station not named"_s : station.name.trimmed();
    for (const StationValue &value : stationValues()) {
        if (value.holds == StationValue::Holds::ReferencePort ||
            value.holds == StationValue::Holds::SpringRange ||
            value.holds == StationValue::Holds::NeapRange)
            record.stationValues << typedText(value.accessibleName, stationText(station, value));
    }
    for (int hour = FirstHour; hour <= LastHour; ++hour) {
        const StreamRow &row = station.row(hour);
        if (!row.isBlank())
            record.rows << StreamRecord::Row{hourName(hour), row.set.trimmed(),
                                             row.spring.trimmed(), row.neap.trimmed()};
    }
    for (const LegValue &value : LegValues) {
        record.entries << typedText(QString::fromUtf16(value.accessibleName),
                                    entries.*value.member);
        if (value.member == &LegEntries::leeway && !entries.leeway.trimmed().isEmpty())
            record.entries << u"Wind on the %1"_s.arg(
                entries.windSide == WindSide::Starboard ? u"starboard side"_s : u"port side"_s);
    }
    record.leg = working.leg;
    record.lines = lines;
    record.hint = hint;
    return record;
}

} // namespace ondal::streams
