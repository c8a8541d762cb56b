#include "core/streams/TriangleLayout.h"

#include "core/runtime/LineText.h"
#include "core/streams/StreamWorking.h"
#include "core/tide/LabelPlacer.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal::streams {
namespace {

// Chartwork's arrowheads: one on the water track, two on the track made
// good, three on a stream.
int headsOf(TriangleVector::Kind kind)
{
    switch (kind) {
    case TriangleVector::Kind::Water:
        return 1;
    case TriangleVector::Kind::Track:
        return 2;
    case TriangleVector::Kind::Stream:
        break;
    }
    return 3;
}

QString milesText(double miles)
{
    return oneDecimalText(miles) + u" M"_s;
}

QString knotsText(double knots)
{
    return oneDecimalText(knots) + u" kn"_s;
}

// The two strokes of an arrowhead whose tip is at `tip`, pointing along
// the unit vector `along`.
QList<QLineF> chevron(const QPointF &tip, const QPointF &along, qreal length)
{
    constexpr double Spread = 0.45; // radians either side, about 26°
    QList<QLineF> strokes;
    for (const double turn : {Spread, -Spread}) {
        const double c = std::cos(turn);
        const double s = std::sin(turn);
        const QPointF back(-(along.x() * c - along.y() * s), -(along.x() * s + along.y() * c));
        strokes << QLineF(tip, tip + back * length);
    }
    return strokes;
}

// `count` arrowheads about the middle of the line, as many as fit in it.
QList<QLineF> headsAlong(const QLineF &line, int count, qreal unit)
{
    const qreal length = line.length();
    const qreal headLength = 7 * unit;
    if (!(length > headLength))
        return {};
    const QPointF along = (line.p2() - line.p1()) / length;
    const qreal spacing = std::min<qreal>(6 * unit, (length - headLength) / count);
    QList<QLineF> strokes;
    for (int i = 0; i < count; ++i) {
        const qreal from = (i - (count - 1) / 2.0) * spacing + headLength / 2;
        strokes << chevron(line.center() + along * from, along, headLength);
    }
    return strokes;
}

// A length of the scale bar as written: "1", "0.5", "20", with as many
// decimals as it has.
QString scaleNumber(double miles)
{
    const int decimals = std::max(0, -int(std::floor(std::log10(miles) + 1e-9)));
    return QLocale().toString(miles, 'f', decimals);
}

bool isFinite(const Vector &v)
{
    return std::isfinite(v.east) && std::isfinite(v.north);
}

} // namespace

double roundScaleLength(double most)
{
    if (!(most > 0.0) || !std::isfinite(most))
        return 0.0;
    const double power = std::pow(10.0, std::floor(std::log10(most)));
    for (const double p : {power, power / 10.0}) {
        for (const double m : {5.0, 2.0, 1.0}) {
            if (m * p <= most)
                return m * p;
        }
    }
    return power / 10.0;
}

QStringList triangleDescription(const LegSolution &leg)
{
    QStringList out{u"Track made good %1, %2"_s.arg(courseText(bearingOf(leg.groundTrack), u"T"),
                                                    milesText(leg.groundTrack.length()))};
    for (const LegPiece &piece : leg.pieces) {
        const QString span = spanText(std::round(piece.until) - std::round(piece.from));
        const double rate = piece.stream.length();
        if (rate > 0.0)
            out << u"Stream %1 %2, %3 (%4 for %5)"_s.arg(
                hourName(piece.hour), bearingText(bearingOf(piece.stream)),
                milesText(piece.drift().length()), knotsText(rate), span);
        else
            out << u"Stream %1: none for %2"_s.arg(hourName(piece.hour), span);
    }
    const double hours = leg.minutes / 60.0;
    out << u"Water track %1, %2 (%3 for %4)"_s.arg(
        courseText(leg.course(), u"T"), milesText(leg.waterTrack.length()),
        knotsText(hours > 0.0 ? leg.waterTrack.length() / hours : 0.0), spanText(leg.minutes));
    return out;
}

