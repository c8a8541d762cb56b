#pragma once

#include "core/lists/ListStore.h"

#include <QList>
#include <QString>

#include <array>

// A tidal-stream station as the chart prints it (a lettered diamond): for
// each hour from six hours before to six hours after high water at a
// standard port, the set (degrees true, the way the stream runs) and the
// rates at mean springs and mean neaps, with the standard port's mean spring
// and neap ranges the rates belong to. Every value is kept as typed, so that
// the list of stations keeps them exactly as the list of ports does.

namespace ondal::streams {

// The table's hours, HW−6 to HW+6: row i holds the hour i − 6.
inline constexpr int FirstHour = -6;
inline constexpr int LastHour = 6;
inline constexpr int HourCount = LastHour - FirstHour + 1;

inline constexpr int rowOf(int hour)
{
    return hour - FirstHour;
}

// An hour as the lines and captions name it, with a true minus: "HW−6",
// "HW", "HW+2".
QString hourName(int hour);
// The same with an ASCII hyphen, as accessible names spell it: "HW-6".
QString hourAsciiName(int hour);
// The end of a row's object names and keys: "M6", "0", "P2".
QString hourSuffix(int hour);

// One hour's row as typed: the set in degrees true, the rates in knots.
struct StreamRow
{
    QString set = {};
    QString spring = {};
    QString neap = {};

    bool isBlank() const;

    friend bool operator==(const StreamRow &, const StreamRow &) = default;
};

// A station's table as typed.
struct StreamStation
{
    QString name = {};
    QString referencePort = {}; // the standard port whose high water the hours count from
    QString springRange = {};   // the standard port's mean spring range, metres
    QString neapRange = {};     // and its mean neap range
    std::array<StreamRow, HourCount> rows = {};

    const StreamRow &row(int hour) const { return rows.at(rowOf(hour)); }
    StreamRow &row(int hour) { return rows.at(rowOf(hour)); }

    friend bool operator==(const StreamStation &, const StreamStation &) = default;
};

// The station's values, the name apart, in the order the chart prints them:
// the standard port, the two ranges, then a row an hour with its set and
// its two rates. Each names the field that holds it, the key it is kept
// under in the list of stations, its accessible name, and the label a
// reason about it begins with.
struct StationValue
{
    enum class Holds { ReferencePort, SpringRange, NeapRange, Set, Spring, Neap };

    Holds holds = Holds::ReferencePort;
    int hour = 0;           // Set, Spring and Neap only
    QString objectName;     // "txtSpringP2"
    QString key;            // "springP2"
    QString accessibleName; // "Spring rate at HW+2"
    QString label;          // "Spring rate at HW+2", with a true minus
};
const QList<StationValue> &stationValues();

// The text a value is typed in.
QString &stationText(StreamStation &station, const StationValue &value);
const QString &stationText(const StreamStation &station, const StationValue &value);

// The user's list of stations: streams.json in the user's data folder,
// beside the ports, each station under the array "stations" with its values
// under their keys; the standard port it is referred to is a name. Keys an
// entry does not hold read blank.
inline constexpr char16_t StationsFileName[] = u"streams.json";
lists::ListKind stationListKind();
lists::ListEntry toEntry(const StreamStation &station);
StreamStation toStation(const lists::ListEntry &entry);

// A row's rate for the day's range R, between its rates at springs and at
// neaps in proportion to where R lies between the mean neap range RN and the
// mean spring range RS, and on the same line beyond them:
//
//     r = rN + (rS − rN) · (R − RN) / (RS − RN)
//
// The caller sees to RS above RN.
double rateForTheDay(double springRate, double neapRate, double springRange, double neapRange,
                     double rangeToday);

} // namespace ondal::streams
