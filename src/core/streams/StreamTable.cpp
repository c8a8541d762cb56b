#include "core/streams/StreamTable.h"

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace ondal::streams {
namespace {

QString signedHour(int hour, QStringView minus)
{
    if (hour == 0)
        return u"HW"_s;
    return u"HW"_s + (hour < 0 ? minus.toString() : u"+"_s) + QString::number(std::abs(hour));
}

QList<StationValue> makeStationValues()
{
    using Holds = StationValue::Holds;
    QList<StationValue> out{
        {Holds::ReferencePort, 0, u"txtReferencePort"_s, u"referencePort"_s,
         u"Referred to high water at"_s, u"Referred to high water at"_s},
        {Holds::SpringRange, 0, u"txtSpringRange"_s, u"springRange"_s,
         u"Mean spring range, metres"_s, u"Mean spring range"_s},
        {Holds::NeapRange, 0, u"txtNeapRange"_s, u"neapRange"_s, u"Mean neap range, metres"_s,
         u"Mean neap range"_s},
    };
    struct RowValue
    {
        Holds holds;
        QString name; // of the object and the key
        QString words;
    };
    const RowValue parts[] = {{Holds::Set, u"Set"_s, u"Set at "_s},
                              {Holds::Spring, u"Spring"_s, u"Spring rate at "_s},
                              {Holds::Neap, u"Neap"_s, u"Neap rate at "_s}};
    for (int hour = FirstHour; hour <= LastHour; ++hour) {
        for (const RowValue &p : parts) {
            const QString suffix = hourSuffix(hour);
            out.append({p.holds, hour, u"txt"_s + p.name + suffix, p.name.toLower() + suffix,
                        p.words + hourAsciiName(hour), p.words + hourName(hour)});
        }
    }
    return out;
}

// The text of a value, in a station that may be const.
template <typename Station> auto &textOf(Station &station, const StationValue &value)
{
    using Holds = StationValue::Holds;
    switch (value.holds) {
    case Holds::ReferencePort:
        return station.referencePort;
    case Holds::SpringRange:
        return station.springRange;
    case Holds::NeapRange:
        return station.neapRange;
    case Holds::Set:
        return station.row(value.hour).set;
    case Holds::Spring:
        return station.row(value.hour).spring;
    case Holds::Neap:
        break;
    }
    return station.row(value.hour).neap;
}

} // namespace

QString hourName(int hour)
{
    return signedHour(hour, u"\u2212");
}

QString hourAsciiName(int hour)
{
    return signedHour(hour, u"-");
}

QString hourSuffix(int hour)
{
    if (hour == 0)
        return u"0"_s;
    return (hour < 0 ? u"M"_s : u"P"_s) + QString::number(std::abs(hour));
}

bool StreamRow::isBlank() const
{
    return set.trimmed().isEmpty() && spring.trimmed().isEmpty() && neap.trimmed().isEmpty();
}

const QList<StationValue> &stationValues()
{
    static const QList<StationValue> values = makeStationValues();
    return values;
}

QString &stationText(StreamStation &station, const StationValue &value)
{
    return textOf(station, value);
}

const QString &stationText(const StreamStation &station, const StationValue &value)
{
    return textOf(station, value);
}

lists::ListKind stationListKind()
{
    lists::ListKind kind{u"stations"_s, u"list of stations"_s, u"station"_s, {}, {}};
    for (const StationValue &value : stationValues()) {
        kind.keys << value.key;
        if (value.holds == StationValue::Holds::ReferencePort)
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

double rateForTheDay(double springRate, double neapRate, double springRange, double neapRange,
                     double rangeToday)
{
    return neapRate +
           (springRate - neapRate) * (rangeToday - neapRange) / (springRange - neapRange);
}

} // namespace ondal::streams
