#include "worksheet/frmOndal.h"

frmOndal::frmOndal(QWidget *parent) : QWidget(parent) {}
