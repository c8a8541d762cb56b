#include "core/streams/StreamWorking.h"

#include <QLocale>
#include <QMap>
#include <QSet>
#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>

using namespace Qt::StringLiterals;
using namespace ondal::streams;
using ondal::Refusal;
using ondal::ResultLine;

Q_DECLARE_METATYPE(StreamProblem::Kind)
Q_DECLARE_METATYPE(Refusal::Kind)

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

// Value key → text, over the worked example.
using Changes = QMap<QString, QString>;

// The worked example: a station with mean ranges 4.9 m and 2.4 m whose row
// HW+2 runs 230° at 2.8 kn at springs and 1.4 kn at neaps; high water 09:29
// on a day of 4.9 m range, away at 11:00 to make good 140° T for 4.0 M at
// 6.0 kn, with 6° leeway (the wind on the starboard side), variation 4° W
// and deviation 5° E.
void apply(StreamStation &station, LegEntries &leg, const Changes &changes)
{
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        bool found = false;
        for (const StationValue &value : stationValues()) {
            if (value.key == it.key()) {
                stationText(station, value) = it.value();
                found = true;
            }
        }
        for (const LegValue &value : LegValues) {
            if (QString::fromUtf16(value.key) == it.key()) {
                leg.*value.member = it.value();
                found = true;
            }
        }
        if (it.key() == u"wind"_s) {
            leg.windSide = it.value() == u"port"_s ? WindSide::Port : WindSide::Starboard;
            found = true;
        }
        QVERIFY2(found, qPrintable(it.key()));
    }
}

StreamWorking worked(const Changes &changes = {})
{
    StreamStation station;
    station.name = u"Diamond A"_s;
    station.referencePort = u"Bigport"_s;
    station.springRange = u"4.9"_s;
    station.neapRange = u"2.4"_s;
    station.row(2) = {u"230"_s, u"2.8"_s, u"1.4"_s};
    LegEntries leg{u"0929"_s, u"4.9"_s, u"1100"_s,           u"140"_s, u"4.0"_s,
                   u"6.0"_s,  u"6"_s,   WindSide::Starboard, u"4W"_s,  u"5E"_s};
    apply(station, leg, changes);
    return workStream(station, leg);
}

// The same rates at springs and at neaps in each hour given ("HW+2 090 4"),
// so that the day's range does not matter.
Changes streams(const QStringList &rows)
{
    Changes out{{u"set"_s + hourSuffix(2), {}},
                {u"spring"_s + hourSuffix(2), {}},
                {u"neap"_s + hourSuffix(2), {}}};
    for (const QString &row : rows) {
        const QStringList parts = row.split(u' ');
        const QString name = parts.at(0);
        int hour = 0;
        for (int h = FirstHour; h <= LastHour; ++h) {
            if (hourAsciiName(h) == name)
                hour = h;
        }
        const QString suffix = hourSuffix(hour);
        out.insert(u"set"_s + suffix, parts.at(1));
        out.insert(u"spring"_s + suffix, parts.at(2));
        out.insert(u"neap"_s + suffix, parts.at(2));
    }
    return out;
}

Changes operator+(Changes a, const Changes &b)
{
    a.insert(b);
    return a;
}

QStringList texts(const StreamWorking &working, ResultLine::Kind kind)
{
    QStringList out;
    for (const ResultLine &line : working.lines) {
        if (line.kind == kind)
            out << line.text;
    }
    return out;
}

QString allLines(const StreamWorking &working)
{
    QStringList out;
    for (const ResultLine &line : working.lines)
        out << line.text;
    return out.join(u'\n');
}

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

class tst_Streams : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void workedExample();
    void workedExampleInGerman();
    void rateForTheDay_data();
    void rateForTheDay();
    void tidalHour_data();
    void tidalHour();
    void legs_data();
    void legs();
    void legAcrossHoursInWords();
    void legPastMidnight();
    void refusals_data();
    void refusals();
    void refusalWording();
    void bearings_data();
    void bearings();
    void eastWest_data();
    void eastWest();
    void courses_data();
    void courses();
    void stationValuesEachHaveAField();
};

