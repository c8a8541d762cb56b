#pragma once

#include <QString>

// The one reader of a time as the tide tables print it, for the secondary
// ports' table and the tidal streams alike.

namespace ondal {

// A time or a time difference as the tide tables print it: hours and
// minutes run together, the last two digits being the minutes ("0638",
// "+0035", "-0110", "35"), or with a colon ("6:38", "-1:10"). Blanks around
// it are ignored; a difference may carry a sign, "+", "-" or the Unicode
// minus. Minutes run to 59, hours to 23. A text as long as a value's field
// (ValueFieldLength) is none.
struct TableTime
{
    enum Status {
        Read,     // minutes holds the value
        Blank,    // nothing but blanks
        NotATime, // anything else
    };
    Status status = Blank;
    int minutes = 0;
};
TableTime readClockTime(const QString &text);      // 00:00 to 23:59, no sign
TableTime readTimeDifference(const QString &text); // -23:59 to +23:59

} // namespace ondal
