#pragma once

#include "core/ports/SecondaryPort.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace ondal {
class FieldStore;
}

namespace ondal::ports {

// What "Use in Worksheet" writes: the secondary port's high and low water
// into the worksheet's tide fields, and the working to print beside the
// tide curve for as long as those fields still hold what was written.
struct WorksheetHandover
{
    QList<std::pair<int, QString>> written; // field number, text
    QStringList working;                    // for the printed record

    // Writes the texts and nothing else: no step is pressed.
    void writeTo(FieldStore &worksheet) const;
    // Whether every field written still holds its text.
    bool stillHolds(const FieldStore &worksheet) const;
};

// The hand-over of a worked day: the heights rounded to 0.01 m and written
// by the result-text rule, the high-water time into both its places, the
// times as hours and minutes. The worksheet counts from the first day either
// tide falls on, so a tide on a later day is written as 24 + its hours and
// "Calculate Duration" still spans midnight. None unless both high and low
// water are worked out.
std::optional<WorksheetHandover> handOver(const PortTable &table, const SecondaryWorking &working);

// The working as the record prints it: the port, the standard port, the
// table row as typed and the lines the window shows.
QStringList recordLines(const PortTable &table, const SecondaryWorking &working);

} // namespace ondal::ports