// The figures by hand: the stream sets at 230°, square across the track of
// 140° (the set less the track is 90°), so course = 140° − asin(2.8 / 6.0)
// = 140° − 27.8° = 112.2° T; speed over the ground = 6.0 · cos 27.8° + 2.8 ·
// cos 90° = 5.31 kn; 4.0 M / 5.31 kn = 0.754 h = 45.2 min, so 11:45. Then
// 112.2° + 6° of leeway into a starboard wind = 118.2° T; less 4° W (−4) =
// 122.2° M; less 5° E = 117.2° C.
void tst_Streams::workedExample()
{
    const StreamWorking working = worked();
    QCOMPARE(allLines(working),
             QStringList({
                             u"Tidal hour at 11:00: HW+2 (1 h 31 min after high water 09:29)"_s,
                             u"Stream HW+2: 230° 2.8 kn (2.8 kn at springs, 1.4 kn at neaps; "
                             u"range today 4.90 m)"_s,
                             u"Course to steer 112° T to make good 140° T"_s,
                             u"Allowing 6° leeway, wind on the starboard side: 118° T"_s,
                             u"122° M (variation 4° W) · 117° C (deviation 5° E)"_s,
                             u"Speed over the ground 5.3 kn · 4.0 M in 45 min · arrive 11:45"_s,
                             u"The stream is taken as constant through each tidal hour and holds "
                             u"at the station only; eddies and wind-driven currents are not "
                             u"allowed for."_s,
                         })
                 .join(u'\n'));
    QCOMPARE(working.tidalHour, 2);
    QCOMPARE(working.fromHighWater, 91.0);
    QVERIFY(working.problems.isEmpty());
    QVERIFY(working.leg);
    const double course = 140.0 - std::asin(2.8 / 6.0) * 180.0 / std::numbers::pi;
    QVERIFY(std::abs(*working.course() - course) < 1e-9);
    QVERIFY(std::abs(working.leg->minutes -
                     60.0 * 4.0 / (6.0 * std::cos(radians(140.0 - course)))) < 1e-9);
    QVERIFY(std::abs(*working.withLeeway - (course + 6.0)) < 1e-9);
    QVERIFY(std::abs(*working.magneticCourse - (course + 6.0 + 4.0)) < 1e-9);
    QVERIFY(std::abs(*working.compassCourse - (course + 6.0 + 4.0 - 5.0)) < 1e-9);
    QCOMPARE(working.leg->pieces.size(), 1);
    QCOMPARE(working.leg->offTrack, 0.0);
}

void tst_Streams::workedExampleInGerman()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const StreamWorking working = worked({{u"springRange"_s, u"4,9"_s},
                                          {u"springP2"_s, u"2,8 kn"_s},
                                          {u"distance"_s, u"4,0 M"_s},
                                          {u"variation"_s, u"4,5°W"_s}});
    const QStringList results = texts(working, ResultLine::Kind::Result);
    QCOMPARE(results.size(), 4);
    QCOMPARE(results.at(2), u"123° M (variation 4,5° W) · 118° C (deviation 5° E)"_s);
    QCOMPARE(results.at(3), u"Speed over the ground 5,3 kn · 4,0 M in 45 min · arrive 11:45"_s);
}

void tst_Streams::rateForTheDay_data()
{
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<double>("rate");
    QTest::addColumn<bool>("extrapolated");

    QTest::newRow("at springs") << Changes{} << 2.8 << false;
    QTest::newRow("at neaps") << Changes{{u"rangeToday"_s, u"2.4"_s}} << 1.4 << false;
    // 1.4 + 1.4 · (3.65 − 2.4) / 2.5 = 2.1
    QTest::newRow("halfway between") << Changes{{u"rangeToday"_s, u"3.65"_s}} << 2.1 << false;
    // 1.4 + 1.4 · (5.9 − 2.4) / 2.5 = 3.36
    QTest::newRow("beyond springs") << Changes{{u"rangeToday"_s, u"5.9"_s}} << 3.36 << true;
    // 0.7 + 0.7 · (2.2 − 2.4) / 2.5 = 0.644, shown as 0.6 kn
    QTest::newRow("below neaps, the worked rate")
        << Changes{{u"springP2"_s, u"1.4"_s}, {u"neapP2"_s, u"0.7"_s}, {u"rangeToday"_s, u"2.2"_s}}
        << 0.644 << true;
    QTest::newRow("a greater rate at neaps")
        << Changes{{u"springP2"_s, u"1.0"_s}, {u"neapP2"_s, u"2.0"_s}, {u"rangeToday"_s, u"3.65"_s}}
        << 1.5 << false;
}

void tst_Streams::rateForTheDay()
{
    QFETCH(Changes, changes);
    QFETCH(double, rate);
    QFETCH(bool, extrapolated);
    const StreamWorking working = worked(changes);
    QVERIFY2(working.stream, qPrintable(allLines(working)));
    QVERIFY(std::abs(working.stream->rate - rate) < 1e-12);
    QCOMPARE(texts(working, ResultLine::Kind::Note).join(QString()).contains(u"extrapolated"_s),
             extrapolated);
}

