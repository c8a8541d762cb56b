#include "core/tide/Passage.h"
#include "support/RefusedKinds.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace ondal::tide;

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

void useLocale(bool german)
{
    QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
}

// A value's line and the values refused, by kind, as one list.
QStringList shown(const QString &line, const ondal::Reasons &reasons)
{
    QStringList out;
    if (!line.isEmpty())
        out << line;
    return out << ondal::test::refusedKinds(reasons.refused);
}

bool sameValue(std::optional<double> value, double expected)
{
    if (std::isnan(expected))
        return !value;
    return value && std::abs(*value - expected) < 1e-12;
}

} // namespace

class tst_Passage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void squat_data();
    void squat();
    void needed_data();
    void needed();
    void overhead_data();
    void overhead();
    void windows_data();
    void windows();
};

void tst_Passage::squat_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("coefficient");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<bool>("confined");
    QTest::addColumn<double>("metres");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("Cb 0.78 at 9 knots in open water")
        << false << u"0.78"_s << u"9"_s << false << 0.6318
        << QStringList{u"Squat 0.63 m by Barrass's formula for open water (block coefficient "
                       u"0.78, 9.0 knots)"_s};
    QTest::newRow("the same in a confined channel is twice as much")
        << false << u"0.78"_s << u"9 kn"_s << true << 1.2636
        << QStringList{u"Squat 1.26 m by Barrass's formula for a confined channel (block "
                       u"coefficient 0.78, 9.0 knots)"_s};
    QTest::newRow("de_DE reads and writes decimal commas")
        << true << u"0,78"_s << u"9,5kn"_s << false << 0.78 * 9.5 * 9.5 / 100.0
        << QStringList{u"Squat 0,70 m by Barrass's formula for open water (block coefficient "
                       u"0,78, 9,5 knots)"_s};
    QTest::newRow("the bounds themselves are taken")
        << false << u"1.0"_s << u"30"_s << false << 9.0
        << QStringList{u"Squat 9.00 m by Barrass's formula for open water (block coefficient "
                       u"1, 30.0 knots)"_s};
    QTest::newRow("the block coefficient as typed, not rounded")
        << false << u"0.785"_s << u"9"_s << false << 0.785 * 81 / 100.0
        << QStringList{u"Squat 0.64 m by Barrass's formula for open water (block coefficient "
                       u"0.785, 9.0 knots)"_s};
    QTest::newRow("both blank: no squat")
        << false << u" "_s << QString() << false << None << QStringList{};
    QTest::newRow("speed missing") << false << u"0.78"_s << QString() << false << None
                                   << QStringList{u"Speed through the water: not given"_s};
    QTest::newRow("block coefficient missing") << false << QString() << u"9"_s << false << None
                                               << QStringList{u"Block coefficient: not given"_s};
    QTest::newRow("not read whole") << false << u"abc"_s << u"9 m"_s << false << None
                                    << QStringList{u"Block coefficient: not a number"_s,
                                                   u"Speed through the water: read in part"_s};
    QTest::newRow("2,5 is not read as 2 in a full-stop locale")
        << false << u"0,78"_s << u"1e999"_s << false << None
        << QStringList{u"Block coefficient: read in part"_s,
                       u"Speed through the water: too large"_s};
    QTest::newRow("block coefficient out of range, speed too high")
        << false << u"0.39"_s << u"30.1"_s << false << None
        << QStringList{u"Block coefficient: out of bounds"_s,
                       u"Speed through the water: out of bounds"_s};
    QTest::newRow("block coefficient above 1, speed below 0")
        << false << u"1.01"_s << u"-1"_s << false << None
        << QStringList{u"Block coefficient: out of bounds"_s,
                       u"Speed through the water: negative"_s};
}