TriangleLayout layOutTriangle(const QRectF &target, const LegSolution &leg,
                              const tide::TextMeasure &measure, qreal unit)
{
    TriangleLayout out;
    out.target = target;
    out.unit = unit;
    const QList<Vector> miles = leg.corners();
    if (leg.pieces.isEmpty() || !target.isValid() || !std::isfinite(target.width()) ||
        !std::isfinite(target.height()) || !(unit > 0.0) ||
        !std::all_of(miles.cbegin(), miles.cend(), isFinite))
        return out;

    // The labels first: the room kept around the figure is theirs.
    using Kind = TriangleVector::Kind;
    const Vector &end = miles.last();
    out.vectors << TriangleVector{
        Kind::Track, 0,  {},
        false,       {}, u"Track %1 %2"_s.arg(bearingText(bearingOf(end)), milesText(end.length())),
        {}};
    for (const LegPiece &piece : leg.pieces)
        out.vectors << TriangleVector{Kind::Stream,
                                      piece.hour,
                                      {},
                                      false,
                                      {},
                                      u"%1 %2 %3"_s.arg(hourName(piece.hour),
                                                        bearingText(bearingOf(piece.stream)),
                                                        milesText(piece.drift().length())),
                                      {}};
    out.vectors << TriangleVector{
        Kind::Water,
        0,
        {},
        false,
        {},
        u"Water %1 %2"_s.arg(bearingText(leg.course()), milesText(leg.waterTrack.length())),
        {}};
    const qreal line = measure(u"N"_s).height();
    const qreal pad = 6 * unit;
    qreal widest = 0;
    for (const TriangleVector &v : std::as_const(out.vectors))
        widest = std::max(widest, measure(v.text).width());
    const qreal sideRoom = std::min(widest * 0.6 + pad, target.width() / 5);
    const QRectF box = target.adjusted(sideRoom, line + 2 * pad, -sideRoom, -(2 * line + 3 * pad));
    if (box.width() < 40 * unit || box.height() < 40 * unit || !std::isfinite(line) ||
        !std::isfinite(widest))
        return out;

    // North up: east to the right, north up the page, one scale both ways,
    // the figure in the middle of its box.
    double minEast = 0, maxEast = 0, minNorth = 0, maxNorth = 0;
    for (const Vector &c : miles) {
        minEast = std::min(minEast, c.east);
        maxEast = std::max(maxEast, c.east);
        minNorth = std::min(minNorth, c.north);
        maxNorth = std::max(maxNorth, c.north);
    }
    const double extent = std::max(maxEast - minEast, maxNorth - minNorth);
    if (!(extent > 0.0) || !std::isfinite(extent))
        return out;
    const double least = extent * 1e-3; // a figure along a meridian or a parallel
    out.scale = std::min(box.width() / std::max(maxEast - minEast, least),
                         box.height() / std::max(maxNorth - minNorth, least));
    const double midEast = (minEast + maxEast) / 2;
    const double midNorth = (minNorth + maxNorth) / 2;
    const auto place = [&](const Vector &c) {
        return QPointF(box.center().x() + (c.east - midEast) * out.scale,
                       box.center().y() - (c.north - midNorth) * out.scale);
    };
    for (const Vector &c : miles)
        out.corners << place(c);

    // The track from the departure, the drifts end to end, the water track
    // from the last drift's end.
    const qsizetype last = out.corners.size() - 1;
    out.vectors.first().line = QLineF(out.corners.first(), out.corners.at(last));
    for (qsizetype i = 0; i < leg.pieces.size(); ++i)
        out.vectors[i + 1].line = QLineF(out.corners.at(i), out.corners.at(i + 1));
    out.vectors.last().line = QLineF(out.corners.at(last - 1), out.corners.at(last));
    for (TriangleVector &v : out.vectors) {
        v.drawn = v.line.length() >= 2 * unit;
        if (v.drawn)
            v.heads = headsAlong(v.line, headsOf(v.kind), unit);
    }

    // The north arrow in the top left corner, the scale bar along the
    // bottom: a round length near two fifths of the figure's width.
    const qreal northX = target.left() + pad + line / 2;
    const qreal northTop = target.top() + pad + line;
    out.north = QLineF(northX, northTop + 2.5 * line, northX, northTop);
    out.northHead = chevron(out.north.p2(), QPointF(0, -1), 7 * unit);
    const qreal nWidth = measure(u"N"_s).width();
    out.northBox = QRectF(northX - nWidth / 2, target.top() + pad, nWidth, line);
    const double scaleMiles = roundScaleLength(box.width() * 0.4 / out.scale);
    const qreal barY = target.bottom() - pad - line / 2;
    const qreal barLeft = target.left() + pad;
    out.scaleBar = QLineF(barLeft, barY, barLeft + scaleMiles * out.scale, barY);
    for (const QPointF &p : {out.scaleBar.p1(), out.scaleBar.p2()})
        out.scaleTicks << QLineF(p.x(), p.y() - 3 * unit, p.x(), p.y() + 3 * unit);
    out.scaleText = scaleNumber(scaleMiles) + u" M"_s;
    const QSizeF scaleSize = measure(out.scaleText);
    out.scaleBox =
        QRectF(QPointF(out.scaleBar.p2().x() + pad, barY - scaleSize.height() / 2), scaleSize);

    // Each label beside the middle of its line, on the side away from the
    // rest of the figure where that is clear, clear of every line, the
    // corners, the arrow and the scale; the answers first, the streams after.
    const QList<QPointF> noCurve;
    const qreal gap = 3 * unit;
    tide::LabelPlacer placer(target.adjusted(unit, unit, -unit, -unit), noCurve, gap);
    placer.keepClearOf(out.northBox.united(QRectF(out.north.p1(), out.north.p2())));
    placer.keepClearOf(
        QRectF(out.scaleBar.p1() - QPointF(0, 3 * unit), out.scaleBox.bottomRight()));
    QPointF middle;
    for (const QPointF &c : std::as_const(out.corners)) {
        middle += c / qreal(out.corners.size());
        placer.keepClearOf(QRectF(c - QPointF(3 * unit, 3 * unit), QSizeF(6 * unit, 6 * unit)));
    }
    for (const TriangleVector &v : std::as_const(out.vectors)) {
        if (v.drawn)
            placer.keepClearOf(v.line);
    }
    QList<qsizetype> order{0, out.vectors.size() - 1};
    for (qsizetype i = 1; i + 1 < out.vectors.size(); ++i)
        order << i;
    for (const qsizetype i : std::as_const(order)) {
        TriangleVector &v = out.vectors[i];
        if (!v.drawn)
            continue;
        const QSizeF size = measure(v.text);
        const QPointF along = (v.line.p2() - v.line.p1()) / v.line.length();
        QPointF normal(-along.y(), along.x());
        if (QPointF::dotProduct(v.line.center() - middle, normal) < 0)
            normal = -normal;
        // The centre far enough along the normal for the box to clear the
        // line, or a quarter of the line to either side; in the placer's
        // offsets, which count in half the box and a gap.
        const qreal clear = size.width() / 2 * std::abs(normal.x()) +
                            size.height() / 2 * std::abs(normal.y()) + gap;
        const QPointF shift = along * (v.line.length() / 4);
        const auto offset = [&](const QPointF &centre) {
            return QPointF(centre.x() / (size.width() / 2 + 2 * gap),
                           centre.y() / (size.height() / 2 + gap));
        };
        const QPointF side = normal * clear;
        v.box = placer.place(size, v.line.center(),
                             {offset(side), offset(-side), offset(side + shift),
                              offset(side - shift), offset(-side + shift), offset(-side - shift)},
                             placer.grid(size));
    }
    out.drawn = true;
    return out;
}

} // namespace ondal::streams