void tst_Streams::tidalHour_data()
{
    QTest::addColumn<QString>("highWater");
    QTest::addColumn<QString>("departure");
    QTest::addColumn<int>("hour"); // 99: outside the table

    // High water 09:29: each hour runs from 30 minutes before it to 30
    // minutes after, a time on the edge belonging to the later hour.
    const QString hw = u"0929"_s;
    QTest::newRow("6 h 31 min before") << hw << u"0258"_s << 99;
    QTest::newRow("6 h 30 min before opens HW−6") << hw << u"0259"_s << -6;
    QTest::newRow("5 h 31 min before") << hw << u"0358"_s << -6;
    QTest::newRow("5 h 30 min before opens HW−5") << hw << u"0359"_s << -5;
    QTest::newRow("31 min before") << hw << u"0858"_s << -1;
    QTest::newRow("30 min before opens HW") << hw << u"0859"_s << 0;
    QTest::newRow("at high water") << hw << u"9:29"_s << 0;
    QTest::newRow("29 min after") << hw << u"0958"_s << 0;
    QTest::newRow("30 min after opens HW+1") << hw << u"0959"_s << 1;
    QTest::newRow("1 h 30 min after opens HW+2") << hw << u"1059"_s << 2;
    QTest::newRow("5 h 30 min after opens HW+6") << hw << u"1459"_s << 6;
    QTest::newRow("6 h 30 min after still HW+6") << hw << u"1559"_s << 6;
    QTest::newRow("6 h 31 min after") << hw << u"1600"_s << 99;
    QTest::newRow("7 h 10 min after") << u"0350"_s << u"1100"_s << 99;
    QTest::newRow("high water the day before") << u"2310"_s << u"0100"_s << 2;
    QTest::newRow("high water the next day") << u"0030"_s << u"2300"_s << -1;
}

void tst_Streams::tidalHour()
{
    QFETCH(QString, highWater);
    QFETCH(QString, departure);
    QFETCH(int, hour);
    const StreamWorking working = worked({{u"highWater"_s, highWater},
                                          {u"departure"_s, departure},
                                          {u"track"_s, {}},
                                          {u"distance"_s, {}},
                                          {u"speed"_s, {}}});
    if (hour == 99) {
        QVERIFY(!working.tidalHour);
        QCOMPARE(working.problems.size(), 1);
        QCOMPARE(working.problems.at(0).kind, StreamProblem::Kind::OutsideTable);
    } else {
        QCOMPARE(working.tidalHour, hour);
    }
}

