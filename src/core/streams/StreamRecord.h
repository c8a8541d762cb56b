#pragma once

#include "core/runtime/LineText.h"
#include "core/streams/StreamWorking.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the tidal stream window's record for the passage plan holds, as the
// window stands when it is made: everything printed, already in words, and
// the leg to draw.

namespace ondal::streams {

struct StreamRecord
{
    // One row of the station's table as typed: "HW+2", "230", "2.8", "1.4".
    struct Row
    {
        QString hour;
        QString set;
        QString spring;
        QString neap;

        friend bool operator==(const Row &, const Row &) = default;
    };

    QDateTime made;
    QString station; // its name as typed, or "Station not named"
    // The standard port and its ranges, then the day's and the leg's values,
    // each "label: as typed" or "label: not given".
    QStringList stationValues;
    QList<Row> rows; // the rows typed, HW−6 first
    QStringList entries;
    std::optional<LegSolution> leg; // the triangle to draw
    QList<ResultLine> lines;        // as the window shows them
    QString hint;                   // for a record without a triangle
};

// The record of the station's table, the day, the leg, and the lines as the
// window shows them.
StreamRecord streamRecord(const StreamStation &station, const LegEntries &entries,
                          const StreamWorking &working, const QList<ResultLine> &lines,
                          const QString &hint, const QDateTime &made);

} // namespace ondal::streams
