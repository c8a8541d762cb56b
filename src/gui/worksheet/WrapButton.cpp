#include "gui/worksheet/WrapButton.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

WrapButton::WrapButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setDefault(false);
}

QRect WrapButton::captionRect(const QSize &buttonSize)
{
    return QRect(QPoint(0, 0), buttonSize)
        .adjusted(CaptionMargin, CaptionMargin, -CaptionMargin, -CaptionMargin);
}

void WrapButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws the bevel and the focus rectangle; the caption, which
    // the style would keep on one line, is drawn here.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(captionRect(size()), CaptionFlags, option.palette, isEnabled(), text(),
                         QPalette::ButtonText);
}

void WrapButton::keyPressEvent(QKeyEvent *event)
{
    // A plain push button answers Enter only as a default button; this one
    // answers it whenever it has the focus.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
