#include "core/tide/DayReading.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace ondal::tide;
using Kind = DayTidesRefusal::Kind;
using ValueKind = ondal::Refusal::Kind;

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(ValueKind)

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();
const QString WorkedExample = u"0208 4.1  0822 0.9  1431 4.3  2047 0.7"_s;

void useLocale(bool german)
{
    QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
}

std::optional<double> given(double value)
{
    return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}

// The day read with no zones, so the tables' times are the clock's.
DayReading dayOf(const QString &tides, double needed, double overhead = None,
                 double required = None)
{
    return readDay({tides, {}, {}, {}}, {given(needed), given(overhead), given(required)},
                   QTimeZone::utc());
}

QStringList linesOf(const DayReading &reading, ondal::ResultLine::Kind kind)
{
    QStringList out;
    for (const ondal::ResultLine &line : reading.lines) {
        if (line.kind == kind)
            out << line.text;
    }
    return out;
}

} // namespace

class tst_DayTides : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
    void wordsRefusals();
    void curveJoinsAtTheTides();
    void windows_data();
    void windows();
    void requiredTime_data();
    void requiredTime();
    void workedExampleInFull();
    void emptyFieldLeavesTheWorksheet();
    void namesPlacesAndDays();
};

void tst_DayTides::reads_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<double>>("times");
    QTest::addColumn<QList<double>>("heights");
    QTest::addColumn<bool>("firstIsHigh");

    const QList<double> example{128, 502, 871, 1247};
    const QList<double> heights{4.1, 0.9, 4.3, 0.7};
    QTest::newRow("worked example") << false << WorkedExample << example << heights << true;
    QTest::newRow("colons, semicolons, tabs and units")
        << false << u" 2:08 4.1m; 08:22\t0.9 m;1431 4.3 ;\n2047 +0.7 "_s << example << heights
        << true;
    QTest::newRow("a decimal comma in German")
        << true << u"0208 4,1 0822 0,9 1431 4,3 2047 0,7"_s << example << heights << true;
    QTest::newRow("a rise first") << false << u"0822 0.9 1431 4.3"_s << QList<double>{502, 871}
                                  << QList<double>{0.9, 4.3} << false;
    QTest::newRow("an earlier time is on the next day")
        << false << u"2047 0.7 0228 4.2 0840 0.8"_s << QList<double>{1247, 1588, 1960}
        << QList<double>{0.7, 4.2, 0.8} << false;
    QTest::newRow("exactly 12 hours apart")
        << false << u"0100 4 1300 1"_s << QList<double>{60, 780} << QList<double>{4, 1} << true;
    QTest::newRow("drying heights") << false << u"0100 -0.5 0700 3"_s << QList<double>{60, 420}
                                    << QList<double>{-0.5, 3} << false;
    QTest::newRow("nine tides")
        << false << u"0000 1 0600 3 1200 1 1800 3 0000 1 0600 3 1200 1 1800 3 0000 1"_s
        << QList<double>{0, 360, 720, 1080, 1440, 1800, 2160, 2520, 2880}
        << QList<double>{1, 3, 1, 3, 1, 3, 1, 3, 1} << false;
}

void tst_DayTides::reads()
{
    QFETCH(bool, german);
    QFETCH(QString, text);
    QFETCH(QList<double>, times);
    QFETCH(QList<double>, heights);
    QFETCH(bool, firstIsHigh);

    useLocale(german);
    const DayTidesRead read = readDayTides(text);
    // The message is made whether or not the check fails: only from a refusal.
    QVERIFY2(read, qPrintable(read ? QString() : dayTidesRefusalText(*read.refusal)));
    QCOMPARE(read.tides.size(), times.size());
    for (qsizetype i = 0; i < times.size(); ++i) {
        QCOMPARE(read.tides.at(i).time, times.at(i));
        QCOMPARE(read.tides.at(i).height, heights.at(i));
        QCOMPARE(read.tides.at(i).isHighWater(), firstIsHigh == (i % 2 == 0));
    }
}

