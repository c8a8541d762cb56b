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

namespace {

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

// Each label inside the area, off the points and off the labels before it.
void verifyLabelsClear(const CurveLayout &layout)
{
    QList<QPointF> dots{layout.highPoint, layout.lowPoint};
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
        QVERIFY(layout.shade.isEmpty());
    } else {
        QVERIFY(!layout.shade.isEmpty());
        const auto [left, right] =
            std::minmax_element(layout.shade.cbegin(), layout.shade.cend(),
                                [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
        QVERIFY(std::abs(minutes(left->x()) - from) < 1e-6);
        QVERIFY(std::abs(minutes(right->x()) - until) < 1e-6);
    }

    QStringList texts;
    for (const LegendEntry &entry : layout.legend)
        texts << entry.text;
    QCOMPARE(texts, legend);
}

QTEST_GUILESS_MAIN(tst_CurveLayout)
#include "tst_curvelayout.moc"
