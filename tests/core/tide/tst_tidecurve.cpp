#include "core/tide/TideCurve.h"
#include "core/tide/TideReading.h"
#include "support/RefusedKinds.h"
#include "support/WorksheetTexts.h"

#include <QLocale>
#include <QMap>
#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace ondal::tide;
using ondal::ResultLine;

Q_DECLARE_METATYPE(ondal::tide::PassageInputs)
Q_DECLARE_METATYPE(ondal::tide::DayEntries)

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

using ondal::test::FilledWorksheet;
using ondal::test::Texts;

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
        const TideWindow w = windowFor(s, needed, Side::AtLeast);
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

QString kindName(ResultLine::Kind kind)
{
    static const QString names[] = {u"summary"_s, u"result"_s, u"note"_s, u"reason"_s};
    return names[int(kind)];
}

// Whether a line is the reason for a value refused (compared by kind).
bool isRefusal(const TideReading &reading, const ResultLine &line)
{
    return line.kind == ResultLine::Kind::Reason &&
           std::any_of(reading.refused.cbegin(), reading.refused.cend(),
                       [&](const ondal::RefusedValue &value) {
                           return line.text.startsWith(value.label + u": "_s);
                       });
}

const QString Disclaimer = u"The cosine curve approximates the port's own tidal curve; check "
                           u"critical clearances against official tables."_s;

} // namespace

class tst_TideCurve : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void model_data();
    void model();
    void reading_data();
    void reading();
    void passage_data();
    void passage();
    void dayReading_data();
    void dayReading();
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
    row("at high water itself: on the span", 870, 4.2, 500, 0.8, 870, None,
        {u"span 500..870 rising"_s,
         u"at 870: 4.20 m (3.40 above low water), factor 1.00, straight 4.20 m"_s});
    row("at low water itself: on the span", 870, 4.2, 500, 0.8, 500, None,
        {u"span 500..870 rising"_s,
         u"at 500: 0.80 m (0.00 above low water), factor 0.00, straight 0.80 m"_s});
    row("exactly 12 hours apart: the same day", 720, 4.2, 0, 0.8, None, None,
        {u"span 0..720 rising"_s});
    row("12 h 1 min apart: the earlier on the next day", 721, 4.2, 0, 0.8, None, None,
        {u"span 721..1440 falling"_s, u"low water next day"_s});
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
    row("HW 40:00, LW 02:00: still 14 h apart after the midnight rule", 2400, 4.2, 120, 0.8, None,
        None,
        {u"refused: High and low water lie more than 12 hours apart: they are not one rise or "
         u"fall"_s});
    row("HW hours 1e6", 6e7, 4.2, 500, 0.8, None, None,
        {u"refused: High water's time in minutes lies outside 0 to 2880"_s});
    row("HW hours 1e300", 6e301, 4.2, 500, 0.8, None, None,
        {u"refused: High water's time in minutes lies outside 0 to 2880"_s});
    row("HW a minute before 00:00", -1, 4.2, 500, 0.8, None, None,
        {u"refused: High water's time in minutes lies outside 0 to 2880"_s});
    row("heights 10000000000000004 and 10000000000000000", 870, 1e16 + 4, 500, 1e16, None, None,
        {u"refused: High water's height lies outside −100 to 100"_s});
    row("LW height 1e308", 870, 4.2, 500, 1e308, None, None,
        {u"refused: Low water's height lies outside −100 to 100"_s});
    row("a height that is not a number", 870, None, 500, 0.8, None, None,
        {u"refused: High water's height lies outside −100 to 100"_s});
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

