#pragma once

#include <QColor>
#include <QString>

class QPainter;
class QPalette;
class QRectF;

// What the plots (the tide curve, the vector triangle) share in painting,
// on a screen, a printer or a PDF alike.

namespace ondal {

// One pixel of a 96 dpi screen on the painter's device: lengths are written
// in such pixels and scaled to the device, so a printed plot has the
// proportions of the one on screen.
qreal unitOf(const QPainter &painter);

// The share `amount` of `over` laid on `under`, as one opaque colour: lines
// in it are drawn without blending, which on a large plot costs several
// times as much.
QColor mixed(const QColor &under, const QColor &over, float amount);

// The plot's frame on its ground, with the hint in its middle (none where
// the hint is empty), in the palette's colours.
void paintFrame(QPainter &painter, const QRectF &target, const QPalette &palette, qreal unit,
                const QString &hint = {});

} // namespace ondal
