#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

// The one reader of a value an officer acts on, outside the worksheet's own
// steps: the tide curve's entries, the passage, the secondary port, the day's
// tides and the tidal streams all read through it, and all say why a value is
// not used in the same words (refusalText()).
//
// A value is read whole: a plain decimal number as a person types it, an
// optional sign, digits with one decimal point (the full stop, or the user's
// own decimal separator), an optional exponent "e12", and at most its unit
// after it ("3.2", "3.2 m", "3.2m"), blanks around it ignored. Unlike the
// worksheet's lenient number-entry rule it takes no blanks inside a number
// ("4 2"), no "&H"/"&O" prefixes and no "D" exponent.

namespace ondal {

// A value field holds at most this many characters. A text as long as that
// was probably cut on the way in (a paste of a page), so it is refused.
inline constexpr int ValueFieldLength = 40;

// Why a typed value is not used. A kind, the text as typed, and what the
// wording needs besides.
struct Refusal
{
    enum class Kind {
        NotGiven,    // nothing but blanks
        NotANumber,  // nothing at its start reads as a number ("abc", "&H4")
        ReadInPart,  // a number with something after it ("2,5", "4 2", "4D0")
        TooLarge,    // beyond the range of a double
        OutOfBounds, // a number no such value could have
        Negative,    // below 0 where the value starts at 0
        TooLong,     // as long as the field can hold: probably cut
        NotInForm,   // not in the form asked for ("25:00" for a time)
    };

    Kind kind = Kind::NotGiven;
    QString typed;  // as typed
    QString detail; // ReadInPart: the part read; OutOfBounds: the bounds
                    // ("−100 to 100 m"); NotInForm: the form ("a time such as 0638")

    friend bool operator==(const Refusal &, const Refusal &) = default;
};

// What a value may be: its bounds, the unit that may follow it, and the
// bounds as a refusal words them. A least bound of exactly 0 refuses a
// negative number as Negative rather than OutOfBounds.
struct ValueRule
{
    double least = -std::numeric_limits<double>::infinity();
    double greatest = std::numeric_limits<double>::infinity();
    QString unit = {};       // may follow the number: "m", "kn", "%"; none where empty
    QString boundsText = {}; // where empty: "least to greatest unit", whole numbers
};

// The value, or why there is none.
struct ValueRead
{
    std::optional<double> value;
    Refusal refusal; // only where there is no value

    explicit operator bool() const { return value.has_value(); }
};

ValueRead readValue(const QString &text, const ValueRule &rule = {});

// A refusal of a value not in a number's form, for readers of their own
// (a time, an angle): "“25:00” is not a time such as 0638 or 6:38".
Refusal notInForm(const QString &typed, const QString &form);
// A refusal for a value outside bounds worded by the caller ("00:00 to 48:00").
Refusal outOfBounds(const QString &typed, const QString &bounds);

// The refusal in words, after what the value is and before what is not
// worked out because of it: "Draught: “2,5” is not a number: only “2” reads
// as one; no tidal window is given". The text as typed is quoted and cut to
// 15 characters (quotedText()).
QString refusalText(const QString &label, const Refusal &refusal, const QString &consequence = {});

// A value not used: what it is, and why.
struct RefusedValue
{
    QString label; // "Draught"
    Refusal refusal;

    friend bool operator==(const RefusedValue &, const RefusedValue &) = default;
};

// The reasons a window shows for what it does not work out, in order: the
// values refused, each worded by refusalText(), and reasons of other kinds
// (two tides too far apart). The refused values are kept beside their
// lines, so that what was refused can be asked by kind.
struct Reasons
{
    QStringList lines;
    QList<RefusedValue> refused;

    bool isEmpty() const { return lines.isEmpty(); }
    void add(const QString &reason) { lines << reason; }
    void refuse(const QString &label, const Refusal &refusal, const QString &consequence = {});
    // The text read by readValue(), or none with its refusal added.
    std::optional<double> read(const QString &label, const QString &text, const ValueRule &rule,
                               const QString &consequence = {});
    Reasons &operator<<(const Reasons &more);
};

} // namespace ondal