void tst_TideCurve::reading_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<Texts>("fields");
    QTest::addColumn<QString>("draught");
    QTest::addColumn<QString>("clearance");
    QTest::addColumn<QStringList>("lines");   // "kind: text", the disclaimer and refusals left out
    QTest::addColumn<QStringList>("refused"); // by kind, in order

    const Texts example{{1, u"4.2"_s}, {2, u"0.8"_s}, {4, u"14"_s}, {5, u"30"_s}, {6, u"8"_s},
                        {7, u"20"_s},  {12, u"11"_s}, {13, u"0"_s}, {19, u"1"_s}};
    QTest::newRow("HW 14:30, LW 08:20, at 11:00, 2.5 m draught")
        << false << example << u"2.50"_s << u"0.5"_s
        << QStringList{u"summary: High water 14:30, 4.20 m · Low water 08:20, 0.80 m · Duration 6 "
                       u"h 10 min · Range 3.40 m"_s,
                       u"result: At 11:00: 2.14 m by the cosine curve (factor 0.39), 2.27 m by "
                       u"the straight line"_s,
                       u"result: Needed: 2.00 m of tide (draught 2.50 m + clearance 0.50 m − "
                       u"charted sounding 1.00 m)"_s,
                       u"result: Enough water from 10:50"_s}
        << QStringList{};

    Texts german = example;
    german[1] = u"4,2"_s;
    german[2] = u"0,8"_s;
    QTest::newRow("de_DE writes decimal commas")
        << true << german << u"2,5"_s << u"0,5"_s
        << QStringList{u"summary: High water 14:30, 4,20 m · Low water 08:20, 0,80 m · Duration 6 "
                       u"h 10 min · Range 3,40 m"_s,
                       u"result: At 11:00: 2,14 m by the cosine curve (factor 0,39), 2,27 m by "
                       u"the straight line"_s,
                       u"result: Needed: 2,00 m of tide (draught 2,50 m + clearance 0,50 m − "
                       u"charted sounding 1,00 m)"_s,
                       u"result: Enough water from 10:50"_s}
        << QStringList{};

    QTest::newRow("across midnight, drying height, another interval high water")
        << false << Texts{{1, u"4.2"_s}, {2, u"0.8"_s}, {4, u"21"_s},  {5, u"47"_s},   {6, u"4"_s},
                          {7, u"6"_s},   {10, u"21"_s}, {11, u"40"_s}, {19, u"-0.2"_s}}
        << u"2.5"_s << u"0.5"_s
        << QStringList{u"summary: High water 21:47, 4.20 m · Low water 04:06, 0.80 m · Duration 6 "
                       u"h 19 min · Range 3.40 m"_s,
                       u"note: Low water taken on the next day"_s,
                       u"note: The curve uses the duration's high water 21:47, not the "
                       u"interval's 21:40"_s,
                       u"result: Needed: 3.20 m of tide (draught 2.50 m + clearance 0.50 m + "
                       u"drying height 0.20 m)"_s,
                       u"result: Enough water until 00:05"_s}
        << QStringList{};

    QTest::newRow("HW typed 28:06 is on the next day; interval minutes blank say nothing")
        << false << Texts{{1, u"4.2"_s}, {2, u"0.8"_s}, {4, u"28"_s}, {5, u"06"_s},
                          {6, u"22"_s},  {7, u"0"_s},   {10, u"21"_s}}
        << QString() << QString()
        << QStringList{u"summary: High water 04:06, 4.20 m · Low water 22:00, 0.80 m · Duration 6 "
                       u"h 6 min · Range 3.40 m"_s,
                       u"note: High water taken on the next day"_s}
        << QStringList{};

    // Both on the next day by their hours, yet low water moved a day more.
    QTest::newRow("HW 47:00 with LW 12:00: low water taken a day on is said")
        << false
        << Texts{{1, u"4.2"_s}, {2, u"0.8"_s}, {4, u"47"_s}, {5, u"0"_s}, {6, u"12"_s}, {7, u"0"_s}}
        << QString() << QString()
        << QStringList{u"summary: High water 23:00, 4.20 m · Low water 12:00, 0.80 m · Duration 11 "
                       u"h 0 min · Range 3.40 m"_s,
                       u"note: Low water taken on the next day"_s,
                       u"note: Duration outside 5 to 7 hours: the cosine curve is only a rough "
                       u"guide"_s}
        << QStringList{};

    QTest::newRow("long duration, required time outside the span")
        << false << Texts{{1, u"3"_s}, {2, u"1"_s}, {4, u"12"_s},  {5, u"0"_s},
                          {6, u"4"_s}, {7, u"0"_s}, {12, u"15"_s}, {13, u"0"_s}}
        << QString() << QString()
        << QStringList{u"summary: High water 12:00, 3.00 m · Low water 04:00, 1.00 m · Duration 8 "
                       u"h 0 min · Range 2.00 m"_s,
                       u"note: Duration outside 5 to 7 hours: the cosine curve is only a rough "
                       u"guide"_s,
                       u"reason: Required Time 15:00 lies outside the span from 04:00 to 12:00: "
                       u"no height is given outside the two tides"_s}
        << QStringList{};

    QTest::newRow("HW 40:00 and LW 02:00 are no rise or fall")
        << false
        << Texts{{1, u"4.2"_s}, {2, u"0.8"_s}, {4, u"40"_s}, {5, u"0"_s}, {6, u"2"_s}, {7, u"0"_s}}
        << QString() << QString()
        << QStringList{u"reason: High and low water lie more than 12 hours apart: they are not one "
                       u"rise or fall"_s}
        << QStringList{};

    // An empty height is missing, not 0; a time names the part refused.
    QTest::newRow("missing and unreadable values")
        << false << Texts{{1, u"1e999"_s}, {4, u"1a"_s}, {5, u"30"_s},
                          {6, u"8"_s},     {7, u" "_s},  {12, u"11"_s}}
        << u"2,5"_s << u"0.5"_s
        << QStringList{u"note: The tidal window needs the Charted Sounding on the worksheet"_s}
        << QStringList{u"Tide Table's High Water: too large"_s,
                       u"Tide Table's Low Water: not given"_s,
                       u"Time of High Water, hours: read in part"_s,
                       u"Time of Low Water, minutes: not given"_s,
                       u"Required Time, minutes: not given"_s,
                       u"Draught: read in part"_s};

    // Values no tide can have, as typed into the worksheet: each is refused
    // and none reaches a line as a number.
    QTest::newRow("heights 1e16 and 1e16+4, HW hours 1e10, required minutes 1e308")
        << false
        << Texts{{1, u"10000000000000004"_s},
                 {2, u"10000000000000000"_s},
                 {4, u"1e10"_s},
                 {5, u"30"_s},
                 {6, u"8"_s},
                 {7, u"20"_s},
                 {12, u"11"_s},
                 {13, u"1e308"_s}}
        << QString() << QString() << QStringList{}
        << QStringList{u"Tide Table's High Water: out of bounds"_s,
                       u"Tide Table's Low Water: out of bounds"_s,
                       u"Time of High Water: out of bounds"_s, u"Required Time: out of bounds"_s};

    Texts hours1e300 = example;
    hours1e300[1] = u"1e308"_s;
    hours1e300[4] = u"1e300"_s;
    QTest::newRow("HW height 1e308, HW hours 1e300")
        << false << hours1e300 << u"2.5"_s << u"0.5"_s
        << QStringList{u"result: Needed: 2.00 m of tide (draught 2.50 m + clearance 0.50 m − "
                       u"charted sounding 1.00 m)"_s}
        << QStringList{u"Tide Table's High Water: out of bounds"_s,
                       u"Time of High Water: out of bounds"_s};

    // The reason comes before the answers it does not touch.
    Texts required1e308 = example;
    required1e308[13] = u"1e308"_s;
    QTest::newRow("required minutes 1e308 beside a window")
        << false << required1e308 << u"2.5 m"_s << u"0.5m"_s
        << QStringList{u"summary: High water 14:30, 4.20 m · Low water 08:20, 0.80 m · Duration 6 "
                       u"h 10 min · Range 3.40 m"_s,
                       u"result: Needed: 2.00 m of tide (draught 2.50 m + clearance 0.50 m − "
                       u"charted sounding 1.00 m)"_s,
                       u"result: Enough water from 10:50"_s}
        << QStringList{u"Required Time: out of bounds"_s};

    // A draught not read whole gives no window: neither the classic rule's
    // 42, 4 and 4, nor the 4.2 at the start of a paste cut short.
    const QString summary = u"summary: High water 14:30, 4.20 m · Low water 08:20, 0.80 m · "
                            u"Duration 6 h 10 min · Range 3.40 m"_s;
    const QString at1100 = u"result: At 11:00: 2.14 m by the cosine curve (factor 0.39), 2.27 m "
                           u"by the straight line"_s;
    const auto noWindow = [&](const char *name, const QString &draught, const QString &kind) {
        QTest::newRow(name) << false << example << draught << u"0.5"_s
                            << QStringList{summary, at1100} << QStringList{u"Draught: "_s + kind};
    };
    noWindow("2,5 in an English locale", u"2,5"_s, u"read in part"_s);
    noWindow("4 2 is not 42", u"4 2"_s, u"read in part"_s);
    noWindow("&H4 is not 4", u"&H4"_s, u"not a number"_s);
    noWindow("4D0 is not 4", u"4D0"_s, u"read in part"_s);
    noWindow("a paste as long as the field", u"4.2"_s + QString(99995, u' ') + u"x"_s,
             u"too long"_s);

    Texts deep = example;
    deep[19] = u"1e6"_s;
    QTest::newRow("draught NaN, an 18-character clearance, sounding 1e6")
        << false << deep << u"NaN"_s << u"12345678901234567x"_s << QStringList{summary, at1100}
        << QStringList{u"Draught: not a number"_s, u"Under-keel clearance: read in part"_s,
                       u"Charted Sounding: out of bounds"_s};

    QTest::newRow("draught &HFF is not a number, clearance below 0")
        << false << example << u"&HFF"_s << u"-0.5"_s << QStringList{summary, at1100}
        << QStringList{u"Draught: not a number"_s, u"Under-keel clearance: negative"_s};

    Texts lowAbc = example;
    lowAbc[2] = u"abc"_s;
    QTest::newRow("LW height abc, no clearance")
        << false << lowAbc << u"2.5"_s << QString() << QStringList{}
        << QStringList{u"Tide Table's Low Water: not a number"_s,
                       u"Under-keel clearance: not given"_s};
}