void tst_Passage::squat()
{
    QFETCH(bool, german);
    QFETCH(QString, coefficient);
    QFETCH(QString, speed);
    QFETCH(bool, confined);
    QFETCH(double, metres);
    QFETCH(QStringList, lines);

    useLocale(german);
    const SquatReading read = readSquat({.blockCoefficient = coefficient,
                                         .speed = speed,
                                         .waters = confined ? Waters::Confined : Waters::Open});
    QCOMPARE(shown(read.line, read.reasons), lines);
    QVERIFY(sameValue(read.metres, metres));
}

void tst_Passage::needed_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<double>("draught");
    QTest::addColumn<double>("squat");
    QTest::addColumn<QString>("clearance");
    QTest::addColumn<double>("sounding");
    QTest::addColumn<double>("metres");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("with squat, worked on the unrounded sum")
        << false << 2.5 << 0.6318 << u"0.5"_s << 1.0 << 2.6318
        << QStringList{u"Needed: 2.63 m of tide (draught 2.50 m + squat 0.63 m + clearance 0.50 m "
                       u"− charted sounding 1.00 m)"_s};
    QTest::newRow("without squat, clearance with its unit")
        << false << 2.5 << None << u"0.5 m"_s << 1.0 << 2.0
        << QStringList{u"Needed: 2.00 m of tide (draught 2.50 m + clearance 0.50 m − charted "
                       u"sounding 1.00 m)"_s};
    QTest::newRow("10% of the draught")
        << false << 2.5 << None << u"10%"_s << 1.0 << 1.75
        << QStringList{u"Needed: 1.75 m of tide (draught 2.50 m + clearance 10 % of draught "
                       u"0.25 m − charted sounding 1.00 m)"_s};
    QTest::newRow("10 % with squat over a drying height")
        << false << 2.5 << 0.6318 << u" 10 % "_s << -0.2 << 3.5818
        << QStringList{u"Needed: 3.58 m of tide (draught 2.50 m + squat 0.63 m + clearance 10 % of "
                       u"draught 0.25 m + drying height 0.20 m)"_s};
    QTest::newRow("de_DE: 12,5 % of 4 m")
        << true << 4.0 << None << u"12,5 %"_s << 1.0 << 3.5
        << QStringList{u"Needed: 3,50 m of tide (draught 4,00 m + clearance 12,5 % of draught "
                       u"0,50 m − charted sounding 1,00 m)"_s};
    const auto refused = [](const char16_t *kind) {
        return QStringList{u"Under-keel clearance: "_s + QString::fromUtf16(kind)};
    };
    QTest::newRow("blank is missing")
        << false << 2.5 << None << u" "_s << 1.0 << None << refused(u"not given");
    QTest::newRow("negative metres refused")
        << false << 2.5 << None << u"-0.5"_s << 1.0 << None << refused(u"negative");
    QTest::newRow("negative percentage refused")
        << false << 2.5 << None << u"-10%"_s << 1.0 << None << refused(u"negative");
    QTest::newRow("another unit is read only in part")
        << false << 2.5 << None << u"2 ft"_s << 1.0 << None << refused(u"read in part");
    QTest::newRow("a percentage too large")
        << false << 2.5 << None << u"1e999 %"_s << 1.0 << None << refused(u"too large");
    QTest::newRow("more than the draught itself")
        << false << 0.0 << None << u"1e300 %"_s << 1.0 << None << refused(u"out of bounds");
    QTest::newRow("more than 100 m")
        << false << 2.5 << None << u"100.5 m"_s << 1.0 << None << refused(u"out of bounds");
}

void tst_Passage::needed()
{
    QFETCH(bool, german);
    QFETCH(double, draught);
    QFETCH(double, squat);
    QFETCH(QString, clearance);
    QFETCH(double, sounding);
    QFETCH(double, metres);
    QFETCH(QStringList, lines);

    useLocale(german);
    const ClearanceReading read = readClearance(clearance);
    QCOMPARE(read.clearance.has_value(), read.reasons.isEmpty());
    QCOMPARE(read.reasons.lines.size(), read.reasons.refused.size());
    if (!read.clearance) {
        QCOMPARE(shown({}, read.reasons), lines);
        return;
    }
    const NeededHeight needed =
        neededHeight(draught, std::isnan(squat) ? std::nullopt : std::optional(squat),
                     *read.clearance, sounding);
    QCOMPARE(shown(needed.line, needed.reasons), lines);
    QVERIFY(sameValue(needed.metres, metres));
}

