#pragma once

#include "core/lists/ListStore.h"
#include "core/streams/StreamTable.h"

// The user's list of tidal-stream stations: streams.json in the user's data
// folder, beside the ports, under the array "stations", each station's
// values under the keys of stationValues(); the standard port it is
// referred to is a name.

namespace ondal::streams {

inline constexpr char16_t StationsFileName[] = u"streams.json";
lists::ListKind stationListKind();

// A station's table as an entry of the list, and back. Keys the entry does
// not hold read blank.
lists::ListEntry toEntry(const StreamStation &station);
StreamStation toStation(const lists::ListEntry &entry);

} // namespace ondal::streams