void tst_TideCurve::reading()
{
    QFETCH(bool, german);
    QFETCH(Texts, fields);
    QFETCH(QString, draught);
    QFETCH(QString, clearance);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, refused);

    if (german)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const FilledWorksheet worksheet(fields);
    const TideReading reading = readTide(worksheet, draught, clearance);

    QVERIFY(!reading.lines.isEmpty());
    QCOMPARE(reading.lines.last().kind, ResultLine::Kind::Disclaimer);
    QCOMPARE(reading.lines.last().text, Disclaimer);
    QCOMPARE(ondal::test::refusedKinds(reading.refused), refused);
    QStringList shown;
    qsizetype refusals = 0;
    for (qsizetype i = 0; i + 1 < reading.lines.size(); ++i) {
        const ResultLine &line = reading.lines.at(i);
        if (isRefusal(reading, line))
            ++refusals;
        else
            shown << kindName(line.kind) + u": "_s + line.text;
    }
    QCOMPARE(shown, lines);
    QCOMPARE(refusals, reading.refused.size());

    // No line shows a runaway number; quoted text is the user's own.
    static const QRegularExpression quote(u"“[^”]*”"_s);
    static const QRegularExpression runaway(u"\\b(inf|nan)\\b|(\\d[.,]?){16}"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    for (const ResultLine &line : reading.lines)
        QVERIFY2(!QString(line.text).remove(quote).contains(runaway), qPrintable(line.text));

    // A window only from values all read whole.
    if (reading.window) {
        for (const InputValue &input : reading.inputs) {
            if (&input != &reading.input(Input::RequiredTime))
                QCOMPARE(input.status, InputValue::Read);
        }
    }
}

