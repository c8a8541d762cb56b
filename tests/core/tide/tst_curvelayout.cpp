#include "core/tide/CurveLayout.h"
#include "support/WorksheetTexts.h"

#include <QLocale>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace ondal::tide;

Q_DECLARE_METATYPE(ondal::tide::PassageInputs)
Q_DECLARE_METATYPE(ondal::tide::DayEntries)
Q_DECLARE_METATYPE(ondal::tide::ClockChange)

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();
const QString WorkedExample = u"0208 4.1  0822 0.9  1431 4.3  2047 0.7"_s;
// Two days and more: the last five tides on the next day.
const QString NineTides =
    u"0208 4.1 0822 0.9 1431 4.3 2047 0.7 0250 4.2 0905 0.8 1515 4.4 2130 0.6 0335 4.0"_s;
const QSizeF Smallest(408, 238); // the plot at its smallest in the window, 24 × 14 lines
const QSizeF FullHd(1920, 1080);

// A fixed measure: 7 px a character, 17 px a line.
QSizeF measure(const QString &text)
{
    return {7.0 * text.size(), 17.0};
}

// The reading of one span with a required time and a needed height, as the
// model would give it.
TideReading readingOf(Tide high, Tide low, double required, double needed)
{
    TideReading reading;
    reading.span = spanBetween(high, low).span;
    if (!reading.span)
        return reading;
    const TideSpan &span = *reading.span;
    if (span.contains(required)) {
        reading.required = RequiredTide{required, span.cosineHeight(required),
                                        span.factor(required), span.straightHeight(required)};
    }
    reading.neededHeight = needed;
    reading.window = windowFor(span, needed, Side::AtLeast);
    return reading;
}

QStringList textsOf(const QList<AxisTick> &ticks)
{
    QStringList texts;
    for (const AxisTick &tick : ticks)
        texts << tick.text;
    return texts;
}

bool isFinite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// The road's tide read as the window reads it, with a draught of 2.50 m and
// a charted sounding of 1.00 m.
TideReading roadReading(const QString &clearance, const PassageInputs &passage)
{
    const ondal::test::Texts road{{1, u"4.2"_s}, {2, u"0.8"_s}, {4, u"14"_s},
                                  {5, u"30"_s},  {6, u"8"_s},   {7, u"20"_s},
                                  {12, u"11"_s}, {13, u"0"_s},  {19, u"1"_s}};
    const ondal::test::FilledWorksheet worksheet(road);
    return readTide(worksheet,
                    CurveEntries{clearance.isEmpty() ? QString() : u"2.5"_s, clearance, passage});
}

// A bridge whose overhead limit is 23.50 m − the air draught.
PassageInputs bridge(const QString &airDraught)
{
    return {.airDraught = airDraught,
            .verticalClearance = u"20.00"_s,
            .clearanceDatum = u"4.00"_s,
            .overheadMargin = u"0.50"_s};
}

// The tides of the day, no zones unless given, with the levels the curve's
// reading would hand on; the computer's zone is UTC.
TideReading dayReading(const QString &tides, double needed, double overhead = None,
                       const DayEntries &zones = {})
{
    const auto given = [](double v) { return std::isnan(v) ? std::nullopt : std::optional(v); };
    TideReading reading;
    reading.neededHeight = given(needed);
    reading.overheadLimit = given(overhead);
    reading.day = readDay({tides, zones.date, zones.tablesZone, zones.clockZone},
                          {given(needed), given(overhead), {}}, QTimeZone::utc());
    return reading;
}

// The axis minutes at x.
double minutesAt(const CurveLayout &layout, qreal x)
{
    return layout.t0 + (x - layout.area.left()) / layout.area.width() * (layout.t1 - layout.t0);
}

