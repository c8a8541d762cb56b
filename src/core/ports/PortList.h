#pragma once

#include "core/lists/ListStore.h"
#include "core/ports/SecondaryPort.h"

namespace ondal::ports {

// The user's list of secondary ports: ports.json in the user's data folder,
// under the array "ports", each port's table values under the keys of
// PortValues; the standard port is a name.
inline constexpr char16_t PortsFileName[] = u"ports.json";
lists::ListKind portListKind();

// A port's table row as an entry of the list, and back. Keys the entry does
// not hold read blank.
lists::ListEntry toEntry(const PortTable &port);
PortTable toPort(const lists::ListEntry &entry);

} // namespace ondal::ports