void tst_Streams::legs_data()
{
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<double>("course");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("driftEast");
    QTest::addColumn<double>("driftNorth");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<double>("offTrack"); // miles to starboard

    const auto leg = [](const QString &track, const QString &distance, const QString &speed,
                        const QString &departure) {
        return Changes{{u"track"_s, track},         {u"distance"_s, distance}, {u"speed"_s, speed},
                       {u"departure"_s, departure}, {u"leeway"_s, {}},         {u"variation"_s, {}},
                       {u"deviation"_s, {}}};
    };
    // One hour by the familiar formulas, a stream on the quarter: course =
    // 140° − asin(2 · sin 60° / 6) = 123.22°; speed over the ground =
    // 6 · cos 16.78° + 2 · cos 60° = 6.744 kn; 4 M take 35.59 min.
    {
        const double off = std::asin(2.0 * std::sin(radians(60.0)) / 6.0);
        const double sog = 6.0 * std::cos(off) + 2.0 * std::cos(radians(60.0));
        QTest::newRow("a stream on the quarter")
            << leg(u"140"_s, u"4"_s, u"6"_s, u"1100"_s) + streams({u"HW+2 200 2"_s})
            << 140.0 - off * 180.0 / std::numbers::pi << 60.0 * 4.0 / sog
            << 2.0 * std::sin(radians(200.0)) * 4.0 / sog
            << 2.0 * std::cos(radians(200.0)) * 4.0 / sog << 1 << 0.0;
    }
    // From ahead 6 − 2 = 4 kn over the ground, from astern 6 + 2 = 8 kn.
    QTest::newRow("a stream from ahead")
        << leg(u"000"_s, u"3"_s, u"6"_s, u"1100"_s) + streams({u"HW+2 180 2"_s}) << 0.0 << 45.0
        << 0.0 << -1.5 << 1 << 0.0;
    QTest::newRow("a stream from astern")
        << leg(u"000"_s, u"3"_s, u"6"_s, u"1100"_s) + streams({u"HW+2 000 2"_s}) << 0.0 << 22.5
        << 0.0 << 0.75 << 1 << 0.0;
    // 4 kn with the ship at 3 kn through the water: 7 kn over the ground
    // (the quadratic's other root, 3.5 h, steers her astern).
    QTest::newRow("swept along by a stream faster than the ship")
        << leg(u"000"_s, u"3.5"_s, u"3"_s, u"1100"_s) + streams({u"HW+2 000 4"_s}) << 0.0 << 30.0
        << 0.0 << 2.0 << 1 << 0.0;
    // The same at 10 kn for 1 M: 13 kn over the ground, 4.6 min. Had she
    // steered on for the hour, she would have been swept 9 M past the end.
    QTest::newRow("swept along, and past the end by the hour's end")
        << leg(u"000"_s, u"1"_s, u"3"_s, u"1100"_s) + streams({u"HW+2 000 10"_s}) << 0.0
        << 60.0 / 13.0 << 0.0 << 10.0 / 13.0 << 1 << 0.0;
    // Away at 11:29, 30 minutes before HW+3: 30 min at 4 kn east = 2 M, then
    // 30 min at 2 kn east = 1 M. With 3 M of drift east the water track is
    // (−3, 4): 5 M in 1 h at 5 kn, course 360° − atan(3/4) = 323.13°. At
    // 11:59 she has gone half the water track, (−1.5, 2), and drifted 2 M
    // east: 0.5 M to starboard of the track.
    QTest::newRow("across two tidal hours")
        << leg(u"000"_s, u"4"_s, u"5"_s, u"1129"_s) + streams({u"HW+2 090 4"_s, u"HW+3 090 2"_s})
        << 360.0 - std::atan(3.0 / 4.0) * 180.0 / std::numbers::pi << 60.0 << 3.0 << 0.0 << 2
        << 0.5;
    // Away at 08:59, as HW opens: 1 h at 1 kn north, 1 h at 1.5 kn east and
    // 30 min at 2 kn south sum to 1.5 M east, along the track of 090°. So
    // the water track is 11.5 − 1.5 = 10 M, 4 kn for 2 h 30 min. After the
    // first hour she is 0.4 of the way and 1 M north, to port; after the
    // second 0.8 of the way and still 1 M north.
    QTest::newRow("across three tidal hours")
        << leg(u"090"_s, u"11.5"_s, u"4"_s, u"0859"_s) +
               streams({u"HW 000 1"_s, u"HW+1 090 1.5"_s, u"HW+2 180 2"_s})
        << 90.0 << 150.0 << 1.5 << 0.0 << 3 << -1.0;
}

void tst_Streams::legs()
{
    QFETCH(Changes, changes);
    QFETCH(double, course);
    QFETCH(double, minutes);
    QFETCH(double, driftEast);
    QFETCH(double, driftNorth);
    QFETCH(int, pieces);
    QFETCH(double, offTrack);
    const StreamWorking working = worked(changes);
    QVERIFY2(working.leg, qPrintable(allLines(working)));
    const LegSolution &leg = *working.leg;
    const double turn = std::remainder(leg.course() - course, 360.0);
    QVERIFY2(std::abs(turn) < 1e-9, qPrintable(QString::number(leg.course(), 'g', 17)));
    QVERIFY2(std::abs(leg.minutes - minutes) < 1e-9, qPrintable(QString::number(leg.minutes)));
    QVERIFY(std::abs(leg.drift.east - driftEast) < 1e-9);
    QVERIFY(std::abs(leg.drift.north - driftNorth) < 1e-9);
    QCOMPARE(leg.pieces.size(), pieces);
    QVERIFY(std::abs(leg.offTrack - offTrack) < 1e-9);
    // The triangle closes: the water track is as long as the ship goes
    // through the water in the time, and the drift is the pieces' sum.
    const double speed = changes.value(u"speed"_s).toDouble();
    QVERIFY(std::abs(leg.waterTrack.length() - speed * leg.minutes / 60.0) < 1e-9);
    ondal::streams::Vector sum;
    for (const LegPiece &piece : leg.pieces)
        sum = sum + piece.drift();
    QVERIFY(std::abs(sum.east - driftEast) < 1e-9 && std::abs(sum.north - driftNorth) < 1e-9);
}

