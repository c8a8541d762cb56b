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

#include "FuzzText.h"

#include "core/tide/CurveLayout.h"
#include "core/tide/TideReading.h"
#include "core/worksheet/Worksheet.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace ondal;
using namespace ondal::fuzz;
using namespace ondal::tide;
using namespace Qt::StringLiterals;

namespace {

// The fields the tide curve reads, in the input's order; 0 for the window's
// own entries.
constexpr int Order[] = {1, 2, 4, 5, 6, 7, 12, 13, 19, 0, 0, 10, 11, 0, 0, 0, 0, 0, 0, 0};

// A fixed measure, so a finding replays the same anywhere.
QSizeF measure(const QString &text)
{
    return {7.0 * double(text.size()), 17.0};
}

bool isFinite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

bool isFinite(const QRectF &r)
{
    return isFinite(r.topLeft()) && isFinite(r.bottomRight());
}

// Inside, give or take the rounding of the coordinates.
bool inside(const QRectF &box, const QRectF &outer)
{
    const qreal slack = 1e-6 * std::max({1.0, std::abs(outer.left()), std::abs(outer.right()),
                                         std::abs(outer.top()), std::abs(outer.bottom())});
    return box.left() >= outer.left() - slack && box.right() <= outer.right() + slack &&
           box.top() >= outer.top() - slack && box.bottom() <= outer.bottom() + slack;
}

std::string where(const FuzzText &in, const QRectF &target)
{
    return describe(in.text, in.locale) + " in " + std::to_string(target.width()) + "x" +
           std::to_string(target.height());
}

void checkAxis(const FuzzText &in, const QRectF &target, const QList<AxisTick> &ticks)
{
    ONDAL_FUZZ_CHECK(ticks.size() <= MaxAxisTicks, where(in, target));
    QSet<QString> seen;
    for (const AxisTick &tick : ticks) {
        ONDAL_FUZZ_CHECK(!seen.contains(tick.text),
                         where(in, target) + " repeats a tick label " + tick.text.toStdString());
        seen.insert(tick.text);
        ONDAL_FUZZ_CHECK(std::isfinite(tick.at) && isFinite(tick.box), where(in, target));
        ONDAL_FUZZ_CHECK(inside(tick.box, target),
                         where(in, target) + " puts a tick label outside the plot");
    }
}

void checkLayout(const FuzzText &in, const QRectF &target, const TideReading &reading)
{
    const CurveLayout layout = layOutTideCurve(target, reading, measure);
    if (!layout.plotted)
        return;
    ONDAL_FUZZ_CHECK(isFinite(layout.area) && inside(layout.area, target), where(in, target));
    checkAxis(in, target, layout.heightTicks);
    checkAxis(in, target, layout.timeTicks);
    ONDAL_FUZZ_CHECK(layout.curve.size() <= MaxCurveSamples + 1, where(in, target));
    ONDAL_FUZZ_CHECK(layout.shade.size() <= MaxCurveSamples + 3, where(in, target));
    for (const QList<QPointF> *points : {&layout.curve, &layout.shade}) {
        for (const QPointF &p : *points)
            ONDAL_FUZZ_CHECK(isFinite(p), where(in, target) + " gives a point off every scale");
    }
    ONDAL_FUZZ_CHECK(isFinite(layout.highPoint) && isFinite(layout.lowPoint), where(in, target));
    for (const auto &[place, line] :
         {std::pair{layout.needed, layout.neededLine}, {layout.overhead, layout.overheadLine}}) {
        ONDAL_FUZZ_CHECK(isFinite(line.p1()) && isFinite(line.p2()), where(in, target));
        if (place != LevelPlace::None)
            ONDAL_FUZZ_CHECK(inside(QRectF(line.p1(), line.p2()).normalized(), layout.area),
                             where(in, target) + " draws a level line outside the plot");
    }
    ONDAL_FUZZ_CHECK((layout.overhead != LevelPlace::None) == reading.overheadLimit.has_value(),
                     where(in, target) + " loses the overhead limit");
    for (const QPointF &p : layout.shade)
        ONDAL_FUZZ_CHECK(inside(QRectF(p, QSizeF(0, 0)), layout.area),
                         where(in, target) + " shades outside the plot");
    if (reading.passage && reading.passage->kind == Passage::Kind::None)
        ONDAL_FUZZ_CHECK(layout.shade.isEmpty(), where(in, target) + " shades no passage");
    const bool shadeInLegend =
        std::any_of(layout.legend.cbegin(), layout.legend.cend(),
                    [](const LegendEntry &e) { return e.kind == LegendEntry::Kind::Shade; });
    ONDAL_FUZZ_CHECK(!shadeInLegend || !layout.shade.isEmpty(),
                     where(in, target) + " explains a shading not drawn");
    for (const CurveLabel &label : layout.labels) {
        ONDAL_FUZZ_CHECK(isFinite(label.box) && inside(label.box, layout.area),
                         where(in, target) + " puts " + label.text.toStdString() +
                             " outside the plot");
        const QString lower = label.text.toLower();
        ONDAL_FUZZ_CHECK(!lower.contains(u"inf"_s) && !lower.contains(u"nan"_s),
                         where(in, target) + " labels " + label.text.toStdString());
    }
    for (const LegendEntry &entry : layout.legend)
        ONDAL_FUZZ_CHECK(inside(entry.textBox, target) && inside(entry.sample, target),
                         where(in, target));
}

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
