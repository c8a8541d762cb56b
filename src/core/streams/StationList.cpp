#include "core/streams/StationList.h"

using namespace Qt::StringLiterals;

namespace ondal::streams {

lists::ListKind stationListKind()
{
    lists::ListKind kind{u"stations"_s, u"list of stations"_s, u"station"_s, {}, {}};
    for (const StationValue &value : stationValues()) {
        kind.keys << value.key;
        if (value.part == StationValue::Part::ReferencePort)
            kind.nameKeys << value.key;
    }
    return kind;
}

lists::ListEntry toEntry(const StreamStation &station)
{
    lists::ListEntry entry{station.name, {}};
    for (const StationValue &value : stationValues())
        entry.values.insert(value.key, stationText(station, value));
    return entry;
}

StreamStation toStation(const lists::ListEntry &entry)
{
    StreamStation station;
    station.name = entry.name;
    for (const StationValue &value : stationValues())
        stationText(station, value) = entry.values.value(value.key);
    return station;
}

} // namespace ondal::streams