void tst_DayTides::refuses_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("place");
    QTest::addColumn<ValueKind>("value");

    const ValueKind none = ValueKind::NotGiven;
    QTest::newRow("blanks and semicolons") << false << u" ; ;"_s << Kind::NotGiven << 0 << none;
    QTest::newRow("a paste") << false << WorkedExample.repeated(9) << Kind::TooLong << 0 << none;
    QTest::newRow("one tide") << false << u"0208 4.1"_s << Kind::TooFew << 0 << none;
    QTest::newRow("ten tides") << false << u"0000 1 0600 3 "_s.repeated(5) << Kind::TooMany << 0
                               << none;
    QTest::newRow("a time without its height")
        << false << u"0208 4.1 0822 0.9 1431"_s << Kind::NoHeight << 3 << none;
    QTest::newRow("a height where a time should be")
        << false << u"0208 4.1 0.9 1431 4.3"_s << Kind::Time << 2 << ValueKind::NotInForm;
    QTest::newRow("24:00 is no time of the tables")
        << false << u"2300 4.1 2400 0.9"_s << Kind::Time << 2 << ValueKind::NotInForm;
    QTest::newRow("a comma never separates")
        << false << u"0208,4.1 0822,0.9"_s << Kind::Time << 1 << ValueKind::NotInForm;
    QTest::newRow("a decimal comma in English")
        << false << u"0208 4,1 0822 0,9"_s << Kind::Height << 1 << ValueKind::ReadInPart;
    QTest::newRow("a height that is no number")
        << true << u"0208 4,1 0822 x"_s << Kind::Height << 2 << ValueKind::NotANumber;
    QTest::newRow("a height no tide has")
        << false << u"0208 143 0822 0.9"_s << Kind::Height << 1 << ValueKind::OutOfBounds;
    QTest::newRow("the same time twice")
        << false << u"0208 4.1 0822 0.9 0822 4.3"_s << Kind::SameTime << 3 << none;
    QTest::newRow("12 h 01 min apart")
        << false << u"0100 4 1301 1"_s << Kind::TooFarApart << 2 << none;
    QTest::newRow("an earlier time a day on is too far")
        << false << u"1431 4.3 1200 0.9"_s << Kind::TooFarApart << 2 << none;
    QTest::newRow("the first two level")
        << false << u"0208 4.1 0822 4.1"_s << Kind::Level << 2 << none;
    QTest::newRow("a high water below the low water before it")
        << false << u"0208 4.1 0822 0.9 1431 0.5 2047 0.7"_s << Kind::NotHigher << 3 << none;
    QTest::newRow("a high water level with the low water before it")
        << false << u"0208 4.1 0822 0.9 1431 0.9"_s << Kind::NotHigher << 3 << none;
    QTest::newRow("a low water above the high water before it")
        << false << u"0822 0.9 1431 4.3 2047 4.5"_s << Kind::NotLower << 3 << none;
}

void tst_DayTides::refuses()
{
    QFETCH(bool, german);
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    QFETCH(int, place);
    QFETCH(ValueKind, value);

    useLocale(german);
    const DayTidesRead read = readDayTides(text);
    QVERIFY(!read);
    QVERIFY(read.tides.isEmpty());
    QCOMPARE(read.refusal->kind, kind);
    QCOMPARE(read.refusal->place, place);
    QCOMPARE(read.refusal->value.kind, value);
    // Nothing is drawn from a list refused.
    const DayReading day = dayOf(text, 3.0);
    QVERIFY(!day.curve);
    QVERIFY(!day.water);
    // Blanks and semicolons alone are the empty field: the worksheet's curve.
    const QStringList reasons =
        kind == Kind::NotGiven
            ? QStringList{}
            : QStringList{dayTidesRefusalText(*read.refusal, u"no curve is drawn"_s)};
    QCOMPARE(linesOf(day, ondal::ResultLine::Kind::Reason), reasons);
}

void tst_DayTides::wordsRefusals()
{
    const auto said = [](const QString &text) {
        return dayTidesRefusalText(*readDayTides(text).refusal);
    };
    QCOMPARE(said(u"0208 4.1 0822 0.9 1431 0.5 2047 0.7"_s),
             u"Tides of the day: the 3rd tide, “1431 0.5”, is not higher than the low waters "
             u"beside it"_s);
    QCOMPARE(said(u"0208 4.1 0822 0,9"_s),
             u"Tides of the day: the 2nd tide, “0822 0,9”: “0,9” is not a number: only “0” "
             u"reads as one"_s);
}

void tst_DayTides::curveJoinsAtTheTides()
{
    const std::optional<DayCurve> curve = DayCurve::through(readDayTides(WorkedExample).tides);
    QVERIFY(curve);
    for (const DayTide &tide : curve->tides()) {
        QCOMPARE(curve->height(tide.time), tide.height);
        // Either side of a tide the curve turns back: it never passes it.
        for (const double side : {tide.time - 0.5, tide.time + 0.5}) {
            if (curve->contains(side))
                QVERIFY(tide.isHighWater() ? curve->height(side) < tide.height
                                           : curve->height(side) > tide.height);
        }
    }
    QCOMPARE(curve->halfTideAt(502.0), 0); // at a tide, the rise or fall it ends
    QCOMPARE(curve->halfTideAt(502.5), 1);
    QCOMPARE(curve->factor(871.0), 1.0);
}

