#pragma once

#include <QString>

// The lines every window shows beside its entries, and the small texts they
// are written with. Heights and rates use the user's number format, without
// grouping, and never show "-0.00".

namespace ondal {

// One line of what a window shows, in the order shown.
struct ResultLine
{
    enum class Kind {
        Summary,    // what was read: the tides, the table row
        Result,     // what was worked out: heights, windows, courses
        Note,       // worth knowing: next day, rough duration, extrapolated
        Reason,     // why something asked for is not worked out
        Disclaimer, // the last line, always there, to be shown quieter
    };

    Kind kind = Kind::Note;
    QString text;

    friend bool operator==(const ResultLine &, const ResultLine &) = default;
};

// A clock time in minutes as HH:mm, 24-hour, to the nearest minute and taken
// modulo a day; "--:--" for what is not a number.
QString clockText(double minutes);
// What follows a clock time on another day than the first of a list: " next
// day", " previous day", " 2 days later", " 2 days earlier"; nothing for 0.
QString dayText(int days);
// A length of time in minutes as "6 h 10 min", to the nearest minute.
QString durationText(double minutes);
// Metres with two decimals ("2.14"); "--" for what is not a number.
QString heightText(double metres);
// A number with one decimal ("9.0"), as speeds and rates are given.
QString oneDecimalText(double value);
// A bound as a refusal names it: a whole number with a true minus sign.
QString limitText(double limit);
// A place in a list as a line names it: "1st", "2nd", "3rd", "4th", "11th".
QString ordinalText(int place);
// A text as typed, for a line that quotes it: in quotation marks, blanks
// around it dropped, and cut to at most 15 characters, so no line shows more
// than 15 digits of a number nobody could use.
QString quotedText(const QString &text);

} // namespace ondal