// Each label inside the area, off the points and off the labels before it.
void verifyLabelsClear(const CurveLayout &layout)
{
    QList<QPointF> dots = layout.tidePoints;
    if (layout.requiredPoint)
        dots << *layout.requiredPoint;
    for (qsizetype i = 0; i < layout.labels.size(); ++i) {
        const CurveLabel &label = layout.labels.at(i);
        QVERIFY2(layout.area.contains(label.box), qPrintable(label.text));
        for (const QPointF &dot : dots) {
            const QRectF dotBox(dot - QPointF(4, 4), QSizeF(8, 8));
            QVERIFY2(!label.box.intersects(dotBox), qPrintable(label.text + u" covers a point"_s));
        }
        for (qsizetype j = 0; j < i; ++j) {
            QVERIFY2(!label.box.intersects(layout.labels.at(j).box),
                     qPrintable(label.text + u" over "_s + layout.labels.at(j).text));
        }
    }
}

// At most MaxAxisTicks ticks, in order, their texts distinct and their
// boxes apart, inside the target.
void verifyTicks(const CurveLayout &layout, const QList<AxisTick> &ticks)
{
    QVERIFY(!ticks.isEmpty() && ticks.size() <= MaxAxisTicks);
    const QStringList texts = textsOf(ticks);
    QCOMPARE(QSet<QString>(texts.cbegin(), texts.cend()).size(), texts.size());
    for (qsizetype i = 0; i < ticks.size(); ++i) {
        QVERIFY2(layout.target.contains(ticks.at(i).box), qPrintable(ticks.at(i).text));
        if (i > 0)
            QVERIFY2(!ticks.at(i).box.intersects(ticks.at(i - 1).box),
                     qPrintable(ticks.at(i).text));
    }
}

} // namespace

class tst_CurveLayout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void heightLabelsAreDistinct_data();
    void heightLabelsAreDistinct();
    void neededHeightStaysInView_data();
    void neededHeightStaysInView();
    void labelsKeepClear_data();
    void labelsKeepClear();
    void absurdValuesEndWithinBounds();
    void overheadAndPassage_data();
    void overheadAndPassage();
    void dayShadesEveryWindow_data();
    void dayShadesEveryWindow();
    void dayLabelsAndTicksKeepClear_data();
    void dayLabelsAndTicksKeepClear();
    void dayAxisFollowsTheClock_data();
    void dayAxisFollowsTheClock();
    void dayRefusedIsNotPlotted_data();
    void dayRefusedIsNotPlotted();
    void dayTimesMarkTheDay_data();
    void dayTimesMarkTheDay();
};

void tst_CurveLayout::heightLabelsAreDistinct_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("low");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("1.01 over 1.00")
        << QLocale::c() << 1.01 << 1.00 << QStringList{u"0.99"_s, u"1.00"_s, u"1.01"_s};
    QTest::newRow("0.01 over 0") << QLocale::c() << 0.01 << 0.0
                                 << QStringList{u"0.00"_s, u"0.01"_s};
    QTest::newRow("1,01 over 1,00 in de_DE")
        << QLocale(QLocale::German, QLocale::Germany) << 1.01 << 1.00
        << QStringList{u"0,99"_s, u"1,00"_s, u"1,01"_s};
    QTest::newRow("road") << QLocale::c() << 4.2 << 0.8
                          << QStringList{u"0.00"_s, u"1.00"_s, u"2.00"_s, u"3.00"_s, u"4.00"_s};
    // The scale starts at a round number below the tide, not at 0, so a
    // tide of 10 to 16 m takes the plot's height rather than its top third.
    QTest::newRow("10 to 16 m from 8")
        << QLocale::c() << 16.0 << 10.0
        << QStringList{u"8.00"_s, u"10.00"_s, u"12.00"_s, u"14.00"_s, u"16.00"_s};
    QTest::newRow("drying low water from a round number below it")
        << QLocale::c() << 3.0 << -1.2
        << QStringList{u"-2.00"_s, u"-1.00"_s, u"0.00"_s, u"1.00"_s, u"2.00"_s, u"3.00"_s};
}

