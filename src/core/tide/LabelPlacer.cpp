#include "core/tide/LabelPlacer.h"

#include <algorithm>
#include <optional>

namespace ondal::tide {
namespace {

// Where no preferred place is clear, a label tries this many places more.
constexpr int ScanColumns = 12;
constexpr int ScanRows = 10;

// Whether the segment a–b passes through the box (Liang–Barsky).
bool crosses(const QPointF &a, const QPointF &b, const QRectF &box)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    double enter = 0.0;
    double leave = 1.0;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave)
            return false;
    }
    return true;
}

} // namespace

QRectF fittedInto(QRectF box, const QRectF &area)
{
    if (box.right() > area.right())
        box.moveRight(area.right());
    if (box.left() < area.left())
        box.moveLeft(area.left());
    if (box.bottom() > area.bottom())
        box.moveBottom(area.bottom());
    if (box.top() < area.top())
        box.moveTop(area.top());
    return box;
}

LabelPlacer::LabelPlacer(const QRectF &area, const QList<QPointF> &curve, qreal gap)
    : m_area(area), m_curve(curve), m_gap(gap)
{}

QRectF LabelPlacer::place(const QSizeF &size, const QPointF &anchor,
                          std::initializer_list<QPointF> offsets, const QList<QRectF> &scan)
{
    const QList<QRectF> preferred = preferredPlaces(size, anchor, offsets);
    const QRectF box = clearPlace(preferred, anchor, scan)
                           .value_or(preferred.value(0, fittedInto(QRectF(anchor, size), m_area)));
    m_taken << box;
    return box;
}

std::optional<QRectF> LabelPlacer::placeIfClear(const QSizeF &size, const QPointF &anchor,
                                                std::initializer_list<QPointF> offsets,
                                                const QList<QRectF> &scan)
{
    // A label larger than the area sticks out of it wherever it goes.
    if (!(size.width() <= m_area.width()) || !(size.height() <= m_area.height()))
        return std::nullopt;
    const std::optional<QRectF> box =
        clearPlace(preferredPlaces(size, anchor, offsets), anchor, scan);
    if (box)
        m_taken << *box;
    return box;
}

QList<QRectF> LabelPlacer::preferredPlaces(const QSizeF &size, const QPointF &anchor,
                                           std::initializer_list<QPointF> offsets) const
{
    QList<QRectF> preferred;
    for (const QPointF &offset : offsets) {
        const QPointF centre = anchor + QPointF(offset.x() * (size.width() / 2 + 2 * m_gap),
                                                offset.y() * (size.height() / 2 + m_gap));
        preferred << fittedInto(QRectF(centre - QPointF(size.width(), size.height()) / 2, size),
                                m_area);
    }
    return preferred;
}

// The first preferred place clear of all, else the scan's nearest the
// anchor; then the same clear of the points and labels only.
std::optional<QRectF> LabelPlacer::clearPlace(const QList<QRectF> &preferred, const QPointF &anchor,
                                              const QList<QRectF> &scan) const
{
    QList<QRectF> others = scan;
    const auto distance = [&](const QRectF &r) {
        const QPointF d = r.center() - anchor;
        return d.x() * d.x() + d.y() * d.y();
    };
    std::stable_sort(others.begin(), others.end(),
                     [&](const QRectF &a, const QRectF &b) { return distance(a) < distance(b); });
    const QList<QRectF> *const lists[] = {&preferred, &others};
    for (const bool offCurve : {true, false}) {
        for (const QList<QRectF> *list : lists) {
            for (const QRectF &box : *list) {
                if (isClear(box) && !(offCurve && meetsCurve(box)))
                    return box;
            }
        }
    }
    return std::nullopt;
}

QList<QRectF> LabelPlacer::grid(const QSizeF &size) const
{
    QList<QRectF> boxes;
    for (int row = 0; row < ScanRows; ++row) {
        for (int column = 0; column < ScanColumns; ++column) {
            const qreal x =
                m_area.left() + (m_area.width() - size.width()) * column / (ScanColumns - 1);
            const qreal y = m_area.top() + (m_area.height() - size.height()) * row / (ScanRows - 1);
            boxes << fittedInto(QRectF(QPointF(x, y), size), m_area);
        }
    }
    return boxes;
}

QList<QRectF> LabelPlacer::along(const QSizeF &size, qreal y) const
{
    QList<QRectF> boxes;
    for (int column = 0; column < ScanColumns; ++column) {
        const qreal x =
            m_area.left() + (m_area.width() - size.width()) * column / (ScanColumns - 1);
        for (const qreal top : {y - m_gap - size.height(), y + m_gap})
            boxes << fittedInto(QRectF(QPointF(x, top), size), m_area);
    }
    return boxes;
}

bool LabelPlacer::isClear(const QRectF &box) const
{
    return std::none_of(m_taken.cbegin(), m_taken.cend(),
                        [&](const QRectF &r) { return r.intersects(box); });
}

// The curve's points run left to right: only the segments under the box are
// looked at. The other lines are few, and each is looked at.
bool LabelPlacer::meetsCurve(const QRectF &box) const
{
    if (std::any_of(m_lines.cbegin(), m_lines.cend(),
                    [&](const QLineF &line) { return crosses(line.p1(), line.p2(), box); }))
        return true;
    if (m_curve.size() < 2)
        return false;
    auto it = std::lower_bound(m_curve.cbegin(), m_curve.cend(), box.left(),
                               [](const QPointF &p, qreal x) { return p.x() < x; });
    if (it != m_curve.cbegin())
        --it;
    for (; it + 1 != m_curve.cend() && it->x() <= box.right(); ++it) {
        if (crosses(*it, *(it + 1), box))
            return true;
    }
    return false;
}

} // namespace ondal::tide
