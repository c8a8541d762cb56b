#pragma once

#include "sysinfo/SysInfoFacts.h"

#include <QWidget>

namespace ondal::sysinfo {

// A plain window listing the facts, with a Close button, under the
// application icon.
class SysInfoWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SysInfoWindow(const QList<Fact> &facts, QWidget *parent = nullptr);
};

} // namespace ondal::sysinfo