void tst_TideCurve::passage_data()
{
    QTest::addColumn<QString>("clearance");
    QTest::addColumn<PassageInputs>("passage");
    QTest::addColumn<QStringList>("lines"); // the results, then the values refused by kind

    const QString at1100 = u"result: At 11:00: 2.14 m by the cosine curve (factor 0.39), 2.27 m "
                           u"by the straight line"_s;
    const PassageInputs bridge{.airDraught = u"21.50"_s,
                               .verticalClearance = u"20.00"_s,
                               .clearanceDatum = u"4.00"_s,
                               .overheadMargin = u"0.50"_s};
    QTest::newRow("worked example: water from 10:50, overhead until 10:49, no passage")
        << u"0.5"_s << bridge
        << QStringList{at1100,
                       u"result: Needed: 2.00 m of tide (draught 2.50 m + clearance 0.50 m − "
                       u"charted sounding 1.00 m)"_s,
                       u"result: Enough water from 10:50"_s,
                       u"result: Overhead limit: 2.00 m of tide (clearance datum 4.00 m + "
                       u"charted clearance 20.00 m − air draught 21.50 m − margin 0.50 m)"_s,
                       u"result: Enough overhead clearance until 10:49"_s,
                       u"result: At 11:00: 0.14 m short of the overhead clearance"_s,
                       u"result: No time between these tides has both enough water and enough "
                       u"overhead clearance"_s};
    QTest::newRow("squat in open water, clearance as a share of the draught")
        << u"10 %"_s << PassageInputs{.blockCoefficient = u"0.78"_s, .speed = u"9"_s}
        << QStringList{at1100,
                       u"result: Squat 0.63 m by Barrass's formula for open water (block "
                       u"coefficient 0.78, 9.0 knots)"_s,
                       u"result: Needed: 2.38 m of tide (draught 2.50 m + squat 0.63 m + "
                       u"clearance 10 % of draught 0.25 m − charted sounding 1.00 m)"_s,
                       u"result: Enough water from 11:17"_s};
    QTest::newRow("a speed without a block coefficient gives no window")
        << u"0.5"_s << PassageInputs{.speed = u"9"_s}
        << QStringList{at1100, u"Block coefficient: not given"_s};
}

