#pragma once

#include <QList>
#include <QString>

namespace ondal {

class Worksheet;

namespace worksheet {

// One line of the worksheet on paper: what a field, or a time's pair of
// fields, holds ("Time of high water") and its value as it is to be printed
// ("14:30", "4.2 m", "“2,5x”").
struct RecordRow
{
    QString label;
    QString value;
    // A read-out that its step, run again on the fields as they stand, no
    // longer gives: its inputs were changed after it was worked out.
    bool stale = false;

    friend bool operator==(const RecordRow &, const RecordRow &) = default;
};

// What is added to a stale read-out's value on paper.
inline constexpr char16_t NotRecalculated[] = u"not recalculated since its inputs changed";

// The worksheet's filled-in fields in the order of its steps, a time's hours
// and minutes on one row. Each read-out is checked by running the steps
// again, in order, on a copy of the fields (the window's own fields and
// messages are left alone); a read-out the steps now give differently, or
// no longer give at all, is marked stale.
QList<RecordRow> recordRows(const Worksheet &fields);

// A metres value as typed, for paper: "2.5 m" for a number read whole (a
// typed unit m is not doubled), the text as typed in quotes and without the
// unit for anything else ("“2,5x”"), "not given" for blanks.
QString metresText(const QString &typed);
// The same with any unit, or none.
QString givenText(const QString &typed, QStringView unit);

} // namespace worksheet
} // namespace ondal
