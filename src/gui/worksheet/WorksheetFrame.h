#pragma once

#include <QGroupBox>

class QFontMetrics;

// A frame drawn the classic way: its caption sits in the top border, which
// runs through the middle of the caption's height from the frame's own top,
// so the frame takes no room above its first row. The border is an etched
// pair of lines in the palette's Dark and Light colours, drawn on whole
// device pixels so it stays sharp at any scale.
class WorksheetFrame : public QGroupBox
{
    Q_OBJECT
public:
    explicit WorksheetFrame(const QString &caption, QWidget *parent = nullptr);

    // Where the caption goes in a frame, in the frame's coordinates.
    static QRect captionRect(const QFontMetrics &metrics, const QString &caption);
    // The width a frame needs to hold the caption with the border either side.
    static int widthFor(const QFontMetrics &metrics, const QString &caption);

    // The rectangle the border runs along, outer edge, in the frame's
    // coordinates; its lines take up to borderWidth() pixels inwards.
    QRect borderRect() const;
    int borderWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