void tst_TideCurve::passage()
{
    QFETCH(QString, clearance);
    QFETCH(PassageInputs, passage);
    QFETCH(QStringList, lines);

    const Texts example{{1, u"4.2"_s}, {2, u"0.8"_s}, {4, u"14"_s}, {5, u"30"_s}, {6, u"8"_s},
                        {7, u"20"_s},  {12, u"11"_s}, {13, u"0"_s}, {19, u"1"_s}};
    const FilledWorksheet worksheet(example);
    const TideReading reading = readTide(worksheet, CurveEntries{u"2.5"_s, clearance, passage});
    QStringList shown;
    for (const ResultLine &line : reading.lines) {
        if (line.kind == ResultLine::Kind::Result ||
            (line.kind == ResultLine::Kind::Reason && !isRefusal(reading, line)))
            shown << kindName(line.kind) + u": "_s + line.text;
    }
    QCOMPARE(shown << ondal::test::refusedKinds(reading.refused), lines);
}

// The tides of the day through the curve's reading: the worksheet's high and
// low water stand aside, its required time and sounding and the window's
// entries are read as ever.
void tst_TideCurve::dayReading_data()
{
    QTest::addColumn<Texts>("fields");
    QTest::addColumn<DayEntries>("day");
    QTest::addColumn<QString>("computerZone"); // empty: none known
    QTest::addColumn<QString>("draught");
    QTest::addColumn<QString>("kinds"); // a letter a line: summary, note, reason, Result
    QTest::addColumn<QString>("water"); // the stretches in minutes on the day's axis
    QTest::addColumn<double>("required");
    QTest::addColumn<QStringList>("refused");

    const QString example = u"0208 4.1 0822 0.9 1431 4.3 2047 0.7"_s;
    const QString london = u"Europe/London"_s;
    const Texts sounding{{19, u"0"_s}};
    // The worksheet's own tides: one refused, where they are read at all.
    Texts sheet{{1, u"abc"_s}, {2, u"0.8"_s}, {4, u"14"_s},
                {5, u"30"_s},  {6, u"8"_s},   {19, u"0"_s}};
    const auto at = [&](const QString &hours) {
        return Texts{{19, u"0"_s}, {12, hours}, {13, u"0"_s}};
    };
    const auto row = [](const char *name, const Texts &fields, const DayEntries &day,
                        const QString &zone, const QString &draught, const QString &kinds,
                        const QString &water, double required, const QStringList &refused = {}) {
        QTest::newRow(name) << fields << day << zone << draught << kinds << water << required
                            << refused;
    };
    row("worked example; the worksheet's tides not read", sheet, {example}, london, u"2.5"_s,
        u"snnRRR"_s, u"128..277 715..1025"_s, None);
    sheet[1] = u"4.2"_s;
    row("a refused list: no window, nor from the worksheet's tides", sheet,
        {u"0208 4.1 0822 0.9 1431 0.5"_s}, london, u"2.5"_s, u"nrR"_s, u"none"_s, None);
    row("a draught refused gives no window", sounding, {example}, london, u"2,5"_s, u"snnr"_s,
        u"none"_s, None, {u"Draught: read in part"_s});
    row("required 11:00 within the tides", at(u"11"_s), {example}, london, {}, u"snnR"_s, u"none"_s,
        2.22);
    row("required 23:00 outside them", at(u"23"_s), {example}, london, {}, u"snnr"_s, u"none"_s,
        None);
    // On the computer's summer clock: every time an hour on.
    row("UTC tables on a summer date", sounding, {example, u"2026-06-14"_s, u"UTC"_s}, london,
        u"2.5"_s, u"snnRRR"_s, u"188..337 775..1085"_s, None);
    row("a blank ship's clock and no computer's zone", sounding,
        {example, u"2026-06-14"_s, u"UTC"_s}, QString(), u"2.5"_s, u"nrR"_s, u"none"_s, None);
}

