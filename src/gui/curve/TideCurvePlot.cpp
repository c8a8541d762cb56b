#include "gui/curve/TideCurvePlot.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace ondal::tide;

namespace ondal {
namespace {

// Lengths are written in pixels of a 96 dpi screen and scaled to the
// device, so a printed plot has the proportions of the one on screen.
qreal unitOf(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    return device && device->logicalDpiY() > 0 ? device->logicalDpiY() / 96.0 : 1.0;
}

// A step of 1, 2, 2.5 or 5 times a power of ten that cuts the span into at
// most about `count` parts.
double niceStep(double span, double count)
{
    const double raw = span / std::max(count, 1.0);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 2.5, 5.0}) {
        if (m * magnitude >= raw)
            return m * magnitude;
    }
    return 10.0 * magnitude;
}

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
    c.grid = c.text;
    c.grid.setAlphaF(0.16f);
    c.frame = c.text;
    c.frame.setAlphaF(0.55f);
    c.shade = c.curve;
    c.shade.setAlphaF(0.30f);
    c.labelGround = c.base;
    c.labelGround.setAlphaF(0.85f);
    return c;
}

// The plot area with its scales: minutes across, metres up.
class Frame
{
public:
    Frame(const QRectF &area, double t0, double t1, double h0, double h1)
        : m_area(area), m_t0(t0), m_t1(t1), m_h0(h0), m_h1(h1)
    {}
    const QRectF &area() const { return m_area; }
    double t0() const { return m_t0; }
    double t1() const { return m_t1; }
    double h0() const { return m_h0; }
    double h1() const { return m_h1; }
    qreal x(double minutes) const
    {
        return m_area.left() + (minutes - m_t0) / (m_t1 - m_t0) * m_area.width();
    }
    qreal y(double metres) const
    {
        return m_area.bottom() - (metres - m_h0) / (m_h1 - m_h0) * m_area.height();
    }
    QPointF at(double minutes, double metres) const { return {x(minutes), y(metres)}; }

private:
    QRectF m_area;
    double m_t0, m_t1, m_h0, m_h1;
};

// A label's box moved inside the area where it would stick out.
QRectF fitted(QRectF box, const QRectF &area)
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

// A label on a lightly filled ground, so it reads over lines and shading.
void drawLabel(QPainter &painter, const QRectF &box, const QString &text, const Colours &colours,
               qreal unit)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.labelGround);
    painter.drawRoundedRect(box, 2 * unit, 2 * unit);
    painter.setPen(colours.text);
    painter.drawText(box, Qt::AlignCenter, text);
}

QSizeF textSize(const QFontMetricsF &metrics, const QString &text)
{
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void paintHint(QPainter &painter, const QRectF &target, const QString &hint, const Colours &colours,
               qreal unit)
{
    const QRectF frame = target.adjusted(unit, unit, -unit, -unit);
    painter.setPen(QPen(colours.frame, unit));
    painter.setBrush(colours.base);
    painter.drawRect(frame);
    painter.setPen(colours.text);
    painter.drawText(frame.adjusted(8 * unit, 8 * unit, -8 * unit, -8 * unit),
                     Qt::AlignCenter | Qt::TextWordWrap, hint);
}

} // namespace

