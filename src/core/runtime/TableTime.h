#pragma once

#include <QString>

// A time or a time difference as the tide tables print it: hours and
// minutes run together, the last two digits being the minutes ("0638",
// "+0035", "-0110", "35"), or with a colon ("6:38", "-1:10"). Blanks around
// it are ignored; a difference may carry a sign, "+", "-" or the Unicode
// minus. Minutes run to 59, hours to 23. The secondary port's table row and
// the tides of the day are both typed in this form.

namespace ondal {

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
