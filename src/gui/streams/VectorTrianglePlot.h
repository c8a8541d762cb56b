#pragma once

#include "core/streams/LegSolver.h"

#include <QString>
#include <QWidget>

#include <optional>

class QPainter;
class QPalette;
class QRectF;

namespace ondal {

// Paints the leg's vector triangle into target as laid out
// (streams::layOutTriangle()): north up and to scale, the track made good,
// the streams end to end and the water track with their arrowheads and
// labels, a north arrow and a scale bar. Without a leg, or without room, an
// empty frame with the hint in its middle. Vectors only, in the palette's
// colours and the painter's font, measured by the device's own resolution,
// so that a window, a printer and a PDF all get it sharp.
void paintVectorTriangle(QPainter &painter, const QRectF &target,
                         const std::optional<streams::LegSolution> &leg, const QPalette &palette,
                         const QString &hint);

// The tidal stream window's triangle: paints the leg it was last given, and
// offers screen readers its vectors in words as its description.
class VectorTrianglePlot : public QWidget
{
    Q_OBJECT
public:
    explicit VectorTrianglePlot(QWidget *parent = nullptr);

    // The hint shows, and is the description, where there is no leg.
    void setLeg(const std::optional<streams::LegSolution> &leg, const QString &hint);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<streams::LegSolution> m_leg;
    QString m_hint;
};

} // namespace ondal