void tst_CurveLayout::heightLabelsAreDistinct()
{
    QFETCH(QLocale, locale);
    QFETCH(double, high);
    QFETCH(double, low);
    QFETCH(QStringList, labels);
    QLocale::setDefault(locale);

    const CurveLayout layout = layOutTideCurve(
        QRectF(0, 0, 560, 320), readingOf({870, high}, {500, low}, 660, 0.0), measure);
    QVERIFY(layout.plotted);
    QCOMPARE(textsOf(layout.heightTicks), labels);
    const QStringList times = textsOf(layout.timeTicks);
    QCOMPARE(QSet<QString>(times.cbegin(), times.cend()).size(), times.size());
}

void tst_CurveLayout::neededHeightStaysInView_data()
{
    QTest::addColumn<double>("needed");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("label");

    QTest::newRow("on the scale") << 1.5 << int(LevelPlace::OnScale) << u"Needed 1.50 m"_s;
    QTest::newRow("near above widens the scale")
        << 6.0 << int(LevelPlace::OnScale) << u"Needed 6.00 m"_s;
    QTest::newRow("drying 5 m: far above")
        << 8.0 << int(LevelPlace::AbovePlot) << u"↑ Needed 8.00 m (above the plot)"_s;
    QTest::newRow("far below") << -5.0 << int(LevelPlace::BelowPlot)
                               << u"↓ Needed -5.00 m (below the plot)"_s;
}

void tst_CurveLayout::neededHeightStaysInView()
{
    QFETCH(double, needed);
    QFETCH(int, place);
    QFETCH(QString, label);

    const CurveLayout layout = layOutTideCurve(
        QRectF(0, 0, 560, 320), readingOf({870, 4.2}, {500, 0.8}, 660, needed), measure);
    QCOMPARE(int(layout.needed), place);
    QVERIFY(layout.h0 <= std::min(needed, 0.0) || place == int(LevelPlace::BelowPlot));
    QVERIFY(layout.h1 >= needed || place == int(LevelPlace::AbovePlot));
    const qreal y = layout.neededLine.y1();
    QVERIFY(y >= layout.area.top() && y <= layout.area.bottom());
    QCOMPARE(layout.labels.value(0).text, label);
    QVERIFY(layout.area.contains(layout.labels.value(0).box));
}

void tst_CurveLayout::labelsKeepClear_data()
{
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<double>("range");
    QTest::addColumn<double>("required");

    // The plot at its smallest in the window (24 × 14 lines) and one narrower.
    QTest::newRow("road at 11:00") << QSizeF(408, 238) << 3.4 << 660.0;
    QTest::newRow("range 15: the LW label off its dot") << QSizeF(408, 238) << 15.0 << 660.0;
    QTest::newRow("14:20 beside high water") << QSizeF(408, 238) << 3.4 << 860.0;
    QTest::newRow("14:20 beside high water, narrow") << QSizeF(330, 238) << 15.0 << 860.0;
}

void tst_CurveLayout::labelsKeepClear()
{
    QFETCH(QSizeF, size);
    QFETCH(double, range);
    QFETCH(double, required);

    const CurveLayout layout =
        layOutTideCurve(QRectF(QPointF(0, 0), size),
                        readingOf({870, 0.8 + range}, {500, 0.8}, required, 1.5), measure);
    QVERIFY(layout.plotted);
    QCOMPARE(layout.labels.size(), 4);
    verifyLabelsClear(layout);
}

// Laid out into an absurd rectangle with absurd required and needed values,
// the layout ends (the test's time-out would catch a hang) within its bounds.
void tst_CurveLayout::absurdValuesEndWithinBounds()
{
    TideReading reading = readingOf({870, 4.2}, {500, 0.8}, 660, 1.5);
    reading.required = RequiredTide{1e300, 1e300, 0.5, 1e300};
    reading.neededHeight = 1e300;
    reading.window = TideWindow{TideWindow::Kind::From, 1e300, 1e300};

    const CurveLayout layout =
        layOutTideCurve(QRectF(-1e300, -1e300, 1e300, 1e300), reading, measure, 1e300);
    QVERIFY(layout.plotted);
    QVERIFY(layout.heightTicks.size() <= MaxAxisTicks && !layout.heightTicks.isEmpty());
    QVERIFY(layout.timeTicks.size() <= MaxAxisTicks && !layout.timeTicks.isEmpty());
    QVERIFY(layout.curve.size() <= MaxCurveSamples + 1);
    QVERIFY(std::all_of(layout.curve.cbegin(), layout.curve.cend(), isFinite));
    QVERIFY(!layout.requiredPoint);
    QCOMPARE(layout.needed, LevelPlace::AbovePlot);
    QCOMPARE(layout.labels.value(0).text, u"↑ Needed 1e+300 m (above the plot)"_s);
}

