#include "gui/streams/VectorTrianglePlot.h"

#include "core/streams/TriangleLayout.h"
#include "gui/shell/PlotPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

using namespace Qt::StringLiterals;
using namespace ondal::streams;

namespace ondal {
namespace {

// The water track, the one steered, in the highlight; the track made good
// in the text's colour; the streams dashed, so that the three differ in grey
// on paper as well.
QPen vectorPen(TriangleVector::Kind kind, const QPalette &palette, qreal unit)
{
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    switch (kind) {
    case TriangleVector::Kind::Water:
        return QPen(palette.color(QPalette::Active, QPalette::Highlight), 2.5 * unit, Qt::SolidLine,
                    Qt::RoundCap, Qt::RoundJoin);
    case TriangleVector::Kind::Track:
        return QPen(text, 2 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    case TriangleVector::Kind::Stream:
        break;
    }
    return QPen(text, 1.5 * unit, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin);
}

} // namespace

void paintVectorTriangle(QPainter &painter, const QRectF &target,
                         const std::optional<LegSolution> &leg, const QPalette &palette,
                         const QString &hint)
{
    painter.save();
    const qreal unit = unitOf(painter);
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const auto measure = [&](const QString &s) {
        return QSizeF(metrics.horizontalAdvance(s), metrics.height());
    };
    const TriangleLayout layout =
        leg ? layOutTriangle(target, *leg, measure, unit) : TriangleLayout{};

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintFrame(painter, target, palette, unit, layout.drawn ? QString() : hint);
    if (!layout.drawn) {
        painter.restore();
        return;
    }
    const qreal ascent = metrics.ascent();
    const auto write = [&](const QRectF &box, const QString &s) {
        painter.drawText(QPointF(box.left(), box.top() + ascent), s);
    };

    // The streams first, the track made good over them, the water track on
    // top; each with its arrowheads.
    painter.setBrush(Qt::NoBrush);
    for (const TriangleVector::Kind kind :
         {TriangleVector::Kind::Stream, TriangleVector::Kind::Track, TriangleVector::Kind::Water}) {
        for (const TriangleVector &v : layout.vectors) {
            if (v.kind != kind || !v.drawn)
                continue;
            QPen pen = vectorPen(kind, palette, unit);
            painter.setPen(pen);
            painter.drawLine(v.line);
            pen.setStyle(Qt::SolidLine);
            pen.setCapStyle(Qt::RoundCap);
            painter.setPen(pen);
            painter.drawLines(v.heads);
        }
    }

    // The labels on a ground of their own, over every line.
    QColor ground = base;
    ground.setAlphaF(0.85f);
    for (const TriangleVector &v : layout.vectors) {
        if (!v.drawn)
            continue;
        painter.setPen(Qt::NoPen);
        painter.setBrush(ground);
        painter.drawRoundedRect(v.box, 2 * unit, 2 * unit);
        painter.setPen(text);
        write(v.box, v.text);
    }

    // North and the scale.
    painter.setPen(QPen(text, 1.5 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(layout.north);
    painter.drawLines(layout.northHead);
    painter.drawLine(layout.scaleBar);
    painter.drawLines(layout.scaleTicks);
    write(layout.northBox, u"N"_s);
    write(layout.scaleBox, layout.scaleText);
    painter.restore();
}

VectorTrianglePlot::VectorTrianglePlot(QWidget *parent) : QWidget(parent)
{
    // Room for a triangle some 10 lines across with its labels beside it;
    // it takes whatever more its place in the window gives.
    const int line = fontMetrics().height();
    setMinimumSize(16 * line, 13 * line);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void VectorTrianglePlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintVectorTriangle(painter, rect(), m_leg, palette(), m_hint);
}

void VectorTrianglePlot::setLeg(const std::optional<LegSolution> &leg, const QString &hint)
{
    m_leg = leg;
    m_hint = hint;
    setAccessibleDescription(leg ? triangleDescription(*leg).join(u'\n') : hint);
    update();
}

} // namespace ondal
