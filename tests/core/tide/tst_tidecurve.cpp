#include "core/tide/TideCurve.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace ondal::tide;

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

QString n(double value)
{
    return QString::number(value, 'f', 2);
}

// The model's answer in a few words: the span, the required time, the window.
QStringList describe(const SpanOrRefusal &made, double required, double needed)
{
    if (!made.span)
        return {u"refused: "_s + made.refusal};
    const TideSpan &s = *made.span;
    QStringList out{u"span %1..%2 %3"_s.arg(s.start()).arg(s.end()).arg(
        s.isRising() ? u"rising"_s : u"falling"_s)};
    if (s.nextDay() != NextDay::Neither)
        out << (s.nextDay() == NextDay::LowWater ? u"low water next day"_s
                                                 : u"high water next day"_s);
    if (!std::isnan(required)) {
        const double t = s.placed(required);
        if (s.contains(t))
            out << u"at %1: %2 m (%3 above low water), factor %4, straight %5 m"_s.arg(t).arg(
                n(s.cosineHeight(t)), n(s.cosineHeight(t) - s.lowWater().height), n(s.factor(t)),
                n(s.straightHeight(t)));
        else
            out << u"at %1: outside"_s.arg(t);
    }
    if (!std::isnan(needed)) {
        const TideWindow w = s.windowFor(needed);
        switch (w.kind) {
        case TideWindow::Kind::From:
        case TideWindow::Kind::Until:
            out << u"%1 %2 (crossing %3)"_s
                       .arg(w.kind == TideWindow::Kind::From ? u"from"_s : u"until"_s)
                       .arg(w.minute)
                       .arg(n(w.crossing));
            break;
        case TideWindow::Kind::Throughout:
            out << u"throughout"_s;
            break;
        case TideWindow::Kind::Never:
            out << u"never"_s;
            break;
        }
    }
    return out;
}

} // namespace

class tst_TideCurve : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void model_data();
    void model();
};

// Times in minutes (hours × 60 + minutes), heights in metres.
void tst_TideCurve::model_data()
{
    QTest::addColumn<double>("highTime");
    QTest::addColumn<double>("highHeight");
    QTest::addColumn<double>("lowTime");
    QTest::addColumn<double>("lowHeight");
    QTest::addColumn<double>("required");
    QTest::addColumn<double>("needed");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char *name, double ht, double hh, double lt, double lh,
                        double required, double needed, const QStringList &expected) {
        QTest::newRow(name) << ht << hh << lt << lh << required << needed << expected;
    };

    row("HW 14:30 4.2, LW 08:20 0.8 at 11:00; 2.0 m from 10:49.8 rounds up", 870, 4.2, 500, 0.8,
        660, 2.0,
        {u"span 500..870 rising"_s,
         u"at 660: 2.14 m (1.34 above low water), factor 0.39, straight 2.27 m"_s,
         u"from 650 (crossing 649.84)"_s});
    row("duration 8 h 14 min, 3 h 33 min after LW, range 9.2, LW 2.2", 494, 11.4, 0, 2.2, 213, None,
        {u"span 0..494 rising"_s,
         u"at 213: 5.81 m (3.61 above low water), factor 0.39, straight 6.17 m"_s});
    row("rising: 657.03 rounds up, not to the nearest", 870, 4.2, 500, 0.8, None, 2.1,
        {u"span 500..870 rising"_s, u"from 658 (crossing 657.03)"_s});
    row("falling: 712.97 rounds down, not to the nearest", 500, 4.2, 870, 0.8, None, 2.1,
        {u"span 500..870 falling"_s, u"until 712 (crossing 712.97)"_s});
    row("rising: noise above 12:00 is not a minute later", 840, 4.1, 480, 2.5, None, 3.7,
        {u"span 480..840 rising"_s, u"from 720 (crossing 720.00)"_s});
    row("falling: noise below 16:00 is not a minute earlier", 840, 4.1, 1200, 2.5, None, 3.7,
        {u"span 840..1200 falling"_s, u"until 960 (crossing 960.00)"_s});
    row("HW 21:47, LW 04:06 taken next day; 01:00 placed after midnight", 1307, 4.2, 246, 0.8, 60,
        2.0,
        {u"span 1307..1686 falling"_s, u"low water next day"_s,
         u"at 1500: 2.45 m (1.65 above low water), factor 0.49, straight 2.47 m"_s,
         u"until 1532 (crossing 1532.51)"_s});
    row("LW 22:00, HW 03:30 taken next day; 23:00 stays put", 210, 3.0, 1320, 0.5, 1380, None,
        {u"span 1320..1650 rising"_s, u"high water next day"_s,
         u"at 1380: 0.70 m (0.20 above low water), factor 0.08, straight 0.95 m"_s});
    row("HW 28:06 is taken as it is", 1686, 4.2, 1307, 0.8, None, None,
        {u"span 1307..1686 rising"_s});
    row("needed at low water: throughout", 870, 4.2, 500, 0.8, None, 0.8,
        {u"span 500..870 rising"_s, u"throughout"_s});
    row("needed at high water: never", 870, 4.2, 500, 0.8, None, 4.2,
        {u"span 500..870 rising"_s, u"never"_s});
    row("equal heights refused", 870, 2.0, 500, 2.0, None, None,
        {u"refused: High water must stand higher than low water: there is no range"_s});
    row("low water above high water refused", 870, 0.8, 500, 1.2, None, None,
        {u"refused: High water must stand higher than low water: there is no range"_s});
    row("same time refused", 600, 4.2, 600, 0.8, None, None,
        {u"refused: High and low water fall at the same time: there is no duration"_s});
    row("24:00 and 00:00 are the same time", 1440, 4.2, 0, 0.8, None, None,
        {u"refused: High and low water fall at the same time: there is no duration"_s});
}

void tst_TideCurve::model()
{
    QFETCH(double, highTime);
    QFETCH(double, highHeight);
    QFETCH(double, lowTime);
    QFETCH(double, lowHeight);
    QFETCH(double, required);
    QFETCH(double, needed);
    QFETCH(QStringList, expected);

    const SpanOrRefusal made = spanBetween({highTime, highHeight}, {lowTime, lowHeight});
    QCOMPARE(describe(made, required, needed), expected);
}

QTEST_GUILESS_MAIN(tst_TideCurve)
#include "tst_tidecurve.moc"