void tst_DayTides::windows_data()
{
    QTest::addColumn<QString>("tides");
    QTest::addColumn<double>("needed");
    QTest::addColumn<double>("overhead");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("worked example: open at the first tide, and across high water")
        << WorkedExample << 3.0 << None
        << QStringList{u"Enough water until 04:37 (from the first tide given, 02:08)"_s,
                       u"Enough water from 11:55 until 17:05"_s};
    QTest::newRow("open at the last tide, on the next day")
        << u"1431 4.3 2047 0.7 0228 4.2"_s << 3.0 << None
        << QStringList{
               u"Enough water until 17:05 (from the first tide given, 14:31)"_s,
               u"Enough water from 00:13 next day (to the last tide given, 02:28 next day)"_s};
    QTest::newRow("a window across midnight")
        << u"2000 0.7 0200 4.3 0800 0.6"_s << 3.0 << None
        << QStringList{u"Enough water from 23:33 until 04:25 next day"_s};
    QTest::newRow("enough at every tide")
        << WorkedExample << 0.7 << None
        << QStringList{u"Enough water throughout the tides given"_s};
    QTest::newRow("never enough") << WorkedExample << 4.3 << None
                                  << QStringList{u"No time among the tides given has enough "
                                                 u"water"_s};
    QTest::newRow("overhead alone, the mirror")
        << WorkedExample << None << 3.0
        << QStringList{u"Enough overhead clearance from 04:38 until 11:54"_s,
                       u"Enough overhead clearance from 17:06 (to the last tide given, 20:47)"_s};
    QTest::newRow("passage where both hold")
        << WorkedExample << 2.0 << 3.5
        << QStringList{u"Enough water until 05:52 (from the first tide given, 02:08)"_s,
                       u"Enough water from 10:45 until 18:12"_s,
                       u"Enough overhead clearance from 03:55 until 12:32"_s,
                       u"Enough overhead clearance from 16:29 (to the last tide given, 20:47)"_s,
                       u"Passage possible from 03:55 until 05:52"_s,
                       u"Passage possible from 10:45 until 12:32"_s,
                       u"Passage possible from 16:29 until 18:12"_s};
    QTest::newRow("no passage though each holds at times")
        << WorkedExample << 3.0 << 2.0
        << QStringList{u"Enough water until 04:37 (from the first tide given, 02:08)"_s,
                       u"Enough water from 11:55 until 17:05"_s,
                       u"Enough overhead clearance from 05:53 until 10:44"_s,
                       u"Enough overhead clearance from 18:13 (to the last tide given, 20:47)"_s,
                       u"No time among the tides given has both enough water and enough "
                       u"overhead clearance"_s};
    QTest::newRow("passage throughout")
        << WorkedExample << 0.5 << 4.5
        << QStringList{u"Enough water throughout the tides given"_s,
                       u"Enough overhead clearance throughout the tides given"_s,
                       u"Passage possible throughout the tides given"_s};
    QTest::newRow("nine tides over two days")
        << u"0000 1 0600 3 1200 1 1800 3 0000 1 0600 3 1200 1 1800 3 0000 1"_s << 2.0 << None
        << QStringList{u"Enough water from 03:00 until 09:00"_s,
                       u"Enough water from 15:00 until 21:00"_s,
                       u"Enough water from 03:00 next day until 09:00 next day"_s,
                       u"Enough water from 15:00 next day until 21:00 next day"_s};
    QTest::newRow("high water a hair above the need is no window")
        << u"0800 1 1400 3 2000 1"_s << 2.9999999 << None
        << QStringList{u"No time among the tides given has enough water"_s};
}

void tst_DayTides::windows()
{
    QFETCH(QString, tides);
    QFETCH(double, needed);
    QFETCH(double, overhead);
    QFETCH(QStringList, lines);

    const DayReading day = dayOf(tides, needed, overhead);
    QVERIFY(day.curve);
    QCOMPARE(linesOf(day, ondal::ResultLine::Kind::Result), lines);
    // Every stretch lies within the tides, in time order, whole minutes
    // inside and the tides' own times at an open end.
    for (const auto &stretches : {day.water, day.overhead, day.passage}) {
        double before = day.curve->start();
        for (const DayStretch &s : stretches.value_or(QList<DayStretch>{})) {
            QVERIFY(s.from >= before && s.from < s.until && s.until <= day.curve->end());
            QVERIFY(s.fromFirstTide || s.from == std::floor(s.from));
            QVERIFY(s.toLastTide || s.until == std::floor(s.until));
            before = s.until;
        }
    }
}

