#pragma once

#include "core/runtime/LineText.h"
#include "core/tide/TideReading.h"
#include "core/worksheet/WorksheetRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace ondal {

class Worksheet;

// What the tide curve's record for the passage plan holds, as the window
// stands when it is made: everything printed, already in words.
struct TideRecord
{
    QDateTime made;
    // The filled-in worksheet fields in step order, a time on one row, stale
    // read-outs marked; none where every field is empty.
    QList<worksheet::RecordRow> fields;
    // The window's own entries as they are printed, a group to a line:
    // "Draught: 2.5 m     Under-keel clearance: 10 %".
    QStringList entries;
    tide::TideReading reading;
    QList<ResultLine> lines; // as the window shows them
    QString hint;            // for a plot without a curve
    // The secondary port's working, while the worksheet still holds the
    // tides it was given from it; empty otherwise.
    QStringList secondaryPort;
};

namespace tide {

// The waters as the window names them: "Open water", "Confined channel".
QString watersName(Waters waters);

// The curve window's entries as printed, a group to a line: the day's only
// where its tides are given, the squat's and the overhead's only where any
// of theirs is. A clearance given as a share of the draught ("10 %") is
// printed as one, as the reading takes it.
QStringList printedEntries(const CurveEntries &entries);

// The record of the worksheet, the window's entries and what it shows.
TideRecord tideRecord(const Worksheet &worksheet, const CurveEntries &entries,
                      const TideReading &reading, const QList<ResultLine> &lines,
                      const QString &hint, const QDateTime &made);

} // namespace tide
} // namespace ondal
