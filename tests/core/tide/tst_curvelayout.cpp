#include "core/tide/CurveLayout.h"

#include <QLocale>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace ondal::tide;

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
    reading.window = span.windowFor(needed);
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
};

void tst_CurveLayout::heightLabelsAreDistinct_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("low");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("1.01 over 1.00")
        << QLocale::c() << 1.01 << 1.00 << QStringList{u"1.00"_s, u"1.01"_s};
    QTest::newRow("0.01 over 0") << QLocale::c() << 0.01 << 0.0
                                 << QStringList{u"0.00"_s, u"0.01"_s};
    QTest::newRow("1,01 over 1,00 in de_DE") << QLocale(QLocale::German, QLocale::Germany) << 1.01
                                             << 1.00 << QStringList{u"1,00"_s, u"1,01"_s};
    QTest::newRow("road") << QLocale::c() << 4.2 << 0.8
                          << QStringList{u"0.00"_s, u"1.00"_s, u"2.00"_s, u"3.00"_s, u"4.00"_s};
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

    QTest::newRow("on the scale") << 1.5 << int(NeededPlace::OnScale) << u"Needed 1.50 m"_s;
    QTest::newRow("near above widens the scale")
        << 6.0 << int(NeededPlace::OnScale) << u"Needed 6.00 m"_s;
    QTest::newRow("drying 5 m: far above")
        << 8.0 << int(NeededPlace::AbovePlot) << u"↑ Needed 8.00 m (above the plot)"_s;
    QTest::newRow("far below") << -5.0 << int(NeededPlace::BelowPlot)
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
    QVERIFY(layout.h0 <= std::min(needed, 0.0) || place == int(NeededPlace::BelowPlot));
    QVERIFY(layout.h1 >= needed || place == int(NeededPlace::AbovePlot));
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
    QCOMPARE(layout.needed, NeededPlace::AbovePlot);
    QCOMPARE(layout.labels.value(0).text, u"↑ Needed 1e+300 m (above the plot)"_s);
}

QTEST_GUILESS_MAIN(tst_CurveLayout)
#include "tst_curvelayout.moc"
