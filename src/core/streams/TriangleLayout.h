#pragma once

#include "core/streams/LegSolver.h"
#include "core/tide/CurveLayout.h"

#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// Where everything of a leg's vector triangle goes, worked out without a
// widget: drawn to scale and north up, the track made good from the
// departure to the end of the track, the streams' drifts laid end to end
// from the departure (one an hour), and the water track from the end of the
// last drift to the end of the track, each with its label, a north arrow and
// a scale bar of a round length. The arrowheads follow chartwork: one on the
// water track, two on the track made good, three on a stream.
//
// The work is bounded by the leg's pieces (at most one a tidal hour), and
// every coordinate given is finite.

namespace ondal::streams {

struct TriangleVector
{
    enum class Kind { Track, Stream, Water };
    Kind kind = Kind::Track;
    int hour = 0;        // Stream only
    QLineF line;         // from its start to its end, in the target's units
    bool drawn = false;  // false for one too short to draw (a slack hour)
    QList<QLineF> heads; // the arrowheads' strokes, at the middle of the line
    QString text;        // "Track 140° 4.0 M", "HW+2 230° 2.1 M", "Water 112° 4.5 M"
    QRectF box;          // the label's box
};

struct TriangleLayout
{
    // False where there is no room for a readable triangle: then the target
    // gets the hint instead.
    bool drawn = false;
    QRectF target;
    qreal unit = 1.0;              // one pixel of a 96 dpi screen
    double scale = 1.0;            // target units to a nautical mile
    QList<TriangleVector> vectors; // the track, the streams in turn, the water track
    QList<QPointF> corners;        // the departure, each drift's end, the end of the track
    QLineF north;                  // the north arrow, its tip at the top
    QList<QLineF> northHead;
    QRectF northBox; // "N"
    QLineF scaleBar;
    QList<QLineF> scaleTicks; // at its two ends
    QString scaleText;        // "1 M", "0.5 M"
    QRectF scaleBox;
};

// Lays out the leg's triangle in target. unit is the length of one pixel of
// a 96 dpi screen on the device (1 on a screen at that resolution).
TriangleLayout layOutTriangle(const QRectF &target, const LegSolution &leg,
                              const tide::TextMeasure &measure, qreal unit = 1.0);

// The scale bar's length in miles: 1, 2 or 5 times a power of ten, the
// longest not above `most`; 0 for a `most` that is not a positive number.
double roundScaleLength(double most);

// The vectors in words, a line each, in the order they are drawn: "Track
// made good 140° T, 4.0 M", "Stream HW+2 230°, 2.1 M (2.8 kn for 45 min)",
// "Water track 112° T, 4.5 M (6.0 kn for 45 min)".
QStringList triangleDescription(const LegSolution &leg);

} // namespace ondal::streams
