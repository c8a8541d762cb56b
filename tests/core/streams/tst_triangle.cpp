#include "core/streams/TriangleLayout.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>

using namespace Qt::StringLiterals;
using namespace ondal::streams;

Q_DECLARE_METATYPE(LegSolution)

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Text of 7 units to a character, 14 high: near a 9 pt font on a screen.
QSizeF measure(const QString &text)
{
    return QSizeF(7.0 * text.size(), 14.0);
}

// A stream in one tidal hour: its row, how long the leg spends in it, the
// set and the rate.
struct Hour
{
    int hour;
    double minutes;
    double set;
    double rate;
};

// A leg as the solver gives one: the pieces in turn, and the water track
// that closes the triangle on the ground track.
LegSolution leg(double track, double distance, const QList<Hour> &hours)
{
    LegSolution out;
    out.groundTrack = towards(track, distance);
    for (const Hour &h : hours) {
        out.pieces.append({h.hour, out.minutes, out.minutes + h.minutes, towards(h.set, h.rate)});
        out.minutes += h.minutes;
        out.drift = out.drift + out.pieces.last().drift();
    }
    out.waterTrack = out.groundTrack - out.drift;
    return out;
}

// The worked example: 140° T for 4.0 M through HW+2's 230° at 2.8 kn, the
// course 112.2° T at 6.0 kn, 45.2 minutes.
LegSolution workedExample()
{
    const double course = 140.0 - std::asin(2.8 / 6.0) * 180.0 / std::numbers::pi;
    const double minutes = 60.0 * 4.0 / (6.0 * std::cos((140.0 - course) * std::numbers::pi / 180));
    return leg(140, 4.0, {{2, minutes, 230, 2.8}});
}

bool finite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Whether the point lies in the rectangle, edges included, to a rounding.
bool within(const QPointF &p, const QRectF &r)
{
    return finite(p) && p.x() >= r.left() - 1e-6 && p.x() <= r.right() + 1e-6 &&
           p.y() >= r.top() - 1e-6 && p.y() <= r.bottom() + 1e-6;
}

bool within(const QLineF &line, const QRectF &r)
{
    return within(line.p1(), r) && within(line.p2(), r);
}

bool within(const QRectF &box, const QRectF &r)
{
    return within(box.topLeft(), r) && within(box.bottomRight(), r);
}

// A bearing on the page, north up: clockwise from up.
double bearingOnPage(const QLineF &line)
{
    return normalised(std::atan2(line.dx(), -line.dy()) * 180.0 / std::numbers::pi);
}

} // namespace

class tst_Triangle : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void laidOutToScale_data();
    void laidOutToScale();
    void nothingDrawnWithoutRoom_data();
    void nothingDrawnWithoutRoom();
    void roundScaleLength_data();
    void roundScaleLength();
    void scaleInGerman();
    void vectorsInWords();
};

void tst_Triangle::laidOutToScale_data()
{
    QTest::addColumn<LegSolution>("solution");
    QTest::addColumn<QRectF>("target");
    QTest::addColumn<qreal>("unit");
    QTest::addColumn<QString>("scaleText");

    const QRectF screen(0, 0, 380, 340);
    QTest::newRow("worked example") << workedExample() << screen << 1.0 << u"1 M"_s;
    QTest::newRow("three hours") << leg(140, 10,
                                        {{2, 59, 230, 2.8}, {3, 57, 245, 2.2}, {4, 20, 260, 1.5}})
                                 << screen << 1.0 << u"2 M"_s;
    QTest::newRow("slack water between")
        << leg(90, 11.5, {{0, 60, 0, 1}, {1, 60, 0, 0}, {2, 30, 180, 2}}) << screen << 1.0
        << u"2 M"_s;
    QTest::newRow("along a meridian") << leg(0, 3, {{-3, 30, 180, 1}}) << screen << 1.0 << u"1 M"_s;
    QTest::newRow("a tenth of a mile")
        << leg(300, 0.1, {{5, 2, 45, 0.5}}) << screen << 1.0 << u"0.02 M"_s;
    QTest::newRow("a thousand miles")
        << leg(200, 1000, {{-6, 60, 20, 3}, {-5, 60, 90, 3}}) << screen << 1.0 << u"200 M"_s;
    QTest::newRow("a printed page")
        << workedExample() << QRectF(118, 1350, 2126, 1200) << 3.125 << u"2 M"_s;
}

