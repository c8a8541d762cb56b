#pragma once

#include "core/runtime/ValueReader.h"

#include <QString>

// Directions and the vectors of a passage: bearings in degrees clockwise
// from north, 0 to 360; vectors in knots or nautical miles, east and north,
// so that a painter draws them north up by turning north into minus y.

namespace ondal::streams {

struct Vector
{
    double east = 0.0;
    double north = 0.0;

    friend Vector operator+(Vector a, Vector b) { return {a.east + b.east, a.north + b.north}; }
    friend Vector operator-(Vector a, Vector b) { return {a.east - b.east, a.north - b.north}; }
    friend Vector operator*(Vector a, double k) { return {a.east * k, a.north * k}; }
    friend double dot(Vector a, Vector b) { return a.east * b.east + a.north * b.north; }
    // Positive where b lies clockwise of a: to starboard of a ship heading along a.
    friend double cross(Vector a, Vector b) { return a.north * b.east - a.east * b.north; }

    double length() const;
};

// The vector of the given length towards a bearing.
Vector towards(double bearing, double length);
// The bearing a vector points towards, 0 up to 360; 0 for no length.
double bearingOf(Vector v);
// Degrees brought within 0 up to 360.
double normalised(double degrees);

// A bearing in degrees true as typed: "140", "140°", "140° T", "140 T" or
// "140T", read whole as readValue() reads a number, from 0 to 360; 360 is
// north and reads as 0. The refusal quotes the text as typed.
ValueRead readBearing(const QString &text);

// The greatest variation and deviation read, either way. A variation of
// more than 180° is no direction at all; a compass that deviates more than
// 45° is not one to steer by.
inline constexpr double VariationLimit = 180.0;
inline constexpr double DeviationLimit = 45.0;

// A variation or a deviation as typed, east positive: "4W", "4 W", "4°W",
// "4° W", "4E", "4e", "-4" (west) or "0", read whole with one decimal point
// as readValue() reads a number, up to `limit` either way. Anything else is
// refused as NotInForm with `form` ("a variation such as 4°W or 4°E"): a
// bare "4" or "+4", which could be meant either way, and a sign before a
// letter ("-4W"), which says the same twice.
ValueRead readEastWest(const QString &text, double limit, const QString &form);
ValueRead readVariation(const QString &text);
ValueRead readDeviation(const QString &text);

// A course to the whole degree with three digits and its reference:
// "029° T", "117° C"; 359.6 is "000° T".
QString courseText(double degrees, QStringView reference);
// A set or a direction the same way without a reference: "230°".
QString bearingText(double degrees);
// Degrees as read, to one decimal where there is one: "6°", "6.5°".
QString degreesText(double degrees);
// A variation or deviation, east positive: "4° W", "5° E", "0°".
QString eastWestText(double degrees);

} // namespace ondal::streams