void tst_Streams::legAcrossHoursInWords()
{
    const StreamWorking working =
        worked(streams({u"HW 000 1"_s, u"HW+1 090 1.5"_s, u"HW+2 180 2"_s}) +
               Changes{{u"track"_s, u"090"_s},
                       {u"distance"_s, u"11.5"_s},
                       {u"speed"_s, u"4"_s},
                       {u"departure"_s, u"0859"_s},
                       {u"leeway"_s, {}},
                       {u"variation"_s, {}},
                       {u"deviation"_s, {}}});
    QCOMPARE(
        texts(working, ResultLine::Kind::Result),
        QStringList({u"HW, 08:59 to 09:59: 000° 1.0 kn for 1 h"_s,
                     u"HW+1, 09:59 to 10:59: 090° 1.5 kn for 1 h"_s,
                     u"HW+2, 10:59 to 11:29: 180° 2.0 kn for 30 min"_s,
                     u"Stream over the leg: 1.5 M towards 090°"_s,
                     u"Course to steer 090° T to make good 090° T"_s,
                     u"Speed over the ground 4.6 kn · 11.5 M in 2 h 30 min · arrive 11:29"_s}));
    // The triangle to draw: 1 M north, 1.5 M east, 1 M south, then the
    // water track to the end of the track, 11.5 M east.
    const QList<ondal::streams::Vector> corners = working.leg->corners();
    const double expected[][2] = {{0, 0}, {0, 1}, {1.5, 1}, {1.5, 0}, {11.5, 0}};
    QCOMPARE(corners.size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < corners.size(); ++i) {
        QVERIFY(std::abs(corners.at(i).east - expected[i][0]) < 1e-9);
        QVERIFY(std::abs(corners.at(i).north - expected[i][1]) < 1e-9);
    }
    QCOMPARE(texts(working, ResultLine::Kind::Note),
             QStringList({u"On this course the ship is set up to 1.0 M to port of the track (at "
                          u"09:59) and regains it at the end"_s}));
}

void tst_Streams::legPastMidnight()
{
    // High water 21:00, away at 23:40 (HW+3, until 00:30): 6 M at 5 kn with
    // no stream is 1 h 12 min, so 00:52 the next day.
    const StreamWorking working =
        worked(streams({u"HW+3 000 0"_s, u"HW+4 000 0"_s}) + Changes{{u"highWater"_s, u"2100"_s},
                                                                     {u"departure"_s, u"2340"_s},
                                                                     {u"distance"_s, u"6"_s},
                                                                     {u"speed"_s, u"5"_s}});
    QVERIFY2(working.leg, qPrintable(allLines(working)));
    QCOMPARE(texts(working, ResultLine::Kind::Result).last(),
             u"Speed over the ground 5.0 kn · 6.0 M in 1 h 12 min · arrive 00:52 next day"_s);
    QCOMPARE(texts(working, ResultLine::Kind::Result).at(1),
             u"HW+4, 00:30 next day to 00:52 next day: 000° 0.0 kn for 22 min"_s);
}

