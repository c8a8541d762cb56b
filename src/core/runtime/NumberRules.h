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
