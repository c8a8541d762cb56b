#pragma once

#include <QWidget>

// The tide worksheet window; laid out next.
class frmOndal : public QWidget
{
    Q_OBJECT
public:
    explicit frmOndal(QWidget *parent = nullptr);
};