void tst_Streams::refusals_data()
{
    using P = StreamProblem::Kind;
    using R = Refusal::Kind;
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<P>("kind");
    QTest::addColumn<QString>("key"); // a value refused
    QTest::addColumn<R>("refusal");   // its refusal
    QTest::addColumn<int>("hour");    // of a problem with the table
    QTest::addColumn<bool>("course"); // still given

    const auto value = [](const QString &key, const QString &text, R refusal, bool course) {
        return std::make_tuple(Changes{{key, text}}, P::ValueRefused, key, refusal, 0, course);
    };
    const std::tuple<const char *, std::tuple<Changes, P, QString, R, int, bool>> rows[] = {
        {"departure missing", value(u"departure"_s, u" "_s, R::NotGiven, false)},
        {"high water not a time", value(u"highWater"_s, u"25:00"_s, R::NotInForm, false)},
        {"departure with a full stop", value(u"departure"_s, u"11.00"_s, R::NotInForm, false)},
        {"track not a number", value(u"track"_s, u"abc"_s, R::NotANumber, false)},
        {"track beyond 360", value(u"track"_s, u"361"_s, R::OutOfBounds, false)},
        {"track in degrees magnetic", value(u"track"_s, u"140 M"_s, R::ReadInPart, false)},
        {"distance negative", value(u"distance"_s, u"-4"_s, R::OutOfBounds, false)},
        {"distance missing", value(u"distance"_s, {}, R::NotGiven, false)},
        {"speed of 0", value(u"speed"_s, u"0"_s, R::OutOfBounds, false)},
        {"speed above 40 knots", value(u"speed"_s, u"40.1"_s, R::OutOfBounds, false)},
        {"set beyond 360", value(u"setP2"_s, u"370"_s, R::OutOfBounds, false)},
        {"set negative", value(u"setP2"_s, u"-10"_s, R::Negative, false)},
        {"rate above 15 knots", value(u"springP2"_s, u"15.1"_s, R::OutOfBounds, false)},
        {"a row begun, a rate missing", value(u"neapP2"_s, {}, R::NotGiven, false)},
        {"a range beyond 100 m", value(u"springRange"_s, u"101"_s, R::OutOfBounds, false)},
        {"a negative range", value(u"rangeToday"_s, u"-1"_s, R::Negative, false)},
        {"range today missing", value(u"rangeToday"_s, {}, R::NotGiven, false)},
        {"leeway above 45°", value(u"leeway"_s, u"46"_s, R::OutOfBounds, true)},
        {"variation in no form", value(u"variation"_s, u"4X"_s, R::NotInForm, true)},
        {"deviation above 45°", value(u"deviation"_s, u"46E"_s, R::OutOfBounds, true)},
        {"deviation without variation", value(u"variation"_s, {}, R::NotGiven, true)},
        {"a paste too long", value(u"speed"_s, QString(60, u'6'), R::TooLong, false)},
    };
    for (const auto &[name, row] : rows) {
        const auto &[changes, kind, key, refusal, hour, course] = row;
        QTest::newRow(name) << changes << kind << key << refusal << hour << course;
    }

    const auto table = [](const char *name, const Changes &changes, P kind, int hour) {
        QTest::newRow(name) << changes << kind << QString() << R::NotGiven << hour << false;
    };
    table("outside the table", {{u"highWater"_s, u"0350"_s}}, P::OutsideTable, 0);
    table("ranges reversed", {{u"springRange"_s, u"2.4"_s}, {u"neapRange"_s, u"4.9"_s}},
          P::RangesReversed, 0);
    table("ranges equal", {{u"neapRange"_s, u"4.9"_s}}, P::RangesReversed, 0);
    // 0.5 + 3.5 · (0.5 − 2.4) / 2.5 = −2.16 kn
    table("a rate extended below 0",
          {{u"springP2"_s, u"4"_s}, {u"neapP2"_s, u"0.5"_s}, {u"rangeToday"_s, u"0.5"_s}},
          P::RateBelowZero, 2);
    table("the departure's hour not in the table", streams({}), P::RowMissing, 2);
    table("the leg reaching an hour not in the table", {{u"distance"_s, u"10"_s}}, P::RowMissing,
          3);
    table("the leg reaching an hour not read",
          {{u"distance"_s, u"10"_s}, {u"setP3"_s, u"230"_s}, {u"springP3"_s, u"2x"_s}},
          P::RowMissing, 3);
    table("the leg reaching an hour below 0",
          streams({u"HW+2 230 2.8"_s}) + Changes{{u"distance"_s, u"10"_s},
                                                 {u"setP3"_s, u"230"_s},
                                                 {u"springP3"_s, u"0.1"_s},
                                                 {u"neapP3"_s, u"2"_s},
                                                 {u"rangeToday"_s, u"6"_s}},
          P::RateBelowZero, 3);
    table("the stream across faster than the ship", {{u"speed"_s, u"2.5"_s}}, P::AcrossTooStrong,
          2);
    table("the stream ahead as fast as the ship",
          {{u"track"_s, u"050° T"_s}, {u"speed"_s, u"2.8"_s}}, P::AgainstTooStrong, 2);
    table("a later stream across faster than the ship",
          streams({u"HW+2 000 0"_s, u"HW+3 230 9"_s, u"HW+4 230 9"_s, u"HW+5 230 9"_s,
                   u"HW+6 230 9"_s}) +
              Changes{{u"distance"_s, u"20"_s}},
          P::AcrossTooStrong, 3);
    table("a leg past HW+6",
          streams({u"HW+2 000 1"_s, u"HW+3 000 1"_s, u"HW+4 000 1"_s, u"HW+5 000 1"_s,
                   u"HW+6 000 1"_s}) +
              Changes{{u"distance"_s, u"40"_s}},
          P::PastTable, 6);
}

void tst_Streams::refusals()
{
    QFETCH(Changes, changes);
    QFETCH(StreamProblem::Kind, kind);
    QFETCH(QString, key);
    QFETCH(Refusal::Kind, refusal);
    QFETCH(int, hour);
    QFETCH(bool, course);
    const StreamWorking working = worked(changes);
    const bool found =
        std::any_of(working.problems.cbegin(), working.problems.cend(), [&](const auto &p) {
            if (p.kind != kind)
                return false;
            if (kind == StreamProblem::Kind::ValueRefused)
                return p.key == key && p.refusal.kind == refusal;
            return p.hour == hour;
        });
    QVERIFY2(found, qPrintable(allLines(working)));
    QCOMPARE(working.course().has_value(), course);
    // No reason without its problem, and no answer past a reason that bars it.
    QCOMPARE(texts(working, ResultLine::Kind::Reason).size(), working.problems.size());
    if (kind == StreamProblem::Kind::ValueRefused && key != u"deviation"_s)
        QVERIFY(!working.compassCourse);
}