void tst_TideCurve::dayReading()
{
    QFETCH(Texts, fields);
    QFETCH(DayEntries, day);
    QFETCH(QString, computerZone);
    QFETCH(QString, draught);
    QFETCH(QString, kinds);
    QFETCH(QString, water);
    QFETCH(double, required);
    QFETCH(QStringList, refused);

    const CurveEntries entries{draught, draught.isEmpty() ? QString() : u"0.5"_s, {}, day};
    const QTimeZone zone =
        computerZone.isEmpty() ? QTimeZone() : QTimeZone(computerZone.toLatin1());
    const TideReading reading = readTide(FilledWorksheet(fields), entries, zone);

    // The day's reading is the curve's: the single span stays empty, and the
    // worksheet's tides are neither read nor refused.
    QVERIFY(reading.day && !reading.span && !reading.window && !reading.required);
    QCOMPARE(reading.input(Input::HighWaterHeight).status, InputValue::Blank);
    QCOMPARE(ondal::test::refusedKinds(reading.refused), refused);
    QString shown;
    for (const ResultLine &line : reading.lines)
        shown += u"sRnrd"_s.at(int(line.kind));
    QCOMPARE(shown, kinds + u'd');
    QStringList stretches;
    for (const DayStretch &stretch : reading.day->water.value_or(QList<DayStretch>()))
        stretches << u"%1..%2"_s.arg(stretch.from).arg(stretch.until);
    QCOMPARE(reading.day->water ? stretches.join(u' ') : u"none"_s, water);
    QCOMPARE(reading.day->required.has_value(), !std::isnan(required));
    if (reading.day->required)
        QCOMPARE(n(reading.day->required->height), n(required));
}

QTEST_GUILESS_MAIN(tst_TideCurve)
#include "tst_tidecurve.moc"