void tst_CurveLayout::overheadAndPassage_data()
{
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QString>("clearance"); // blank: no needed height
    QTest::addColumn<PassageInputs>("passage");
    QTest::addColumn<double>("from"); // the shaded stretch in span minutes; NaN for none
    QTest::addColumn<double>("until");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("legend");

    constexpr double None = std::numeric_limits<double>::quiet_NaN();
    const QSizeF wide(800, 400);
    const QString curve = u"cosine curve"_s;
    const QString straight = u"straight line"_s;
    const QString line = u"overhead limit"_s;
    // Needed 2.00 m: enough water from 10:50 (650). Limit 3.34 m: enough
    // overhead clearance until 12:25 (745). The span runs 08:20 to 14:30.
    QTest::newRow("both: only the passage 10:50 to 12:25")
        << wide << u"0.5"_s << bridge(u"20.16"_s) << 650.0 << 745.0 << int(LevelPlace::OnScale)
        << u"Overhead limit 3.34 m"_s << QStringList{curve, straight, u"passage possible"_s, line};
    QTest::newRow("limit only: low water to 12:25")
        << wide << QString() << bridge(u"20.16"_s) << 500.0 << 745.0 << int(LevelPlace::OnScale)
        << u"Overhead limit 3.34 m"_s
        << QStringList{curve, straight, u"enough overhead clearance"_s, line};
    QTest::newRow("both, no passage: nothing shaded")
        << wide << u"0.5"_s << bridge(u"21.50"_s) << None << None << int(LevelPlace::OnScale)
        << u"Overhead limit 2.00 m"_s << QStringList{curve, straight, line};
    QTest::newRow("limit 6.00 near above widens the scale: from 10:50")
        << wide << u"0.5"_s << bridge(u"17.50"_s) << 650.0 << 870.0 << int(LevelPlace::OnScale)
        << u"Overhead limit 6.00 m"_s << QStringList{curve, straight, u"passage possible"_s, line};
    QTest::newRow("limit 20.00 far above: at the top edge")
        << wide << QString() << bridge(u"3.50"_s) << 500.0 << 870.0 << int(LevelPlace::AbovePlot)
        << u"↑ Overhead limit 20.00 m (above the plot)"_s
        << QStringList{curve, straight, u"enough overhead clearance"_s, line};
    QTest::newRow("both at the smallest: labels clear, legend cut")
        << QSizeF(408, 238) << u"0.5"_s << bridge(u"21.50"_s) << None << None
        << int(LevelPlace::OnScale) << u"Overhead limit 2.00 m"_s << QStringList{curve, straight};
}

