#include "gui/shell/PlotPaint.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPalette>

namespace ondal {

qreal unitOf(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    return device && device->logicalDpiY() > 0 ? device->logicalDpiY() / 96.0 : 1.0;
}

QColor mixed(const QColor &under, const QColor &over, float amount)
{
    const auto mix = [amount](float a, float b) { return a + (b - a) * amount; };
    return QColor::fromRgbF(mix(under.redF(), over.redF()), mix(under.greenF(), over.greenF()),
                            mix(under.blueF(), over.blueF()));
}

void paintFrame(QPainter &painter, const QRectF &target, const QPalette &palette, qreal unit,
                const QString &hint)
{
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QRectF frame = target.adjusted(unit, unit, -unit, -unit);
    painter.setPen(QPen(mixed(base, text, 0.55f), unit));
    painter.setBrush(base);
    painter.drawRect(frame);
    if (hint.isEmpty())
        return;
    painter.setPen(text);
    painter.drawText(frame.adjusted(8 * unit, 8 * unit, -8 * unit, -8 * unit),
                     Qt::AlignCenter | Qt::TextWordWrap, hint);
}

} // namespace ondal
