#pragma once

#include "core/runtime/ValueReader.h"

#include <QList>
#include <QString>

#include <optional>

// The tides of a day as the tide tables print them, typed in one field: time
// then height, tide after tide, separated by blanks or semicolons (a comma
// is a decimal comma in many locales, so it never separates):
//
//     0208 4.1  0822 0.9  1431 4.3  2047 0.7
//
// Times in the tables' form ("0208", "2:08"), heights read whole by the one
// reader (a plain number in the user's format, a trailing "m" allowed, also
// after a blank: "4.1 m"). The list runs forward in time: a time earlier
// than the one before it is on the next day. High and low waters alternate,
// and each neighbouring pair is one rise or fall, at most 12 hours apart.
// Nothing here throws; every loop is bounded by the field's length.

namespace ondal::tide {

// Two tides make one rise or fall; nine cover two days and more.
inline constexpr int FewestDayTides = 2;
inline constexpr int MostDayTides = 9;
// A field of the tides of the day holds at most this many characters. Nine
// tides typed generously take about 150; a text as long as the field can
// hold was probably cut on the way in (a paste of a page), so it is refused
// before it is split, as a value as long as its field is (ValueReader.h).
inline constexpr int DayTidesFieldLength = 200;

// One high or low water of the day.
struct DayTide
{
    enum class Kind { HighWater, LowWater };

    Kind kind = Kind::HighWater;
    // Minutes from the midnight before the first tide, the day rule applied:
    // 1448 is 00:08 on the next day. Read from the tables, the minutes are
    // the tables' clock's; placed on the ship's clock (ClockZones.h), they
    // are elapsed time on the day's axis.
    double time = 0.0;
    double height = 0.0; // metres
    QString typed;       // the tide as typed, its time and height joined by one blank

    bool isHighWater() const { return kind == Kind::HighWater; }

    friend bool operator==(const DayTide &, const DayTide &) = default;
};

// Why the typed list gives no tides: a kind, the tide it names by its place
// (1 for the first; 0 where the list as a whole is at fault) and its text.
struct DayTidesRefusal
{
    enum class Kind {
        NotGiven,    // nothing but blanks and semicolons
        TooLong,     // as long as the field can hold: probably cut
        TooFew,      // fewer than two tides
        TooMany,     // more than nine tides
        Time,        // a tide's time not read; `value` says why
        NoHeight,    // a time with no height after it
        Height,      // a tide's height not read; `value` says why
        SameTime,    // at the same moment as the tide before it
        TooFarApart, // more than 12 hours after the tide before it
        Level,       // the 2nd tide as high as the 1st: neither a rise nor a fall
        NotHigher,   // a high water not higher than the low waters beside it
        NotLower,    // a low water not lower than the high waters beside it
        Skipped,     // a time the tables' zone skips when its clocks go forward
    };

    Kind kind = Kind::NotGiven;
    int place = 0;
    QString typed;      // the tide as typed; the whole text for the list's own faults
    int count = 0;      // TooFew and TooMany: how many tides were found
    Refusal value = {}; // Time and Height: the value's own refusal

    friend bool operator==(const DayTidesRefusal &, const DayTidesRefusal &) = default;
};

// The tides read, or the first fault in the list's order.
struct DayTidesRead
{
    QList<DayTide> tides; // empty where refused
    std::optional<DayTidesRefusal> refusal;

    explicit operator bool() const { return !refusal.has_value(); }
};

DayTidesRead readDayTides(const QString &text);

// Whether the field holds anything at all: blanks and semicolons alone are
// the empty field, and the curve then follows the worksheet.
bool isDayTidesGiven(const QString &text);

// The refusal in words, after the field's label ("Tides of the day" where
// none is given) and before what is not worked out because of it: "Tides of
// the day: the 3rd tide, “1431 0.5”, is not higher than the low waters
// beside it; no curve is drawn".
QString dayTidesRefusalText(const DayTidesRefusal &refusal, const QString &consequence = {},
                            const QString &label = {});

// "HW" or "LW", as the lines list the tides.
QString tideKindText(DayTide::Kind kind);

} // namespace ondal::tide
