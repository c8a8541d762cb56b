#pragma once

#include "core/tide/TideReading.h"

#include <QString>
#include <QWidget>

class QPainter;
class QPalette;
class QRectF;

namespace ondal {

// Paints the tide between the two tides into target: the cosine curve with
// the straight line dashed beside it, high and low water with their times
// and heights, the required time and its height, the needed height and the
// overhead limit as lines across it, with the part of the curve shaded where
// the ship can pass (enough water, enough overhead clearance, or both), and
// the axes of time (HH:mm) and height (metres). Where the tides of the day
// are given, the same over the day: every tide marked, every window shaded,
// the times on the ship's clock. Without a curve, an empty frame with the
// hint in its middle. Vectors only, in the palette's colours and the
// painter's font, and measured by the device's own resolution, so a window
// at any scale, a printer and a PDF all get it sharp.
void paintTideCurve(QPainter &painter, const QRectF &target, const tide::TideReading &reading,
                    const QPalette &palette, const QString &hint);

// The tide curve window's plot: paints the reading it was last given.
class TideCurvePlot : public QWidget
{
    Q_OBJECT
public:
    explicit TideCurvePlot(QWidget *parent = nullptr);

    // The hint shows where the reading has no span.
    void setReading(const tide::TideReading &reading, const QString &hint);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    tide::TideReading m_reading;
    QString m_hint;
};

} // namespace ondal
