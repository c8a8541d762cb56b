#include "gui/worksheet/WorksheetFrame.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

// The caption starts half a line in from the frame's left edge.
int captionInset(const QFontMetrics &metrics)
{
    return metrics.height() / 2;
}

// The border stops this short of the caption's first letter; the caption's
// own trailing blank keeps it off the last one.
int captionGap(const QFontMetrics &metrics)
{
    return std::max(2, metrics.horizontalAdvance(QLatin1Char(' ')) / 2);
}

} // namespace

WorksheetFrame::WorksheetFrame(const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{}

QRect WorksheetFrame::captionRect(const QFontMetrics &metrics, const QString &caption)
{
    return QRect(captionInset(metrics), 0, metrics.horizontalAdvance(caption), metrics.height());
}

int WorksheetFrame::widthFor(const QFontMetrics &metrics, const QString &caption)
{
    return captionRect(metrics, caption).right() + 1 + captionInset(metrics);
}

QRect WorksheetFrame::borderRect() const
{
    const int top = fontMetrics().height() / 2;
    return QRect(0, top, width(), height() - top);
}

int WorksheetFrame::borderWidth() const
{
    return 2; // the dark line and the light one, a pixel or less each
}

void WorksheetFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect caption = captionRect(fontMetrics(), title());
    style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          palette(), isEnabled(), title(), QPalette::WindowText);

    // Each line starts on a whole device pixel and is a whole number of them
    // thick (one, or two on a doubled screen), so it stays sharp whatever the
    // screen's scale factor.
    const qreal ratio = devicePixelRatioF();
    const auto device = [ratio](int logical) { return int(std::lround(logical * ratio)); };
    const int line = std::max(1, int(std::floor(ratio)));
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QRect border = borderRect();
    const int left = device(border.left());
    const int top = device(border.top());
    const int right = device(border.right() + 1) - 2 * line; // the dark line's left edge
    const int bottom = device(border.bottom() + 1) - 2 * line;
    const int gapLeft = device(caption.left() - captionGap(fontMetrics()));
    const int gapRight = device(caption.right() + 1);

    // An etched border: a dark line with a light one a line further in and
    // down, the dark drawn last so that it runs unbroken where they cross,
    // and a break in the top for the caption.
    const auto etch = [&](int offset, const QColor &colour) {
        const int l = left + offset;
        const int t = top + offset;
        const int r = right + offset;
        const int b = bottom + offset;
        painter.fillRect(QRect(l, t, std::max(0, gapLeft - l), line), colour);
        painter.fillRect(QRect(gapRight, t, std::max(0, r + line - gapRight), line), colour);
        painter.fillRect(QRect(l, t, line, b + line - t), colour);
        painter.fillRect(QRect(r, t, line, b + line - t), colour);
        painter.fillRect(QRect(l, b, r + line - l, line), colour);
    };
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    etch(line, palette().color(group, QPalette::Light));
    etch(0, palette().color(group, QPalette::Dark));
}