void tst_DayTides::requiredTime_data()
{
    QTest::addColumn<QString>("tides");
    QTest::addColumn<double>("required");
    QTest::addColumn<double>("overhead");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("on the rise") << WorkedExample << 660.0 << None
                                 << QStringList{u"At 11:00: 2.22 m by the cosine curve (factor "
                                                u"0.39 on the rise from 08:22 to 14:31)"_s};
    QTest::newRow("with the overhead clearance")
        << WorkedExample << 660.0 << 3.0
        << QStringList{u"At 11:00: 2.22 m by the cosine curve (factor 0.39 on the rise from "
                       u"08:22 to 14:31)"_s,
                       u"At 11:00: 0.78 m of overhead clearance to spare"_s,
                       u"Enough overhead clearance from 04:38 until 11:54"_s,
                       u"Enough overhead clearance from 17:06 (to the last tide given, 20:47)"_s};
    QTest::newRow("a clock time moved to the next day")
        << u"1431 4.3 2047 0.7 0228 4.2"_s << 60.0 << None
        << QStringList{u"At 01:00 next day: 3.66 m by the cosine curve (factor 0.84 on the "
                       u"rise from 20:47 to 02:28 next day)"_s};
    QTest::newRow("outside the tides given")
        << WorkedExample << 1380.0 << None
        << QStringList{u"reason: Required Time 23:00 lies outside the tides given, from 02:08 "
                       u"to 20:47: no height is given outside them"_s};
}

void tst_DayTides::requiredTime()
{
    QFETCH(QString, tides);
    QFETCH(double, required);
    QFETCH(double, overhead);
    QFETCH(QStringList, lines);

    const DayReading day = dayOf(tides, None, overhead, required);
    QStringList shown;
    for (const QString &reason : linesOf(day, ondal::ResultLine::Kind::Reason))
        shown << u"reason: "_s + reason;
    shown << linesOf(day, ondal::ResultLine::Kind::Result);
    QCOMPARE(shown, lines);
    QCOMPARE(day.required.has_value(), !lines.first().startsWith(u"reason"_s));
}

void tst_DayTides::workedExampleInFull()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const DayReading day = dayOf(WorkedExample, 3.0);
    QStringList shown;
    for (const ondal::ResultLine &line : day.lines)
        shown << line.text;
    QCOMPARE(shown,
             (QStringList{u"Tides: HW 02:08 4,10 m · LW 08:22 0,90 m · HW 14:31 4,30 m · LW 20:47 "
                          u"0,70 m"_s,
                          u"The curve follows the tides of the day; the worksheet's high and low "
                          u"water are not used"_s,
                          u"The tables' times are taken as the ship's clock's: no tables' zone is "
                          u"given"_s,
                          u"Enough water until 04:37 (from the first tide given, 02:08)"_s,
                          u"Enough water from 11:55 until 17:05"_s}));
}

void tst_DayTides::emptyFieldLeavesTheWorksheet()
{
    for (const QString &text : {QString(), u"  ;\t"_s}) {
        const DayReading day = dayOf(text, 3.0);
        QVERIFY(!day.curve);
        QVERIFY(day.lines.isEmpty());
    }
}

void tst_DayTides::namesPlacesAndDays()
{
    QCOMPARE(ondal::ordinalText(1), u"1st"_s);
    QCOMPARE(ondal::ordinalText(2), u"2nd"_s);
    QCOMPARE(ondal::ordinalText(3), u"3rd"_s);
    QCOMPARE(ondal::ordinalText(9), u"9th"_s);
    QCOMPARE(ondal::ordinalText(11), u"11th"_s);
    QCOMPARE(ondal::ordinalText(12), u"12th"_s);
    QCOMPARE(ondal::ordinalText(13), u"13th"_s);
    QCOMPARE(ondal::ordinalText(22), u"22nd"_s);
    QCOMPARE(ondal::ordinalText(111), u"111th"_s);
    QCOMPARE(ondal::dayText(2), u" 2 days later"_s);
    QCOMPARE(ondal::dayText(-2), u" 2 days earlier"_s);
}

QTEST_GUILESS_MAIN(tst_DayTides)
#include "tst_daytides.moc"
