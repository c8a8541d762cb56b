// The worksheet read into the tide curve and the curve's plot laid out, from
// any texts: the layout must end within its bounds and give a plot that can
// be drawn as laid out. The input is FuzzText's (its first byte picks the
// locale), the rest split at "|" into the fields in this order: high and low
// water heights (Text1, Text2), high water hours and minutes (Text4, Text5),
// low water's (Text6, Text7), the required time (Text12, Text13), the charted
// sounding (Text19), the draught, the clearance, the interval's high water
// (Text10, Text11), then the window's passage entries: block coefficient,
// speed, waters (any text for a confined channel), air draught, charted
// vertical clearance, clearance datum and overhead margin. So the seed
// "04.2|0.8|14|30|8|20|11|0|1|2|0.5" is the worked road example in the C
// locale, and "04.2|0.8|14|30|8|20|11|0|1|2.5|0.5||||||20.16|20|4|0.5" the
// same with a passage under a bridge from 10:50 until 12:25.

#include "FuzzLayout.h"
#include "FuzzText.h"

#include "core/tide/TideReading.h"
#include "core/worksheet/Worksheet.h"

using namespace ondal;
using namespace ondal::fuzz;
using namespace ondal::tide;

namespace {

// The fields the tide curve reads, in the input's order; 0 for the window's
// own entries.
constexpr int Order[] = {1, 2, 4, 5, 6, 7, 12, 13, 19, 0, 0, 10, 11, 0, 0, 0, 0, 0, 0, 0};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText in = takeFuzzText(data, size);
    const QStringList parts = in.text.split(u'|');
    Worksheet fields;
    CurveEntries entries;
    PassageInputs &passage = entries.passage;
    QString waters;
    QString *const own[] = {&entries.draught,
                            &entries.clearance,
                            &passage.blockCoefficient,
                            &passage.speed,
                            &waters,
                            &passage.airDraught,
                            &passage.verticalClearance,
                            &passage.clearanceDatum,
                            &passage.overheadMargin};
    qsizetype next = 0;
    for (qsizetype i = 0; i < parts.size() && i < qsizetype(std::size(Order)); ++i) {
        if (Order[i] != 0)
            fields.setText(Order[i], parts.at(i));
        else
            *own[next++] = parts.at(i);
    }
    passage.waters = waters.isEmpty() ? Waters::Open : Waters::Confined;
    const TideReading reading = readTide(fields, entries);

    // The plot at its smallest in the window, at full screen, and too small.
    for (const QRectF &target :
         {QRectF(0, 0, 408, 238), QRectF(10, 20, 1920, 1000), QRectF(0, 0, 120, 60)})
        checkLayout(in, target, reading);
    return 0;
}
