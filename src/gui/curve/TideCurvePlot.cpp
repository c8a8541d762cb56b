#include "gui/curve/TideCurvePlot.h"

#include "core/tide/CurveLayout.h"
#include "gui/shell/PlotPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace ondal::tide;

namespace ondal {
namespace {

// Points of the curve stroked at a time.
constexpr qsizetype CurveRun = 32;

struct Colours
{
    QColor base;
    QColor text;
    QColor grid;
    QColor frame;
    QColor curve;
    QColor shade;
    QColor labelGround;
};

Colours coloursOf(const QPalette &palette)
{
    Colours c;
    c.base = palette.color(QPalette::Active, QPalette::Base);
    c.text = palette.color(QPalette::Active, QPalette::Text);
    c.curve = palette.color(QPalette::Active, QPalette::Highlight);
    c.grid = mixed(c.base, c.text, 0.16f);
    c.frame = mixed(c.base, c.text, 0.55f);
    c.shade = mixed(c.base, c.curve, 0.30f);
    c.labelGround = c.base;
    c.labelGround.setAlphaF(0.85f);
    return c;
}

QPen neededPen(const Colours &colours, qreal unit)
{
    return QPen(colours.text, 1.5 * unit, Qt::DashDotLine, Qt::FlatCap);
}

// Dots twice as thick as the needed line's, so the two levels differ at a
// glance and in grey on paper.
QPen overheadPen(const Colours &colours, qreal unit)
{
    return QPen(colours.text, 2.5 * unit, Qt::DotLine, Qt::FlatCap);
}

} // namespace

void paintTideCurve(QPainter &painter, const QRectF &target, const TideReading &reading,
                    const QPalette &palette, const QString &hint)
{
    painter.save();
    const qreal unit = unitOf(painter);
    const Colours colours = coloursOf(palette);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const CurveLayout layout = layOutTideCurve(
        target, reading,
        [&](const QString &text) {
            return QSizeF(metrics.horizontalAdvance(text), metrics.height());
        },
        unit);

    if (!layout.plotted) {
        painter.setRenderHint(QPainter::Antialiasing);
        paintFrame(painter, target, palette, unit, hasCurve(reading) ? QString() : hint);
        painter.restore();
        return;
    }
    const QRectF &area = layout.area;
    const qreal ascent = metrics.ascent();
    // Text at its box's left edge on the baseline, without laying it out again.
    const auto text = [&](const QRectF &box, const QString &s) {
        painter.drawText(QPointF(box.left(), box.top() + ascent), s);
    };

    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.base);
    painter.drawRect(target);

    // The shading the layout chose (where the passage is possible, or where
    // each given level holds), every stretch of it, opaque and without
    // antialiasing: a blended fill over most of a large plot would cost more
    // than the rest of it, and its edge does not show under the curve's
    // stroke. The grid goes over it. It lies inside the area as laid out: no
    // clipping.
    painter.setBrush(colours.shade);
    for (const QList<QPointF> &shade : layout.shades)
        painter.drawPolygon(shade.constData(), int(shade.size()));

    // The grid, straight across the pixels, and the axes' labels.
    painter.setPen(QPen(colours.grid, unit));
    for (const AxisTick &tick : layout.heightTicks)
        painter.drawLine(QPointF(area.left(), tick.at), QPointF(area.right(), tick.at));
    for (const AxisTick &tick : layout.timeTicks)
        painter.drawLine(QPointF(tick.at, area.top()), QPointF(tick.at, area.bottom()));
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(colours.text);
    for (const AxisTick &tick : layout.heightTicks)
        text(tick.box, tick.text);
    text(layout.unitBox, u"m"_s);
    for (const AxisTick &tick : layout.timeTicks)
        text(tick.box, tick.text);

    // Everything from here lies inside the area as laid out: no clipping.
    painter.setRenderHint(QPainter::Antialiasing);
    // The needed height dash-dotted and the overhead limit dotted, across
    // the whole plot, at its edge where they lie beyond the scale.
    if (layout.needed != LevelPlace::None) {
        painter.setPen(neededPen(colours, unit));
        painter.drawLine(layout.neededLine);
    }
    if (layout.overhead != LevelPlace::None) {
        painter.setPen(overheadPen(colours, unit));
        painter.drawLine(layout.overheadLine);
    }
    // The straight line between the tides, dashed, and the cosine curve.
    if (layout.straight) {
        painter.setPen(QPen(colours.text, unit, Qt::DashLine, Qt::FlatCap));
        painter.drawLine(*layout.straight);
    }
    // The curve in short runs, each meeting the next in a round cap on their
    // shared point, which looks as one round join: the antialiased stroke of
    // one long polyline costs several times as much, the more so the more
    // it swings up and down the plot (a day of nine tides at 1500 × 800:
    // 8 ms as one, 1.5 ms in runs).
    painter.setPen(QPen(colours.curve, 2.5 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    for (qsizetype i = 0; i + 1 < layout.curve.size(); i += CurveRun)
        painter.drawPolyline(layout.curve.constData() + i,
                             int(std::min(CurveRun + 1, layout.curve.size() - i)));
    if (layout.requiredLine) {
        painter.setPen(QPen(colours.text, 1.5 * unit));
        painter.drawLine(*layout.requiredLine);
    }

    // Labels over every line, the points over them.
    for (const CurveLabel &label : layout.labels) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.labelGround);
        painter.drawRoundedRect(label.box, 2 * unit, 2 * unit);
        painter.setPen(colours.text);
        text(label.box.adjusted(2 * unit, 0, 0, 0), label.text);
    }
    painter.setPen(QPen(colours.base, 1.5 * unit));
    painter.setBrush(colours.curve);
    const qreal r = layout.dotRadius;
    for (const QPointF &p : layout.tidePoints)
        painter.drawEllipse(p, r, r);
    if (layout.requiredPoint)
        painter.drawEllipse(*layout.requiredPoint, r, r);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // The frame, then the legend under the time axis.
    painter.setPen(QPen(colours.frame, unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    for (const LegendEntry &entry : layout.legend) {
        const QRectF &s = entry.sample;
        const QLineF middle(s.left(), s.center().y(), s.right(), s.center().y());
        switch (entry.kind) {
        case LegendEntry::Kind::Curve:
            painter.setPen(QPen(colours.curve, 2.5 * unit, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(middle);
            break;
        case LegendEntry::Kind::Straight:
            painter.setPen(QPen(colours.text, unit, Qt::DashLine, Qt::FlatCap));
            painter.drawLine(middle);
            break;
        case LegendEntry::Kind::Shade:
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.shade);
            painter.drawRect(s);
            break;
        case LegendEntry::Kind::Overhead:
            painter.setPen(overheadPen(colours, unit));
            painter.drawLine(middle);
            break;
        }
        painter.setPen(colours.text);
        text(entry.textBox, entry.text);
    }
    painter.restore();
}

TideCurvePlot::TideCurvePlot(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TideCurvePlot::setReading(const TideReading &reading, const QString &hint)
{
    m_reading = reading;
    m_hint = hint;
    update();
}

QSize TideCurvePlot::sizeHint() const
{
    return QSize(560, 320);
}

QSize TideCurvePlot::minimumSizeHint() const
{
    // An area some 11 lines high inside the axes' labels and the legend.
    const int line = fontMetrics().height();
    return QSize(20 * line, 14 * line);
}

void TideCurvePlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintTideCurve(painter, rect(), m_reading, palette(), m_hint);
}

} // namespace ondal