void tst_Passage::overhead_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("air");
    QTest::addColumn<QString>("charted");
    QTest::addColumn<QString>("datum");
    QTest::addColumn<QString>("margin");
    QTest::addColumn<double>("limit");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("worked example with a margin")
        << false << u"21.50"_s << u"20.00"_s << u"4.00"_s << u"0.50"_s << 2.0
        << QStringList{
               u"Overhead limit: 2.00 m of tide (clearance datum 4.00 m + charted clearance "
               u"20.00 m − air draught 21.50 m − margin 0.50 m)"_s};
    QTest::newRow("no margin, values with their unit")
        << false << u"21.5 m"_s << u"20m"_s << u"4"_s << u" "_s << 2.5
        << QStringList{
               u"Overhead limit: 2.50 m of tide (clearance datum 4.00 m + charted clearance "
               u"20.00 m − air draught 21.50 m)"_s};
    QTest::newRow("all three blank: nothing, the margin aside")
        << false << QString() << u" "_s << QString() << u"x"_s << None << QStringList{};
    QTest::newRow("one missing") << false << QString() << u"20"_s << u"4"_s << QString() << None
                                 << QStringList{u"Air draught: not given"_s};
    QTest::newRow("two missing") << false << u"21.5"_s << QString() << QString() << QString()
                                 << None
                                 << QStringList{u"Clearance datum: not given"_s,
                                                u"Charted vertical clearance: not given"_s};
    QTest::newRow("negative lengths refused, a datum below chart datum taken")
        << false << u"-21.5"_s << u"20"_s << u"-0.5"_s << u"-0.1"_s << None
        << QStringList{u"Air draught: negative"_s, u"Overhead margin: negative"_s};
    QTest::newRow("not read whole")
        << false << u"21.5"_s << u"20,5"_s << u"4 ft"_s << u"0.5"_s << None
        << QStringList{u"Clearance datum: read in part"_s,
                       u"Charted vertical clearance: read in part"_s};
    QTest::newRow("beyond what a bridge or a ship could be")
        << false << u"1e308"_s << u"301"_s << u"100.5"_s << QString() << None
        << QStringList{u"Clearance datum: out of bounds"_s,
                       u"Charted vertical clearance: out of bounds"_s,
                       u"Air draught: out of bounds"_s};
}

void tst_Passage::overhead()
{
    QFETCH(bool, german);
    QFETCH(QString, air);
    QFETCH(QString, charted);
    QFETCH(QString, datum);
    QFETCH(QString, margin);
    QFETCH(double, limit);
    QFETCH(QStringList, lines);

    useLocale(german);
    const OverheadReading read = readOverhead({.airDraught = air,
                                               .verticalClearance = charted,
                                               .clearanceDatum = datum,
                                               .overheadMargin = margin});
    QCOMPARE(shown(read.line, read.reasons), lines);
    QVERIFY(sameValue(read.limit, limit));
}