void paintTideCurve(QPainter &painter, const QRectF &target, const TideReading &reading,
                    const QPalette &palette, const QString &hint)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal unit = unitOf(painter);
    const Colours colours = coloursOf(palette);
    const QFontMetricsF metrics(painter.font(), painter.device());

    if (!reading.span) {
        paintHint(painter, target, hint, colours, unit);
        painter.restore();
        return;
    }
    const TideSpan &span = *reading.span;
    const Tide high = span.highWater();
    const Tide low = span.lowWater();

    // The needed height is drawn only where it lies near the tide.
    const double neededHeight = reading.neededHeight.value_or(0.0);
    const bool needed = reading.neededHeight && neededHeight >= low.height - span.range() &&
                        neededHeight <= high.height + span.range();

    // Heights: the two tides and the needed height, with chart datum in view
    // unless the tide lies far above it.
    double lo = needed ? std::min(low.height, neededHeight) : low.height;
    const double hi = needed ? std::max(high.height, neededHeight) : high.height;
    if (lo > 0.0 && lo <= 2.0 * span.range())
        lo = 0.0;
    const double pad = (hi - lo) * 0.1;
    const double h0 = lo == 0.0 ? 0.0 : lo - pad;
    const double h1 = hi + 1.5 * pad;
    const double t0 = span.start() - span.duration() * 0.04;
    const double t1 = span.end() + span.duration() * 0.04;

    // Room for the axes' labels and the legend.
    const qreal gap = 4 * unit;
    const qreal lineHeight = metrics.height();
    const double heightStep = niceStep(h1 - h0, std::max(2.0, target.height() / (3 * lineHeight)));
    qreal heightLabelWidth = textSize(metrics, u"m"_s).width();
    for (double h = std::ceil(h0 / heightStep) * heightStep; h <= h1; h += heightStep)
        heightLabelWidth = std::max(heightLabelWidth, metrics.horizontalAdvance(heightText(h)));
    const qreal timeLabelWidth = metrics.horizontalAdvance(u"00:00"_s);
    const QRectF area =
        target.adjusted(heightLabelWidth + 3 * gap, lineHeight + 2 * gap,
                        -(timeLabelWidth / 2 + 2 * gap), -(2 * lineHeight + 5 * gap));
    if (area.width() < 40 * unit || area.height() < 30 * unit) {
        paintHint(painter, target, QString(), colours, unit);
        painter.restore();
        return;
    }
    const Frame f(area, t0, t1, h0, h1);

    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.base);
    painter.drawRect(target);

    // The grid and the axes' labels.
    painter.setPen(QPen(colours.grid, unit));
    QList<double> heights;
    for (double h = std::ceil(h0 / heightStep - 1e-9) * heightStep; h <= h1 + 1e-9; h += heightStep)
        heights << h;
    constexpr double TimeSteps[] = {10, 15, 20, 30, 60, 120, 180, 240, 360, 720};
    double timeStep = TimeSteps[std::size(TimeSteps) - 1];
    for (const double step : TimeSteps) {
        if ((t1 - t0) / step * timeLabelWidth * 1.8 <= area.width()) {
            timeStep = step;
            break;
        }
    }
    QList<double> times;
    for (double t = std::ceil(t0 / timeStep) * timeStep; t <= t1; t += timeStep)
        times << t;
    for (const double h : std::as_const(heights))
        painter.drawLine(QPointF(area.left(), f.y(h)), QPointF(area.right(), f.y(h)));
    for (const double t : std::as_const(times))
        painter.drawLine(QPointF(f.x(t), area.top()), QPointF(f.x(t), area.bottom()));

    painter.setPen(colours.text);
    for (const double h : std::as_const(heights)) {
        const QRectF box(target.left(), f.y(h) - lineHeight / 2, heightLabelWidth + gap,
                         lineHeight);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, heightText(h));
    }
    painter.drawText(QRectF(target.left(), target.top(), heightLabelWidth + gap, lineHeight),
                     Qt::AlignRight | Qt::AlignTop, u"m"_s);
    for (const double t : std::as_const(times)) {
        const QRectF box(f.x(t) - timeLabelWidth, area.bottom() + gap, 2 * timeLabelWidth,
                         lineHeight);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, clockText(t));
    }

    painter.save();
    painter.setClipRect(area);

    // Where there is enough water: between the curve and the needed height.
    const auto curveFrom = [&](double from, double to, QPainterPath &path, bool start) {
        const int samples = std::max(16, int(std::abs(f.x(to) - f.x(from)) / unit / 2));
        for (int i = 0; i <= samples; ++i) {
            const double t = from + (to - from) * i / samples;
            const QPointF p = f.at(t, span.cosineHeight(t));
            if (start && i == 0)
                path.moveTo(p);
            else
                path.lineTo(p);
        }
    };
    bool shaded = false;
    if (needed && reading.window) {
        double from = span.start();
        double to = span.end();
        switch (reading.window->kind) {
        case TideWindow::Kind::From:
            from = reading.window->crossing;
            break;
        case TideWindow::Kind::Until:
            to = reading.window->crossing;
            break;
        case TideWindow::Kind::Throughout:
            break;
        case TideWindow::Kind::Never:
            to = from;
            break;
        }
        if (to > from) {
            shaded = true;
            const qreal floor = std::min(f.y(neededHeight), area.bottom());
            QPainterPath shade;
            curveFrom(from, to, shade, true);
            shade.lineTo(f.x(to), floor);
            shade.lineTo(f.x(from), floor);
            shade.closeSubpath();
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.shade);
            painter.drawPath(shade);
        }
    }

    // The needed height across the whole plot.
    if (needed) {
        painter.setPen(QPen(colours.text, 1.5 * unit, Qt::DashDotLine, Qt::FlatCap));
        painter.drawLine(QPointF(area.left(), f.y(neededHeight)),
                         QPointF(area.right(), f.y(neededHeight)));
    }

    // The straight line between the tides, dashed, and the cosine curve.
    painter.setPen(QPen(colours.text, unit, Qt::DashLine, Qt::FlatCap));
    painter.drawLine(f.at(low.time, low.height), f.at(high.time, high.height));
    QPainterPath curve;
    curveFrom(span.start(), span.end(), curve, true);
    painter.setPen(QPen(colours.curve, 2.5 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);

    // The required time.
    if (reading.required) {
        const RequiredTide &r = *reading.required;
        painter.setPen(QPen(colours.text, 1.5 * unit));
        painter.drawLine(QPointF(f.x(r.time), area.top()), QPointF(f.x(r.time), area.bottom()));
    }
    painter.restore();

    // Labels last, over every line, each in the first of its places that
    // is clear of those placed before it; the points over them.
    const QPointF highPoint = f.at(high.time, high.height);
    const QPointF lowPoint = f.at(low.time, low.height);
    std::optional<QPointF> requiredPoint;
    if (reading.required)
        requiredPoint = f.at(reading.required->time, reading.required->cosineHeight);
    const qreal dotRadius = 4 * unit;
    const auto dotBox = [&](const QPointF &p) {
        return QRectF(p - QPointF(dotRadius, dotRadius), QSizeF(2 * dotRadius, 2 * dotRadius));
    };
    QList<QRectF> placed{dotBox(highPoint), dotBox(lowPoint)};
    if (requiredPoint)
        placed << dotBox(*requiredPoint);
    const auto label = [&](const QString &text, const QPointF &at,
                           std::initializer_list<QPointF> offsets) {
        const QSizeF size = textSize(metrics, text) + QSizeF(4 * unit, 0);
        QRectF chosen;
        for (const QPointF &offset : offsets) {
            // Offsets in units of the label's own size, from its centre.
            const QPointF centre = at + QPointF(offset.x() * (size.width() / 2 + 3 * gap),
                                                offset.y() * (size.height() / 2 + 2 * gap));
            const QRectF box =
                fitted(QRectF(centre - QPointF(size.width(), size.height()) / 2, size), area);
            const bool clear = std::none_of(placed.cbegin(), placed.cend(),
                                            [&](const QRectF &r) { return r.intersects(box); });
            if (chosen.isNull() || clear)
                chosen = box;
            if (clear)
                break;
        }
        placed << chosen;
        drawLabel(painter, chosen, text, colours, unit);
    };
    if (needed) {
        // At the end where the curve is lower, clear of it.
        const QPointF end(span.isRising() ? area.left() : area.right(), f.y(neededHeight));
        const qreal inward = span.isRising() ? 1 : -1;
        label(u"Needed %1 m"_s.arg(heightText(neededHeight)), end,
              {{inward, -1}, {inward, 1}, {inward * 3, -1}});
    }
    const auto tideText = [](const QString &name, const Tide &tide) {
        return u"%1 %2 · %3 m"_s.arg(name, clockText(tide.time), heightText(tide.height));
    };
    label(tideText(u"HW"_s, high), highPoint, {{0, -1}, {0, 1}});
    label(tideText(u"LW"_s, low), lowPoint, {{0, 1}, {0, -1}});
    if (reading.required) {
        const RequiredTide &r = *reading.required;
        label(u"%1 · %2 m"_s.arg(clockText(r.time), heightText(r.cosineHeight)), *requiredPoint,
              {{1, 0}, {-1, 0}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}});
    }
    painter.setPen(QPen(colours.base, 1.5 * unit));
    painter.setBrush(colours.curve);
    for (const QPointF &p : {highPoint, lowPoint})
        painter.drawEllipse(p, dotRadius, dotRadius);
    if (requiredPoint)
        painter.drawEllipse(*requiredPoint, dotRadius, dotRadius);

    // The frame, then the legend under the time axis.
    painter.setPen(QPen(colours.frame, unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);

    const qreal legendTop = area.bottom() + 2 * gap + lineHeight;
    const qreal sample = 24 * unit;
    qreal x = area.left();
    const auto legend = [&](const QString &text, auto drawSample) {
        const qreal width = metrics.horizontalAdvance(text);
        if (x + sample + gap + width > target.right())
            return; // no room left in a narrow plot
        const qreal middle = legendTop + lineHeight / 2;
        drawSample(QRectF(x, middle - 5 * unit, sample, 10 * unit));
        x += sample + gap;
        painter.setPen(colours.text);
        painter.drawText(QRectF(x, legendTop, width + gap, lineHeight), Qt::AlignLeft, text);
        x += width + 4 * gap;
    };
    legend(u"cosine curve"_s, [&](const QRectF &r) {
        painter.setPen(QPen(colours.curve, 2.5 * unit, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    });
    legend(u"straight line"_s, [&](const QRectF &r) {
        painter.setPen(QPen(colours.text, unit, Qt::DashLine, Qt::FlatCap));
        painter.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    });
    if (shaded) {
        legend(u"enough water"_s, [&](const QRectF &r) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.shade);
            painter.drawRect(r);
        });
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
    const int line = fontMetrics().height();
    return QSize(24 * line, 12 * line);
}

void TideCurvePlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintTideCurve(painter, rect(), m_reading, palette(), m_hint);
}

} // namespace ondal