// Each reason the method itself gives, worded once.
void tst_Streams::refusalWording()
{
    const auto reason = [](const Changes &changes) {
        const QStringList reasons = texts(worked(changes), ResultLine::Kind::Reason);
        return reasons.isEmpty() ? QString() : reasons.last();
    };
    QCOMPARE(reason({{u"highWater"_s, u"0350"_s}}),
             u"11:00 is 7 h 10 min after high water 03:50: give the standard port's high water "
             u"nearest the passage"_s);
    QCOMPARE(reason({{u"springP2"_s, u"4.2"_s}, {u"speed"_s, u"3"_s}}),
             u"The stream across the track, 4.2 kn, is faster than the speed through the water, "
             u"3.0 kn: no course holds this track"_s);
    QCOMPARE(reason({{u"track"_s, u"050"_s}, {u"speed"_s, u"2.8"_s}}),
             u"The stream against the track, 2.80 kn, is at least as fast as the speed through the "
             u"water, 2.80 kn: no course makes headway against the stream"_s);
    // 40 M at 6 kn through the water and 1 kn with her from 11:00: 7 kn
    // over the ground, 5 h 43 min, 16:43.
    QCOMPARE(reason(streams({u"HW+2 140 1"_s, u"HW+3 140 1"_s, u"HW+4 140 1"_s, u"HW+5 140 1"_s,
                             u"HW+6 140 1"_s}) +
                    Changes{{u"distance"_s, u"40"_s}}),
             u"The leg runs past HW+6 (arrival 16:43): split it at the next high water"_s);
    QCOMPARE(
        reason({{u"distance"_s, u"10"_s}}),
        u"The leg reaches HW+3 at 11:59: its stream is not in the table; no course is given"_s);
    QCOMPARE(
        reason({{u"variation"_s, u"-4W"_s}}),
        u"Variation: “-4W” is not a variation such as 4°W or 4°E; no magnetic or compass course "
        u"is given"_s);
}

void tst_Streams::bearings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value"); // None where refused
    QTest::addColumn<Refusal::Kind>("refusal");

    const auto read = Refusal::Kind::NotGiven; // not looked at
    QTest::newRow("plain") << u"140"_s << 140.0 << read;
    QTest::newRow("a degree sign") << u"140°"_s << 140.0 << read;
    QTest::newRow("degrees true") << u" 140° T "_s << 140.0 << read;
    QTest::newRow("true run on") << u"140T"_s << 140.0 << read;
    QTest::newRow("a decimal") << u"359.5"_s << 359.5 << read;
    QTest::newRow("360 is north") << u"360"_s << 0.0 << read;
    QTest::newRow("0 is north") << u"000"_s << 0.0 << read;
    QTest::newRow("beyond 360") << u"360.1"_s << None << Refusal::Kind::OutOfBounds;
    QTest::newRow("negative") << u"-1"_s << None << Refusal::Kind::Negative;
    QTest::newRow("magnetic") << u"140° M"_s << None << Refusal::Kind::ReadInPart;
    QTest::newRow("true twice") << u"140TT"_s << None << Refusal::Kind::ReadInPart;
    QTest::newRow("a sign alone") << u"°"_s << None << Refusal::Kind::NotANumber;
    QTest::newRow("blank") << u""_s << None << Refusal::Kind::NotGiven;
}

void tst_Streams::bearings()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(Refusal::Kind, refusal);
    const ondal::ValueRead read = readBearing(text);
    if (std::isnan(value)) {
        QVERIFY(!read);
        QCOMPARE(read.refusal.kind, refusal);
        QCOMPARE(read.refusal.typed, text);
    } else {
        QVERIFY(read);
        QCOMPARE(*read.value, value);
    }
}

