#include "core/streams/Bearings.h"

#include "core/runtime/LineText.h"

#include <QLocale>

#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace ondal::streams {
namespace {

constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;
constexpr QChar Degree = u'\u00B0';

// The text with one character and the blanks before it taken off its end,
// where it ends in one of `ends`.
bool takeEnd(QString &text, QStringView ends)
{
    if (text.isEmpty() || !ends.contains(text.back()))
        return false;
    text.chop(1);
    text = text.trimmed();
    return true;
}

ValueRead refusedAs(Refusal refusal, const QString &typed)
{
    refusal.typed = typed;
    return {std::nullopt, refusal};
}

bool startsWithDigitOrPoint(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar c = text.front();
    const QString point = QLocale().decimalPoint();
    return (c >= u'0' && c <= u'9') || c == u'.' || (point.size() == 1 && c == point.front());
}

// A number rounded to one decimal, as degrees are shown.
double tenths(double value)
{
    return std::round(value * 10.0) / 10.0;
}

} // namespace

double Vector::length() const
{
    return std::hypot(east, north);
}

Vector towards(double bearing, double length)
{
    const double radians = bearing / DegreesPerRadian;
    return {length * std::sin(radians), length * std::cos(radians)};
}

double bearingOf(Vector v)
{
    if (v.east == 0.0 && v.north == 0.0)
        return 0.0;
    return normalised(std::atan2(v.east, v.north) * DegreesPerRadian);
}

double normalised(double degrees)
{
    double out = std::fmod(degrees, 360.0);
    if (out < 0.0)
        out += 360.0;
    // fmod of a tiny negative number can round up to 360 itself.
    return out >= 360.0 ? 0.0 : out;
}

ValueRead readBearing(const QString &text)
{
    if (text.size() >= ValueFieldLength)
        return readValue(text);
    QString number = text.trimmed();
    takeEnd(number, u"Tt");
    takeEnd(number, QStringView(&Degree, 1));
    if (number.isEmpty() && !text.trimmed().isEmpty())
        return {std::nullopt, Refusal{Refusal::Kind::NotANumber, text, {}}};
    const ValueRead read = readValue(number, ValueRule{0.0, 360.0, {}, u"0 to 360°"_s});
    if (!read)
        return refusedAs(read.refusal, text);
    return {*read.value == 360.0 ? 0.0 : *read.value, {}};
}

ValueRead readEastWest(const QString &text, double limit, const QString &form)
{
    if (text.size() >= ValueFieldLength)
        return readValue(text);
    QString number = text.trimmed();
    if (number.isEmpty())
        return {std::nullopt, Refusal{Refusal::Kind::NotGiven, text, {}}};
    const double side = number.back().toUpper() == u'W' ? -1.0 : 1.0;
    const bool named = takeEnd(number, u"EeWw");
    takeEnd(number, QStringView(&Degree, 1));
    // A letter says which way; a sign as well says it twice.
    if (named && !startsWithDigitOrPoint(number))
        return {std::nullopt, notInForm(text, form)};

    const ValueRule rule{-limit, limit, {}, u"0 to %1° east or west"_s.arg(limitText(limit))};
    const ValueRead read = readValue(number, rule);
    if (!read) {
        switch (read.refusal.kind) {
        case Refusal::Kind::TooLarge:
        case Refusal::Kind::OutOfBounds:
            return refusedAs(read.refusal, text);
        default:
            return {std::nullopt, notInForm(text, form)};
        }
    }
    // Without a letter only a minus says which way (west); a bare "4" may
    // be meant either way, and 8° out is a course nobody should steer.
    if (!named && *read.value > 0.0)
        return {std::nullopt, notInForm(text, form)};
    const double value = side * *read.value;
    return {value == 0.0 ? 0.0 : value, {}};
}

ValueRead readVariation(const QString &text)
{
    return readEastWest(text, VariationLimit, u"a variation such as 4°W or 4°E"_s);
}

ValueRead readDeviation(const QString &text)
{
    return readEastWest(text, DeviationLimit, u"a deviation such as 4°W or 4°E"_s);
}

QString courseText(double degrees, QStringView reference)
{
    return bearingText(degrees) + u' ' + reference.toString();
}

QString bearingText(double degrees)
{
    if (!std::isfinite(degrees))
        return u"---°"_s;
    int whole = static_cast<int>(std::round(normalised(degrees)));
    if (whole >= 360)
        whole = 0;
    return u"%1°"_s.arg(whole, 3, 10, QChar(u'0'));
}

QString degreesText(double degrees)
{
    const double shown = tenths(degrees) + 0.0; // never "-0°"
    if (shown == std::round(shown))
        return QString::number(shown, 'f', 0) + Degree;
    return oneDecimalText(shown) + Degree;
}

QString eastWestText(double degrees)
{
    const double shown = tenths(degrees);
    if (shown == 0.0)
        return degreesText(0.0);
    return degreesText(std::abs(shown)) + (shown < 0.0 ? u" W"_s : u" E"_s);
}

} // namespace ondal::streams
