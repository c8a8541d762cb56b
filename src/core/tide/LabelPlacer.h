#pragma once

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <initializer_list>
#include <optional>

// Where a plot's labels go so that each can be read: clear of the points, of
// the curve and of one another, inside the plot's area. Widget-free; the
// work is bounded by the number of places tried, never by the numbers.

namespace ondal::tide {

// A box moved inside the area where it would stick out.
QRectF fittedInto(QRectF box, const QRectF &area);

class LabelPlacer
{
public:
    // The curve's points run left to right; gap is the room kept around a
    // label.
    LabelPlacer(const QRectF &area, const QList<QPointF> &curve, qreal gap);

    // A box no label may cover (a point drawn on the plot).
    void keepClearOf(const QRectF &box) { m_taken << box; }
    // A line no label may cross where it can be helped, as the curve: a
    // vector of a diagram running any way.
    void keepClearOf(const QLineF &line) { m_lines << line; }

    // The first preferred place that is clear of all, else the clear place
    // of the scan nearest the anchor, else the first place clear of the
    // points and labels at least. Offsets are in half the label's size, plus
    // a gap, from the anchor. The place chosen is taken.
    QRectF place(const QSizeF &size, const QPointF &anchor, std::initializer_list<QPointF> offsets,
                 const QList<QRectF> &scan);
    // The same, but none where no place inside the area is clear of the
    // points and labels: where labels are many, one that cannot be read
    // beside the others is left out rather than laid over them.
    std::optional<QRectF> placeIfClear(const QSizeF &size, const QPointF &anchor,
                                       std::initializer_list<QPointF> offsets,
                                       const QList<QRectF> &scan);

    // Boxes of the given size spread over the area, for place()'s scan.
    QList<QRectF> grid(const QSizeF &size) const;
    // Boxes of the given size just above and below a level line at y.
    QList<QRectF> along(const QSizeF &size, qreal y) const;

private:
    QList<QRectF> preferredPlaces(const QSizeF &size, const QPointF &anchor,
                                  std::initializer_list<QPointF> offsets) const;
    std::optional<QRectF> clearPlace(const QList<QRectF> &preferred, const QPointF &anchor,
                                     const QList<QRectF> &scan) const;
    bool isClear(const QRectF &box) const;
    bool meetsCurve(const QRectF &box) const;

    QRectF m_area;
    const QList<QPointF> &m_curve;
    qreal m_gap;
    QList<QRectF> m_taken;
    QList<QLineF> m_lines;
};

} // namespace ondal::tide