void tst_Streams::eastWest_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value"); // east positive; None where refused
    QTest::addColumn<Refusal::Kind>("refusal");

    const auto read = Refusal::Kind::NotGiven; // not looked at
    const auto form = Refusal::Kind::NotInForm;
    QTest::newRow("4W") << false << u"4W"_s << -4.0 << read;
    QTest::newRow("4 W") << false << u"4 W"_s << -4.0 << read;
    QTest::newRow("4°W") << false << u"4°W"_s << -4.0 << read;
    QTest::newRow("4° W") << false << u" 4° W "_s << -4.0 << read;
    QTest::newRow("4E") << false << u"4E"_s << 4.0 << read;
    QTest::newRow("4e") << false << u"4e"_s << 4.0 << read;
    QTest::newRow("-4") << false << u"-4"_s << -4.0 << read;
    QTest::newRow("0W is none") << false << u"0W"_s << 0.0 << read;
    QTest::newRow("a bare 0 is none") << false << u"0"_s << 0.0 << read;
    QTest::newRow("4,5W in German") << true << u"4,5W"_s << -4.5 << read;
    // Without a side, only a minus says which way: a bare 4 may be meant
    // west, and would put the compass course 8° out.
    QTest::newRow("a bare 4") << false << u"4"_s << None << form;
    QTest::newRow("+4") << false << u"+4"_s << None << form;
    QTest::newRow("4°") << false << u"4°"_s << None << form;
    QTest::newRow("a sign and a side") << false << u"-4W"_s << None << form;
    QTest::newRow("a side alone") << false << u"W"_s << None << form;
    QTest::newRow("the side first") << false << u"W4"_s << None << form;
    QTest::newRow("two sides") << false << u"4WE"_s << None << form;
    QTest::newRow("another letter") << false << u"4X"_s << None << form;
    QTest::newRow("4,5W in English") << false << u"4,5W"_s << None << form;
    QTest::newRow("two degree signs") << false << u"4°°W"_s << None << form;
    QTest::newRow("beyond 180") << false << u"181W"_s << None << Refusal::Kind::OutOfBounds;
    QTest::newRow("blank") << false << u" "_s << None << Refusal::Kind::NotGiven;
}

void tst_Streams::eastWest()
{
    QFETCH(bool, german);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(Refusal::Kind, refusal);
    QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
    const ondal::ValueRead read = readVariation(text);
    if (std::isnan(value)) {
        QVERIFY(!read);
        QCOMPARE(read.refusal.kind, refusal);
    } else {
        QVERIFY2(read, qPrintable(ondal::refusalText(text, read.refusal)));
        QCOMPARE(*read.value, value);
    }
}

void tst_Streams::courses_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QString>("course");
    QTest::addColumn<QString>("eastWest");

    QTest::newRow("three digits") << 29.4 << u"029° T"_s << u"29.4° E"_s;
    QTest::newRow("a half up") << 29.5 << u"030° T"_s << u"29.5° E"_s;
    QTest::newRow("north from below") << 359.6 << u"000° T"_s << u"359.6° E"_s;
    QTest::newRow("north from above") << -0.2 << u"000° T"_s << u"0.2° W"_s;
    QTest::newRow("whole") << -4.0 << u"356° T"_s << u"4° W"_s;
    QTest::newRow("nothing either way") << -0.04 << u"000° T"_s << u"0°"_s;
}

void tst_Streams::courses()
{
    QFETCH(double, degrees);
    QFETCH(QString, course);
    QFETCH(QString, eastWest);
    QCOMPARE(courseText(degrees, u"T"), course);
    QCOMPARE(eastWestText(degrees), eastWest);
}

// Every value of a station has a field of its own, named as the window and
// the list of stations will name it.
void tst_Streams::stationValuesEachHaveAField()
{
    const QList<StationValue> &values = stationValues();
    QCOMPARE(values.size(), 3 + 3 * HourCount);
    StreamStation station;
    QSet<QString> keys, names;
    for (const StationValue &value : values) {
        stationText(station, value) = value.key;
        keys.insert(value.key);
        names.insert(value.objectName);
    }
    QCOMPARE(keys.size(), values.size());
    QCOMPARE(names.size(), values.size());
    for (const StationValue &value : values)
        QCOMPARE(stationText(std::as_const(station), value), value.key);
    QCOMPARE(station.row(-6).set, u"setM6"_s);
    QCOMPARE(station.row(2).spring, u"springP2"_s);
    QCOMPARE(station.row(0).neap, u"neap0"_s);
    const auto named = [&](const QString &key) {
        return *std::find_if(values.cbegin(), values.cend(),
                             [&](const StationValue &v) { return v.key == key; });
    };
    QCOMPARE(named(u"springP2"_s).objectName, u"txtSpringP2"_s);
    QCOMPARE(named(u"setM6"_s).accessibleName, u"Set at HW-6"_s);
    QCOMPARE(named(u"setM6"_s).label, u"Set at HW−6"_s);
    QCOMPARE(named(u"neap0"_s).accessibleName, u"Neap rate at HW"_s);
}

QTEST_GUILESS_MAIN(tst_Streams)
#include "tst_streams.moc"