// Every coordinate finite and on the target, each vector as long as its
// miles at the one scale and pointing its bearing north up, and the labels
// clear of one another.
void tst_Triangle::laidOutToScale()
{
    QFETCH(LegSolution, solution);
    QFETCH(QRectF, target);
    QFETCH(qreal, unit);
    QFETCH(QString, scaleText);

    const TriangleLayout layout = layOutTriangle(target, solution, measure, unit);
    QVERIFY(layout.drawn);
    QVERIFY(std::isfinite(layout.scale) && layout.scale > 0);
    QCOMPARE(layout.vectors.size(), solution.pieces.size() + 2);

    QList<std::pair<QLineF, Vector>> expected{{layout.vectors.first().line, solution.groundTrack},
                                              {layout.vectors.last().line, solution.waterTrack}};
    for (qsizetype i = 0; i < solution.pieces.size(); ++i)
        expected.append({layout.vectors.at(i + 1).line, solution.pieces.at(i).drift()});
    for (const auto &[line, miles] : expected) {
        QVERIFY(within(line, target));
        QVERIFY(std::abs(line.length() - miles.length() * layout.scale) < 1e-6 * target.width());
        if (line.length() > unit)
            QVERIFY(std::abs(std::remainder(bearingOnPage(line) - bearingOf(miles), 360.0)) < 1e-6);
    }
    QList<QRectF> labels;
    for (const TriangleVector &v : layout.vectors) {
        QCOMPARE(v.drawn, v.line.length() >= 2 * unit);
        if (!v.drawn)
            continue;
        QVERIFY2(within(v.box, target), qPrintable(v.text));
        for (const QLineF &stroke : v.heads)
            QVERIFY(within(stroke, target));
        for (const QRectF &other : std::as_const(labels))
            QVERIFY2(!other.intersects(v.box), qPrintable(v.text));
        labels << v.box;
    }
    QVERIFY(within(layout.north, target) && layout.north.dy() < 0);
    QVERIFY(within(layout.northBox, target));
    QVERIFY(within(layout.scaleBar, target) && within(layout.scaleBox, target));
    QCOMPARE(layout.scaleText, scaleText);
}

void tst_Triangle::nothingDrawnWithoutRoom_data()
{
    QTest::addColumn<LegSolution>("solution");
    QTest::addColumn<QRectF>("target");

    QTest::newRow("too small") << workedExample() << QRectF(0, 0, 120, 90);
    QTest::newRow("no target") << workedExample() << QRectF();
    QTest::newRow("target of no number") << workedExample() << QRectF(0, 0, Infinity, 300);
    QTest::newRow("no piece") << LegSolution{} << QRectF(0, 0, 380, 340);
    QTest::newRow("corner of no number")
        << leg(140, NaN, {{2, 45, 230, 2.8}}) << QRectF(0, 0, 380, 340);
}

void tst_Triangle::nothingDrawnWithoutRoom()
{
    QFETCH(LegSolution, solution);
    QFETCH(QRectF, target);
    QVERIFY(!layOutTriangle(target, solution, measure).drawn);
}

void tst_Triangle::roundScaleLength_data()
{
    QTest::addColumn<double>("most");
    QTest::addColumn<double>("length");

    QTest::newRow("a mile") << 1.0 << 1.0;
    QTest::newRow("under 10") << 9.99 << 5.0;
    QTest::newRow("ten") << 10.0 << 10.0;
    QTest::newRow("under 5") << 4.9 << 2.0;
    QTest::newRow("a third") << 0.3 << 0.2;
    QTest::newRow("under a twentieth") << 0.049 << 0.02;
    QTest::newRow("thousands") << 2600.0 << 2000.0;
    QTest::newRow("none") << 0.0 << 0.0;
    QTest::newRow("below 0") << -1.0 << 0.0;
    QTest::newRow("infinite") << Infinity << 0.0;
    QTest::newRow("no number") << NaN << 0.0;
}

void tst_Triangle::roundScaleLength()
{
    QFETCH(double, most);
    QFETCH(double, length);
    QCOMPARE(ondal::streams::roundScaleLength(most), length);
}

void tst_Triangle::scaleInGerman()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const TriangleLayout layout =
        layOutTriangle(QRectF(0, 0, 380, 340), leg(300, 1.0, {{5, 10, 45, 0.5}}), measure);
    QCOMPARE(layout.scaleText, u"0,2 M"_s);
    QCOMPARE(layout.vectors.first().text, u"Track 300° 1,0 M"_s);
}

void tst_Triangle::vectorsInWords()
{
    QCOMPARE(triangleDescription(workedExample()),
             (QStringList{u"Track made good 140° T, 4.0 M"_s,
                          u"Stream HW+2 230°, 2.1 M (2.8 kn for 45 min)"_s,
                          u"Water track 112° T, 4.5 M (6.0 kn for 45 min)"_s}));
    const LegSolution slack = leg(90, 4, {{1, 30, 0, 0}, {2, 30, 180, 2}});
    QCOMPARE(triangleDescription(slack).at(1), u"Stream HW+1: none for 30 min"_s);
    QCOMPARE(layOutTriangle(QRectF(0, 0, 380, 340), slack, measure).vectors.at(1).drawn, false);
}

QTEST_GUILESS_MAIN(tst_Triangle)
#include "tst_triangle.moc"