// Times in minutes (hours × 60 + minutes), heights in metres. The lines: the
// overhead window, the passage, the stretch shaded, and the clearance at the
// required time where one is given.
void tst_Passage::windows_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<double>("highTime");
    QTest::addColumn<double>("highHeight");
    QTest::addColumn<double>("lowTime");
    QTest::addColumn<double>("lowHeight");
    QTest::addColumn<double>("needed");
    QTest::addColumn<double>("limit");
    QTest::addColumn<double>("required");
    QTest::addColumn<QStringList>("lines");

    const QString none =
        u"No time between these tides has both enough water and enough overhead clearance"_s;
    const auto row = [](const char *name, bool german, double ht, double hh, double lt, double lh,
                        double needed, double limit, double required, const QStringList &lines) {
        QTest::newRow(name) << german << ht << hh << lt << lh << needed << limit << required
                            << lines;
    };
    // HW 14:30 4.2 m, LW 08:20 0.8 m: both 2.00 m heights are crossed at 10:49.84.
    row("worked example: water from 10:50, overhead until 10:49", false, 870, 4.2, 500, 0.8, 2.0,
        2.0, 660,
        {u"Enough overhead clearance until 10:49"_s, none,
         u"At 11:00: 0.14 m short of the overhead clearance"_s});
    row("de_DE, rising, overlapping: 1.20 m to spare", true, 870, 4.2, 500, 0.8, 1.5, 3.34, 660,
        {u"Enough overhead clearance until 12:25"_s, u"Passage possible from 10:11 until 12:25"_s,
         u"shade 611..745"_s, u"At 11:00: 1,20 m of overhead clearance to spare"_s});
    row("falling, overlapping: overhead from rounds up, water until down", false, 500, 4.2, 870,
        0.8, 1.5, 3.0, None,
        {u"Enough overhead clearance from 10:50"_s, u"Passage possible from 10:50 until 12:39"_s,
         u"shade 650..759"_s});
    row("water throughout, overhead inside it", false, 870, 4.2, 500, 0.8, 0.5, 3.0, None,
        {u"Enough overhead clearance until 12:00"_s, u"Passage possible until 12:00"_s,
         u"shade 500..720"_s});
    row("overhead throughout at high water, water inside it", false, 870, 4.2, 500, 0.8, 1.5, 4.2,
        None,
        {u"Enough overhead clearance throughout"_s, u"Passage possible from 10:11"_s,
         u"shade 611..870"_s});
    row("limit at low water: never", false, 870, 4.2, 500, 0.8, 0.5, 0.8, None,
        {u"Not enough overhead clearance between these tides"_s, none});
    row("falling, apart: water until 10:49, overhead from 12:01", false, 500, 4.2, 870, 0.8, 3.0,
        2.0, None, {u"Enough overhead clearance from 12:01"_s, none});
    row("one minute where both just hold is no passage", false, 870, 4.2, 500, 0.8, 1.99, 2.01,
        None, {u"Enough overhead clearance until 10:50"_s, none});
    // 1.4 m is crossed at 12:26 and 16:34 exactly, computed a hair to the wrong side.
    row("rising: noise below 12:26 is not a minute earlier", false, 870, 1.6, 498, 0.8, 0.0, 1.4,
        None,
        {u"Enough overhead clearance until 12:26"_s, u"Passage possible until 12:26"_s,
         u"shade 498..746"_s});
    row("falling: noise above 16:34 is not a minute later", false, 870, 1.6, 1242, 0.8, 0.0, 1.4,
        None,
        {u"Enough overhead clearance from 16:34"_s, u"Passage possible from 16:34"_s,
         u"shade 994..1242"_s});
}

void tst_Passage::windows()
{
    QFETCH(bool, german);
    QFETCH(double, highTime);
    QFETCH(double, highHeight);
    QFETCH(double, lowTime);
    QFETCH(double, lowHeight);
    QFETCH(double, needed);
    QFETCH(double, limit);
    QFETCH(double, required);
    QFETCH(QStringList, lines);

    useLocale(german);
    const SpanOrRefusal made = spanBetween({highTime, highHeight}, {lowTime, lowHeight});
    QVERIFY(made.span);
    const TideSpan &span = *made.span;

    const TideWindow overhead = windowFor(span, limit, Side::AtMost);
    const Passage passage = passageBetween(span, windowFor(span, needed, Side::AtLeast), overhead);
    QStringList out{overheadWindowText(overhead), passageText(passage)};
    if (passage.kind != Passage::Kind::None)
        out << u"shade %1..%2"_s.arg(passage.stretch.from).arg(passage.stretch.until);
    if (!std::isnan(required))
        out << overheadAtText(required, span.cosineHeight(required), limit);
    QCOMPARE(out, lines);
}

QTEST_GUILESS_MAIN(tst_Passage)
#include "tst_passage.moc"
