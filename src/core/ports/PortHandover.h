#pragma once

#include "core/ports/SecondaryPort.h"
#include "core/worksheet/Worksheet.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ondal::ports {

// What "Use in Worksheet" writes into the worksheet, with the working to
// print beside the tide curve for as long as the fields still hold it: the
// heights rounded to 0.01 m and written by the result-text rule, the
// high-water time into both its places, the times as hours and minutes. The
// worksheet counts from the first day either tide falls on, so a tide on a
// later day is written as 24 + its hours and "Calculate Duration" still
// spans midnight. None unless both high and low water are worked out.
std::optional<worksheet::Handover> handOver(const PortTable &table,
                                            const SecondaryWorking &working);

// The working as the record prints it: the port, the standard port, the
// table row as typed and the lines the window shows.
QStringList recordLines(const PortTable &table, const SecondaryWorking &working);

} // namespace ondal::ports
