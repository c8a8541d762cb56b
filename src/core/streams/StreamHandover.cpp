#include "core/streams/StreamHandover.h"

#include "core/runtime/LineText.h"
#include "core/tide/TideReading.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace ondal::streams {

std::optional<WorksheetDay> dayFromWorksheet(const Worksheet &worksheet)
{
    using tide::Input;
    using tide::InputValue;
    const tide::TideReading reading = tide::readTide(worksheet, QString(), QString());
    for (const Input input :
         {Input::HighWaterTime, Input::HighWaterHeight, Input::LowWaterHeight}) {
        if (reading.input(input).status != InputValue::Read)
            return std::nullopt;
    }
    // The reading keeps a time within 00:00 to 48:00.
    const int minutes = int(std::lround(reading.input(Input::HighWaterTime).value)) % (24 * 60);
    const double range =
        reading.input(Input::HighWaterHeight).value - reading.input(Input::LowWaterHeight).value;
    return WorksheetDay{
        u"%1%2"_s.arg(minutes / 60, 2, 10, QChar(u'0')).arg(minutes % 60, 2, 10, QChar(u'0')),
        heightText(range)};
}

} // namespace ondal::streams
