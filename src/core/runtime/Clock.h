#pragma once

#include <QDateTime>
#include <QTimeZone>

namespace ondal {

// The time now and the computer's own time zone, as the windows ask for
// them: a record's date, a file name, the ship's clock to start from. The
// real one reads the system's; tests hand in a clock that stands still.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual QTimeZone zone() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    QTimeZone zone() const override { return QTimeZone::systemTimeZone(); }
};

} // namespace ondal