void tst_CurveLayout::overheadAndPassage()
{
    QFETCH(QSizeF, size);
    QFETCH(QString, clearance);
    QFETCH(PassageInputs, passage);
    QFETCH(double, from);
    QFETCH(double, until);
    QFETCH(int, place);
    QFETCH(QString, label);
    QFETCH(QStringList, legend);

    const TideReading reading = roadReading(clearance, passage);
    QVERIFY(reading.overheadLimit);
    const CurveLayout layout = layOutTideCurve(QRectF(QPointF(0, 0), size), reading, measure);
    QVERIFY(layout.plotted);

    QCOMPARE(int(layout.overhead), place);
    const qreal y = layout.overheadLine.y1();
    QVERIFY(y >= layout.area.top() && y <= layout.area.bottom());
    if (place == int(LevelPlace::OnScale))
        QVERIFY(layout.h1 >= *reading.overheadLimit);
    const auto overhead =
        std::find_if(layout.labels.cbegin(), layout.labels.cend(),
                     [](const CurveLabel &l) { return l.role == CurveLabel::Role::Overhead; });
    QVERIFY(overhead != layout.labels.cend());
    QCOMPARE(overhead->text, label);
    verifyLabelsClear(layout);

    // The shading's ends, back in span minutes.
    const auto minutes = [&](qreal x) {
        return layout.t0 + (x - layout.area.left()) / layout.area.width() * (layout.t1 - layout.t0);
    };
    if (std::isnan(from)) {
        QVERIFY(layout.shades.isEmpty());
    } else {
        QCOMPARE(layout.shades.size(), 1);
        const QList<QPointF> &shade = layout.shades.first();
        const auto [left, right] =
            std::minmax_element(shade.cbegin(), shade.cend(),
                                [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
        QVERIFY(std::abs(minutes(left->x()) - from) < 1e-6);
        QVERIFY(std::abs(minutes(right->x()) - until) < 1e-6);
    }

    QStringList texts;
    for (const LegendEntry &entry : layout.legend)
        texts << entry.text;
    QCOMPARE(texts, legend);
}

void tst_CurveLayout::dayShadesEveryWindow_data()
{
    QTest::addColumn<double>("needed");
    QTest::addColumn<double>("overhead");
    QTest::addColumn<QList<double>>("stretches"); // from, until, ... in the layout's minutes
    QTest::addColumn<QString>("meaning");         // the legend's, blank for no shading

    // The worked example: 3.00 m needed.
    QTest::newRow("water: 02:08-04:37 and 11:55-17:05")
        << 3.0 << None << QList<double>{128, 277, 715, 1025} << u"enough water"_s;
    QTest::newRow("overhead 2.00 m: 05:53-10:44 and 18:13 on")
        << None << 2.0 << QList<double>{353, 644, 1093, 1247} << u"enough overhead clearance"_s;
    QTest::newRow("passage: 3.00 m under 4.00 m")
        << 3.0 << 4.0 << QList<double>{171, 277, 715, 800, 942, 1025} << u"passage possible"_s;
    QTest::newRow("needed 4.50 m: none") << 4.5 << None << QList<double>{} << QString();
    QTest::newRow("passage, none: 4.00 m under 4.00 m")
        << 4.0 << 4.0 << QList<double>{} << QString();
}

void tst_CurveLayout::dayShadesEveryWindow()
{
    QFETCH(double, needed);
    QFETCH(double, overhead);
    QFETCH(QList<double>, stretches);
    QFETCH(QString, meaning);

    const CurveLayout layout = layOutTideCurve(
        QRectF(QPointF(0, 0), FullHd), dayReading(WorkedExample, needed, overhead), measure);
    QVERIFY(layout.plotted);
    QCOMPARE(layout.tidePoints.size(), 4);
    QVERIFY(!layout.straight);
    QList<double> shaded;
    for (const QList<QPointF> &shade : layout.shades) {
        const auto [left, right] =
            std::minmax_element(shade.cbegin(), shade.cend(),
                                [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
        shaded << std::round(minutesAt(layout, left->x()) * 1e6) / 1e6
               << std::round(minutesAt(layout, right->x()) * 1e6) / 1e6;
        QVERIFY(shade.size() <= MaxCurveSamples + 3);
    }
    QCOMPARE(shaded, stretches);
    // The curve passes through every tide.
    for (const QPointF &dot : layout.tidePoints) {
        QVERIFY(std::any_of(layout.curve.cbegin(), layout.curve.cend(),
                            [&](const QPointF &p) { return (p - dot).manhattanLength() < 1e-6; }));
    }
    QVERIFY(layout.curve.size() <= MaxCurveSamples + 1);

    QString legend;
    for (const LegendEntry &entry : layout.legend) {
        if (entry.kind == LegendEntry::Kind::Shade)
            legend = entry.text;
        QVERIFY(entry.kind != LegendEntry::Kind::Straight);
    }
    QCOMPARE(legend, meaning);
}

void tst_CurveLayout::dayLabelsAndTicksKeepClear_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QString>("tides");     // 3.00 m needed
    QTest::addColumn<int>("labels");        // how many are kept
    QTest::addColumn<QStringList>("first"); // the first kept, in order
    QTest::addColumn<double>("step");       // minutes between the ticks
    QTest::addColumn<QString>("tick");      // one the axis must have

    const QLocale c = QLocale::c();
    // The highest and the lowest kept first, then the rest in time order
    // while they fit.
    const QStringList nine{u"Needed 3.00 m"_s, u"HW 15:15+1 · 4.40 m"_s, u"LW 21:30+1 · 0.60 m"_s,
                           u"HW 02:08 · 4.10 m"_s, u"LW 08:22 · 0.90 m"_s};
    QTest::newRow("nine tides at 1920x1080")
        << c << FullHd << NineTides << 10 << nine << 180.0 << u"00:00+1"_s;
    QTest::newRow("nine tides at the smallest: 3 of 9 tides left out")
        << c << Smallest << NineTides << 6 << nine + QStringList{u"LW 20:47 · 0.70 m"_s} << 720.0
        << u"00:00+2"_s;
    QTest::newRow("worked example at the smallest: HW 02:08 left out")
        << c << Smallest << WorkedExample << 4
        << QStringList{u"Needed 3.00 m"_s, u"HW 14:31 · 4.30 m"_s, u"LW 20:47 · 0.70 m"_s,
                       u"LW 08:22 · 0.90 m"_s}
        << 360.0 << u"12:00"_s;
    QTest::newRow("worked example in de_DE")
        << QLocale(QLocale::German, QLocale::Germany) << FullHd
        << u"0208 4,1  0822 0,9  1431 4,3  2047 0,7"_s << 5
        << QStringList{u"Needed 3,00 m"_s, u"HW 14:31 · 4,30 m"_s} << 60.0 << u"12:00"_s;
}

void tst_CurveLayout::dayLabelsAndTicksKeepClear()
{
    QFETCH(QLocale, locale);
    QFETCH(QSizeF, size);
    QFETCH(QString, tides);
    QFETCH(int, labels);
    QLocale::setDefault(locale);
    QFETCH(QStringList, first);
    QFETCH(double, step);
    QFETCH(QString, tick);

    const CurveLayout layout =
        layOutTideCurve(QRectF(QPointF(0, 0), size), dayReading(tides, 3.0), measure);
    QVERIFY(layout.plotted);
    verifyLabelsClear(layout);
    QCOMPARE(layout.labels.size(), labels);
    QStringList texts;
    for (const CurveLabel &label : layout.labels)
        texts << label.text;
    QCOMPARE(texts.mid(0, first.size()), first);
    verifyTicks(layout, layout.heightTicks);
    verifyTicks(layout, layout.timeTicks);
    QVERIFY(textsOf(layout.timeTicks).contains(tick));
    QCOMPARE(layout.timeTicks.value(1).value - layout.timeTicks.value(0).value, step);
}

void tst_CurveLayout::dayAxisFollowsTheClock_data()
{
    QTest::addColumn<DayEntries>("zones");
    QTest::addColumn<QStringList>("texts"); // the first three ticks
    QTest::addColumn<QList<double>>("at");  // where they stand, on true elapsed minutes

    const QString utc = u"UTC"_s;
    const QString london = u"Europe/London"_s;
    QTest::newRow("no zones") << DayEntries{} << QStringList{u"00:00"_s, u"01:00"_s, u"02:00"_s}
                              << QList<double>{0, 60, 120};
    // The clocks go forward at 01:00 GMT: 01:00 is never shown.
    QTest::newRow("forward in London: 01:00 skipped")
        << DayEntries{{}, u"2026-03-29"_s, utc, london}
        << QStringList{u"00:00"_s, u"02:00"_s, u"03:00"_s} << QList<double>{0, 60, 120};
    // And back at 02:00 BST: 01:00 is shown twice, ticked at the first.
    QTest::newRow("back in London: 01:00 once")
        << DayEntries{{}, u"2026-10-25"_s, utc, london}
        << QStringList{u"01:00"_s, u"02:00"_s, u"03:00"_s} << QList<double>{60, 180, 240};
    QTest::newRow("UTC on a ship at UTC-03:30")
        << DayEntries{{}, u"2026-06-14"_s, utc, u"UTC-03:30"_s}
        << QStringList{u"20:00"_s, u"21:00"_s, u"22:00"_s} << QList<double>{1200, 1260, 1320};
}

void tst_CurveLayout::dayAxisFollowsTheClock()
{
    QFETCH(DayEntries, zones);
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, at);

    const CurveLayout layout = layOutTideCurve(
        QRectF(QPointF(0, 0), FullHd),
        dayReading(u"0008 4.1  0622 0.9  1231 4.3  1847 0.7"_s, 3.0, None, zones), measure);
    QVERIFY(layout.plotted);
    QCOMPARE(textsOf(layout.timeTicks).mid(0, 3), texts);
    QList<double> values;
    for (const AxisTick &tick : layout.timeTicks.mid(0, 3))
        values << tick.value;
    QCOMPARE(values, at);
    verifyTicks(layout, layout.timeTicks);
}

void tst_CurveLayout::dayRefusedIsNotPlotted_data()
{
    QTest::addColumn<QString>("tides");
    QTest::addColumn<QString>("tablesZone");
    QTest::addColumn<bool>("plotted");
    QTest::addColumn<int>("points"); // where plotted

    QTest::newRow("not alternating") << u"0208 4.1 0822 0.9 1431 0.5"_s << QString() << false << 0;
    QTest::newRow("more than 12 hours apart") << u"0208 4.1 1431 0.9"_s << QString() << false << 0;
    QTest::newRow("a bare offset for the tables' zone")
        << WorkedExample << u"+0100"_s << false << 0;
    // No tides of the day: the worksheet's span, as always.
    QTest::newRow("none given: the span") << QString() << QString() << true << 2;
}

void tst_CurveLayout::dayRefusedIsNotPlotted()
{
    QFETCH(QString, tides);
    QFETCH(QString, tablesZone);
    QFETCH(bool, plotted);
    QFETCH(int, points);

    TideReading reading = roadReading(u"0.5"_s, {});
    reading.day = dayReading(tides, 3.0, None, {{}, u"2026-06-14"_s, tablesZone, {}}).day;
    QCOMPARE(hasCurve(reading), plotted);
    const CurveLayout layout = layOutTideCurve(QRectF(QPointF(0, 0), FullHd), reading, measure);
    QCOMPARE(layout.plotted, plotted);
    QCOMPARE(layout.tidePoints.size(), points);
    QCOMPARE(layout.straight.has_value(), plotted);
}

void tst_CurveLayout::dayTimesMarkTheDay_data()
{
    QTest::addColumn<QList<ClockChange>>("changes");
    QTest::addColumn<double>("t");
    QTest::addColumn<QString>("text");

    QTest::newRow("the first day") << QList<ClockChange>{} << 128.0 << u"02:08"_s;
    QTest::newRow("next day") << QList<ClockChange>{} << 1468.0 << u"00:28+1"_s;
    QTest::newRow("two days later") << QList<ClockChange>{} << 2885.0 << u"00:05+2"_s;
    QTest::newRow("the day before") << QList<ClockChange>{} << -60.0 << u"23:00−1"_s;
    QTest::newRow("an hour forward at 01:00")
        << QList<ClockChange>{{60.0, 60.0}} << 90.0 << u"02:30"_s;
    QTest::newRow("an hour back across midnight")
        << QList<ClockChange>{{1450.0, -60.0}} << 1460.0 << u"23:20"_s;
}

void tst_CurveLayout::dayTimesMarkTheDay()
{
    QFETCH(QList<ClockChange>, changes);
    QFETCH(double, t);
    QFETCH(QString, text);
    QCOMPARE(plotTimeText(DayClock(changes), t), text);
}

QTEST_GUILESS_MAIN(tst_CurveLayout)
#include "tst_curvelayout.moc"
