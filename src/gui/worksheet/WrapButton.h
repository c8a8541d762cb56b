#pragma once

#include <QPushButton>

// A push button whose caption wraps at blanks onto as many lines as it needs,
// centred inside the button's fixed rectangle. It keeps the style's bevel and
// focus rectangle, and runs on a click, on Space and on Enter or Return while
// it has the focus. It never becomes a window's default button.
class WrapButton : public QPushButton
{
    Q_OBJECT
public:
    static constexpr int CaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;
    // Room kept free between the button's edge and its caption.
    static constexpr int CaptionMargin = 3;

    explicit WrapButton(const QString &caption, QWidget *parent = nullptr);

    // Where the caption goes, for a button of the given size.
    static QRect captionRect(const QSize &buttonSize);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
