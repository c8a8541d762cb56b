#pragma once

#include <QString>
#include <QtGlobal>

// The number and text rules every window uses. Each one is a pure function of
// its argument and of the default QLocale (QLocale()), which follows the
// user's number format unless a test pins it with QLocale::setDefault().

namespace ondal {

// Number-entry rule: the longest leading number of the text, blanks, tabs and
// line feeds ignored; 0 where there is none. The full stop is always a decimal
// point; the user's own decimal separator is accepted too where it differs.
// E/e/D/d mark an exponent; &H and &O prefixes read hex and octal integers.
// Throws RuntimeError(Overflow) for a number beyond the double range.
double numberEntry(const QString &text);

// The number-entry rule with how much of the text it read: the value, and
// the characters taken to read it (blanks after it included). Nothing read,
// as in "abc" or "", is 0 from 0 characters; "2,5" in a full-stop locale is 2
// from 1; an exponent letter without digits is not read ("1e" is 1 from 1).
// Throws as numberEntry() does.
struct NumberEntryRead
{
    double value = 0.0;
    qsizetype used = 0;
};
NumberEntryRead readNumberEntry(const QString &text);

// A value the number-entry rule reads whole: every character but blanks and,
// where one is given, the unit written after the number ("3.2 m", "3.2m").
// For the answers an officer acts on, where a value read in part (2 for
// "2,5") would be worse than none.
struct WholeNumber
{
    enum Status {
        Read,       // value holds the number
        Blank,      // nothing but blanks
        NotANumber, // the rule reads it in part or not at all
        TooLarge,   // beyond the double range
    };
    Status status = Blank;
    double value = 0.0;
};
WholeNumber readWholeNumber(const QString &text, QStringView unit = {});

// Strict numeric conversion: the whole text, less surrounding blanks, must be
// a number in the user's format. Throws TypeMismatch otherwise (the empty text
// too) and Overflow when the value does not fit the target type. The digits
// are rounded once, straight to the target type; a value that rounds to the
// largest float (such as 3.4028235E+38) still fits a single.
double strictToDouble(const QString &text);
float strictToSingle(const QString &text);

// Result-text rule: at most 15 significant digits, the user's decimal
// separator, no grouping, no trailing zeros, "0.5" not ".5". Plain from
// 0.0001 up to below 1E+15 ("0.0142857142857143"), judged after rounding;
// the exponent form "1.5E+20" from 1E+15 up, and below 0.0001 where the plain
// form would need more than 15 decimal places ("5.6789E-12", but "0.00001").
QString resultText(double value);

// Single-precision text rule: the same with 7 significant digits, 1E+07 and
// 7 decimal places in place of 1E+15 and 15.
QString singleText(float value);

// Value-text rule: a double by the result-text rule, an integer plainly.
QString valueText(double value);
QString valueText(qint32 value);

} // namespace ondal
