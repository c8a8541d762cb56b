#pragma once

#include "platform/Registry.h"

#include <QStringList>

#include <memory>

namespace ondal::platform {

// The name of the machine registry file that stands in for the Windows
// registry elsewhere.
inline constexpr char16_t MachineRegistryFileName[] = u"registry.reg";

// Where the stand-in looks, in this order: beside the running executable (a
// build tree), then the system location fixed at build time.
QStringList machineRegistryFiles();

// The registry of this system: advapi32 on Windows, elsewhere the machine
// registry file read afresh at each look-up.
std::unique_ptr<Registry> makeMachineRegistry();

} // namespace ondal::platform
