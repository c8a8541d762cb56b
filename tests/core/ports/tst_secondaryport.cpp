#include "core/ports/PortHandover.h"
#include "core/ports/SecondaryPort.h"
#include "core/runtime/TableTime.h"
#include "core/tide/TideReading.h"
#include "core/worksheet/WorksheetSteps.h"
#include "support/RecordingMessages.h"
#include "support/RefusedKinds.h"
#include "support/WorksheetTexts.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ondal::ports;
using ondal::readClockTime;
using ondal::readTimeDifference;
using ondal::TableTime;
using ondal::test::FilledWorksheet;
using ondal::test::Texts;

namespace {

// Field key → text, over the made-up port of the worked example.
using Changes = QMap<QString, QString>;

PortTable example(const Changes &changes = {})
{
    PortTable table{u"Littleport"_s, u"Bigport"_s, u"0000"_s,  u"+0035"_s, u"0600"_s,
                    u"+0023"_s,      u"0500"_s,    u"+0047"_s, u"1100"_s,  u"+0004"_s,
                    u"4.2"_s,        u"3.4"_s,     u"1.1"_s,   u"0.4"_s,   u"+1.1"_s,
                    u"+0.8"_s,       u"+0.2"_s,    u"+0.1"_s,  {},         {}};
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        if (it.key() == u"name"_s)
            table.name = it.value();
        for (const PortValue &value : PortValues) {
            if (it.key() == QString::fromUtf16(value.key))
                table.*value.member = it.value();
        }
    }
    return table;
}

template <typename Working> QStringList texts(const Working &working)
{
    QStringList out;
    for (const auto &line : working.lines)
        out << line.text;
    return out;
}

} // namespace

class tst_SecondaryPort : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void typedTimes_data();
    void typedTimes();
    void working_data();
    void working();
    void workedExampleInFull();
    void equalDifferencesExtrapolateNothing();
    void handOverToTheWorksheet_data();
    void handOverToTheWorksheet();
    void tidesOfTheDay_data();
    void tidesOfTheDay();
    void dayHandsOverToTheCurve();
};

void tst_SecondaryPort::typedTimes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isDifference");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("minutes");

    const int read = TableTime::Read, blank = TableTime::Blank, bad = TableTime::NotATime;
    QTest::newRow("run together") << u"0638"_s << false << read << 398;
    QTest::newRow("three digits") << u"638"_s << false << read << 398;
    QTest::newRow("with a colon") << u"6:38"_s << false << read << 398;
    QTest::newRow("last minute of the day") << u" 2359 "_s << false << read << 1439;
    QTest::newRow("blank") << u"  "_s << false << blank << 0;
    QTest::newRow("24 hours is no clock time") << u"2400"_s << false << bad << 0;
    QTest::newRow("60 minutes") << u"0660"_s << false << bad << 0;
    QTest::newRow("two digits are not a clock time") << u"38"_s << false << bad << 0;
    QTest::newRow("a clock time has no sign") << u"+0638"_s << false << bad << 0;
    QTest::newRow("one minute digit") << u"6:5"_s << false << bad << 0;
    QTest::newRow("full stop") << u"06.38"_s << false << bad << 0;
    QTest::newRow("five digits") << u"00638"_s << false << bad << 0;
    QTest::newRow("as long as its field")
        << u"0638"_s + QString(ondal::ValueFieldLength - 4, u' ') << false << bad << 0;
    QTest::newRow("difference with a plus") << u"+0035"_s << true << read << 35;
    QTest::newRow("minutes alone") << u"35"_s << true << read << 35;
    QTest::newRow("minus an hour and ten") << u"-0110"_s << true << read << -70;
    QTest::newRow("minus with a colon") << u"-1:10"_s << true << read << -70;
    QTest::newRow("Unicode minus") << u"\u22120110"_s << true << read << -70;
    QTest::newRow("sign alone") << u"+"_s << true << bad << 0;
    QTest::newRow("two signs") << u"+-0035"_s << true << bad << 0;
    QTest::newRow("Arabic-Indic digits") << u"\u0660\u0663\u0665"_s << true << bad << 0;
}

void tst_SecondaryPort::typedTimes()
{
    QFETCH(QString, text);
    QFETCH(bool, isDifference);
    QFETCH(int, status);
    QFETCH(int, minutes);
    const TableTime read = isDifference ? readTimeDifference(text) : readClockTime(text);
    QCOMPARE(int(read.status), status);
    QCOMPARE(read.minutes, minutes);
}

void tst_SecondaryPort::working_data()
{
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<QStringList>("standard"); // HW time, height, LW time, height
    QTest::addColumn<QStringList>("shown");    // lines that must be among those shown
    QTest::addColumn<QStringList>("refused");  // the values refused, by kind

    const auto hw = [](const QString &time, const QString &height) {
        return QStringList{time, height, {}, {}};
    };
    const auto lw = [](const QString &time, const QString &height) {
        return QStringList{{}, {}, time, height};
    };

    QTest::newRow("height between MHWN and MHWS")
        << Changes{} << hw(u"0638"_s, u"3.8"_s)
        << QStringList{u"High water at Littleport: 07:02, 4.75 m"_s} << QStringList{};
    QTest::newRow("low water, a half minute rounds away from zero")
        << Changes{} << lw(u"0800"_s, u"0.75 m"_s)
        << QStringList{u"Low water at Littleport: 08:26, 0.90 m"_s,
                       u"Standard port 08:00, 0.75 m · time difference +26 min (between +47 at "
                       u"05:00 and +4 at 11:00) · height difference +0.15 m"_s}
        << QStringList{};
    QTest::newRow("low water on the arc across the table's noon")
        << Changes{} << lw(u"13:30"_s, u"0.4"_s)
        << QStringList{u"Low water at Littleport: 13:52, 0.50 m"_s,
                       u"Standard port 13:30, 0.40 m · time difference +22 min (between +4 at "
                       u"11:00 and +47 at 17:00) · height difference +0.10 m"_s}
        << QStringList{};
    QTest::newRow("high water on the first arc")
        << Changes{} << hw(u"0300"_s, u"3.4"_s)
        << QStringList{u"High water at Littleport: 03:29, 4.20 m"_s,
                       u"Standard port 03:00, 3.40 m · time difference +29 min (between +35 at "
                       u"00:00 and +23 at 06:00) · height difference +0.80 m"_s}
        << QStringList{};
    QTest::newRow("table times 0200 and 0800")
        << Changes{{u"hwTime1"_s, u"0200"_s},
                   {u"hwDiff1"_s, u"-0010"_s},
                   {u"hwTime2"_s, u"0800"_s},
                   {u"hwDiff2"_s, u"+0:20"_s}}
        << hw(u"1100"_s, u"4.2"_s)
        << QStringList{u"High water at Littleport: 11:05, 5.30 m"_s,
                       u"Standard port 11:00, 4.20 m · time difference +5 min (between +20 at "
                       u"08:00 and -10 at 14:00) · height difference +1.10 m"_s}
        << QStringList{};
    QTest::newRow("next day") << Changes{} << hw(u"2350"_s, u"4.2"_s)
                              << QStringList{u"High water at Littleport: 00:25, 5.30 m"_s,
                                             u"High water falls on the next day"_s}
                              << QStringList{};
    QTest::newRow("previous day") << Changes{{u"lwDiff1"_s, u"-0110"_s},
                                             {u"lwDiff2"_s, u"\u22120:50"_s}}
                                  << lw(u"0030"_s, u"0.4"_s)
                                  << QStringList{u"Low water at Littleport: 23:35, 0.50 m"_s,
                                                 u"Low water falls on the previous day"_s}
                                  << QStringList{};
    QTest::newRow("above MHWS") << Changes{} << hw(u"0638"_s, u"4.6"_s)
                                << QStringList{u"High water at Littleport: 07:02, 5.85 m"_s,
                                               u"High water above MHWS: the difference is "
                                               u"extrapolated"_s}
                                << QStringList{};
    QTest::newRow("below MLWS") << Changes{} << lw(u"0800"_s, u"0"_s)
                                << QStringList{u"Low water at Littleport: 08:26, 0.04 m"_s,
                                               u"Low water below MLWS: the difference is "
                                               u"extrapolated"_s}
                                << QStringList{};
    QTest::newRow("seasonal changes")
        << Changes{{u"seasonalStandard"_s, u"0.1"_s}, {u"seasonalSecondary"_s, u"-0.1m"_s}}
        << hw(u"0638"_s, u"4.3"_s)
        << QStringList{u"High water at Littleport: 07:02, 5.20 m"_s,
                       u"Seasonal changes: +0.10 m at the standard port taken off, -0.10 m at "
                       u"the secondary port added"_s}
        << QStringList{};
    QTest::newRow("no name") << Changes{{u"name"_s, u" "_s}} << hw(u"0638"_s, u"4.2"_s)
                             << QStringList{u"High water at the secondary port: 07:02, 5.30 m"_s}
                             << QStringList{};
    QTest::newRow("nothing typed for the day")
        << Changes{} << QStringList{{}, {}, {}, {}}
        << QStringList{u"Type the standard port's high and low water for the day"_s}
        << QStringList{};

    // Refusals: the tide is not worked out, and the value is named.
    const QString notWorkedOut = u"High water at Littleport: not worked out"_s;
    const auto refused = [&](const char *name, const Changes &changes, const QStringList &standard,
                             const QString &kind) {
        QTest::newRow(name) << changes << standard << QStringList{notWorkedOut}
                            << QStringList{kind};
    };
    refused("missing MHWS", {{u"mhws"_s, u""_s}}, hw(u"0638"_s, u"4.2"_s),
            u"MHWS at the standard port: not given"_s);
    refused("height read in part", {}, hw(u"0638"_s, u"4.2x"_s),
            u"Standard port high water height: read in part"_s);
    refused("height missing beside its time", {}, hw(u"0638"_s, u""_s),
            u"Standard port high water height: not given"_s);
    refused("height no tide has", {}, hw(u"0638"_s, u"1e300"_s),
            u"Standard port high water height: out of bounds"_s);
    // Read by the classic rule these were 42 m, −1 m and 4 m.
    refused("height 4 2 is not 42", {}, hw(u"0638"_s, u"4 2"_s),
            u"Standard port high water height: read in part"_s);
    refused("height &HFFFF is not -1", {}, hw(u"0638"_s, u"&HFFFF"_s),
            u"Standard port high water height: not a number"_s);
    refused("height &H4 is not 4", {}, hw(u"0638"_s, u"&H4"_s),
            u"Standard port high water height: not a number"_s);
    refused("height 4D0 is not 4", {}, hw(u"0638"_s, u"4D0"_s),
            u"Standard port high water height: read in part"_s);
    refused("a height pasted as long as its field", {},
            hw(u"0638"_s, u"4.2"_s + QString(99995, u' ') + u"x"_s),
            u"Standard port high water height: too long"_s);
    refused("a time pasted as long as its field", {},
            hw(u"0638"_s + QString(ondal::ValueFieldLength, u' '), u"4.2"_s),
            u"Standard port high water time: too long"_s);
    refused("difference not a time", {{u"hwDiff2"_s, u"+23 min"_s}}, hw(u"0638"_s, u"4.2"_s),
            u"High water, difference at the second table time: not in form"_s);
    refused("seasonal change read in part", {{u"seasonalSecondary"_s, u"0,1"_s}},
            hw(u"0638"_s, u"4.2"_s), u"Seasonal change at the secondary port: read in part"_s);

    QTest::newRow("a table line extended to a height no tide has")
        << Changes{{u"mhws"_s, u"3.41"_s}, {u"mhwsDiff"_s, u"90"_s}} << hw(u"0638"_s, u"4.2"_s)
        << QStringList{notWorkedOut, u"High water: the worked height lies outside −100 to 100 m"_s}
        << QStringList{};
    QTest::newRow("equal table times")
        << Changes{{u"hwTime2"_s, u"1200"_s}} << hw(u"0638"_s, u"4.2"_s)
        << QStringList{u"High water: the two table times, 00:00 and 12:00, are the same on the "
                       u"12-hour table"_s}
        << QStringList{};
    QTest::newRow("MHWS not above MHWN")
        << Changes{{u"mhws"_s, u"3.4"_s}} << hw(u"0638"_s, u"4.2"_s)
        << QStringList{u"MHWS at the standard port (3.40 m) is not above MHWN (3.40 m)"_s}
        << QStringList{};
    QTest::newRow("MLWN not above MLWS")
        << Changes{{u"mlwn"_s, u"0.3"_s}} << lw(u"0800"_s, u"0.75"_s)
        << QStringList{u"Low water at Littleport: not worked out"_s,
                       u"MLWN at the standard port (0.30 m) is not above MLWS (0.40 m)"_s}
        << QStringList{};
}

void tst_SecondaryPort::working()
{
    QFETCH(Changes, changes);
    QFETCH(QStringList, standard);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, refused);
    const SecondaryWorking working = workSecondaryPort(
        example(changes), StandardTides{standard[0], standard[1], standard[2], standard[3]});
    QCOMPARE(ondal::test::refusedKinds(working.refused), refused);
    const QStringList lines = texts(working);
    for (const QString &line : shown) {
        if (!lines.contains(line))
            QFAIL(qPrintable(u"missing: %1\nshown:\n%2"_s.arg(line, lines.join(u'\n'))));
    }
}

void tst_SecondaryPort::workedExampleInFull()
{
    // In a decimal-comma locale, the heights typed and shown with commas.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    PortTable table = example({{u"mhws"_s, u"4,2"_s},
                               {u"mhwn"_s, u"3,4"_s},
                               {u"mhwsDiff"_s, u"+1,1"_s},
                               {u"mhwnDiff"_s, u"+0,8"_s},
                               {u"mlwn"_s, u"1,1"_s},
                               {u"mlws"_s, u"0,4"_s},
                               {u"mlwnDiff"_s, u"+0,2"_s},
                               {u"mlwsDiff"_s, u"+0,1"_s}});
    const SecondaryWorking working =
        workSecondaryPort(table, {u"0638"_s, u"4,2"_s, u"0800"_s, u"0,75"_s});
    QCOMPARE(texts(working),
             (QStringList{u"High water at Littleport: 07:02, 5,30 m"_s,
                          u"Standard port 06:38, 4,20 m · time difference +24 min (between +23 "
                          u"at 06:00 and +35 at 12:00) · height difference +1,10 m"_s,
                          u"Low water at Littleport: 08:26, 0,90 m"_s,
                          u"Standard port 08:00, 0,75 m · time difference +26 min (between +47 "
                          u"at 05:00 and +4 at 11:00) · height difference +0,15 m"_s,
                          u"Range at Littleport 4,40 m · duration 1 h 24 min"_s}));
    QVERIFY(qAbs(working.high->exactTimeDifference - 24.2667) < 1e-4);
    QVERIFY(qAbs(working.high->heightDifference - 1.10) < 1e-12);
}

// A port with one fixed difference at each tide: far above MHWS and below
// MLWS, nothing is interpolated, so nothing is said to be extrapolated.
void tst_SecondaryPort::equalDifferencesExtrapolateNothing()
{
    const PortTable table = example({{u"mhwsDiff"_s, u"+0.8"_s}, {u"mlwsDiff"_s, u"+0.2"_s}});
    const SecondaryWorking working =
        workSecondaryPort(table, {u"0638"_s, u"6.0"_s, u"1300"_s, u"0"_s});
    QVERIFY(working.high && working.low);
    QCOMPARE(working.high->height, 6.8);
    for (const ondal::ResultLine &line : working.lines)
        QVERIFY2(line.kind != ondal::ResultLine::Kind::Note, qPrintable(line.text));
}

void tst_SecondaryPort::handOverToTheWorksheet_data()
{
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<QStringList>("standard");
    QTest::addColumn<Texts>("written");

    QTest::newRow("worked example")
        << Changes{} << QStringList{u"0638"_s, u"4.2"_s, u"0800"_s, u"0.75"_s}
        << Texts{{1, u"5.3"_s}, {2, u"0.9"_s}, {4, u"7"_s},  {5, u"2"_s},
                 {6, u"8"_s},   {7, u"26"_s},  {10, u"7"_s}, {11, u"2"_s}};
    QTest::newRow("high water on the next day counts on from 24")
        << Changes{} << QStringList{u"2350"_s, u"4.25"_s, u"1700"_s, u"0.4"_s}
        << Texts{{1, u"5.37"_s}, {2, u"0.5"_s}, {4, u"24"_s},  {5, u"25"_s},
                 {6, u"17"_s},   {7, u"47"_s},  {10, u"24"_s}, {11, u"25"_s}};
    // High and low water more than 12 hours apart on the clock are one rise
    // or fall with the earlier on the next day, as the tide curve takes them.
    QTest::newRow("22:00 and the next morning's 04:10")
        << Changes{} << QStringList{u"2200"_s, u"4.2"_s, u"0410"_s, u"0.75"_s}
        << Texts{{1, u"5.3"_s}, {2, u"0.9"_s}, {4, u"22"_s},  {5, u"31"_s},
                 {6, u"28"_s},  {7, u"51"_s},  {10, u"22"_s}, {11, u"31"_s}};
    QTest::newRow("19:00 and the next morning's 01:15")
        << Changes{} << QStringList{u"0115"_s, u"4.2"_s, u"1900"_s, u"0.75"_s}
        << Texts{{1, u"5.3"_s}, {2, u"0.9"_s}, {4, u"25"_s},  {5, u"48"_s},
                 {6, u"19"_s},  {7, u"33"_s},  {10, u"25"_s}, {11, u"48"_s}};
    QTest::newRow("00:30 and 18:40, 18 hours apart")
        << Changes{} << QStringList{u"0030"_s, u"4.2"_s, u"1840"_s, u"0.75"_s}
        << Texts{{1, u"5.3"_s}, {2, u"0.9"_s}, {4, u"25"_s},  {5, u"4"_s},
                 {6, u"19"_s},  {7, u"15"_s},  {10, u"25"_s}, {11, u"4"_s}};
    QTest::newRow("low water on the previous day: the day's hours count from 24")
        << Changes{{u"lwDiff1"_s, u"-0110"_s}, {u"lwDiff2"_s, u"-0050"_s}}
        << QStringList{u"0600"_s, u"4.2"_s, u"0005"_s, u"0.4"_s}
        << Texts{{1, u"5.3"_s}, {2, u"0.5"_s}, {4, u"30"_s},  {5, u"23"_s},
                 {6, u"23"_s},  {7, u"11"_s},  {10, u"30"_s}, {11, u"23"_s}};
}

void tst_SecondaryPort::handOverToTheWorksheet()
{
    QFETCH(Changes, changes);
    QFETCH(QStringList, standard);
    QFETCH(Texts, written);
    const PortTable table = example(changes);
    const SecondaryWorking working =
        workSecondaryPort(table, {standard[0], standard[1], standard[2], standard[3]});
    const std::optional<ondal::worksheet::Handover> handover = handOver(table, working);
    QVERIFY(handover);

    FilledWorksheet sheet({{3, u"kept"_s}, {12, u"11"_s}});
    sheet.handOver(*handover);
    Texts expected = written;
    expected.insert(3, u"kept"_s);
    expected.insert(12, u"11"_s);
    for (int field = 1; field <= FilledWorksheet::FieldCount; ++field)
        QCOMPARE(sheet.text(field), expected.value(field));
    QVERIFY(sheet.handedOverWorking().contains(working.lines.first().text));
    sheet.setText(2, u"0.91"_s);
    QVERIFY(sheet.handedOverWorking().isEmpty());

    // The worksheet's duration and the curve's span are the port's own.
    const int duration = std::abs(working.high->time - working.low->time);
    QVERIFY(texts(working).join(u'\n').contains(u"duration "_s + ondal::durationText(duration)));
    ondal::test::RecordingMessages messages;
    ondal::WorksheetSteps(sheet, messages).duration();
    QCOMPARE(sheet.text(22), QString::number(duration));
    const ondal::tide::TideReading reading = ondal::tide::readTide(sheet, QString(), QString());
    QVERIFY(reading.span);
    QCOMPARE(reading.span->duration(), double(duration));

    // Without low water there is nothing to hand over.
    QVERIFY(!handOver(table, workSecondaryPort(table, {standard[0], standard[1], {}, {}})));
}

void tst_SecondaryPort::tidesOfTheDay_data()
{
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<QString>("standard");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("handedOver");

    const QString notWorked = u"Tides of the day at Littleport: not worked out"_s;
    QTest::newRow("the README's day")
        << Changes{} << u"0638 4.2  1300 0.75"_s
        << QStringList{u"Tides of the day at Littleport: 07:02 5.30 m · 13:18 0.90 m"_s}
        << u"0702 5.30  1318 0.90"_s;
    QTest::newRow("each tide by its kind, into the next day")
        << Changes{} << u"1300 0.75 1900 3.4 0110 1.1"_s
        << QStringList{u"Tides of the day at Littleport: 13:18 0.90 m · 19:25 4.20 m · 01:30 "
                       u"next day 1.30 m"_s}
        << u"1318 0.90  1925 4.20  0130 1.30"_s;
    QTest::newRow("the first tide moved to the day before stays first")
        << Changes{{u"lwDiff1"_s, u"-0110"_s}, {u"lwDiff2"_s, u"-0050"_s}} << u"0005 0.4 0600 4.2"_s
        << QStringList{u"Tides of the day at Littleport: 23:11 previous day 0.50 m · 06:23 "
                       u"5.30 m"_s,
                       u"The first tide at Littleport falls on the day before the first "
                       u"standard tide's; it stays first in the list"_s}
        << u"2311 0.50  0623 5.30"_s;
    QTest::newRow("the first tide moved to the day after")
        << Changes{} << u"2350 4.25 0600 0.4"_s
        << QStringList{u"Tides of the day at Littleport: 00:25 next day 5.37 m · 06:40 next "
                       u"day 0.50 m"_s,
                       u"The first tide at Littleport falls on the day after the first standard "
                       u"tide's"_s,
                       u"High water above MHWS: the difference is extrapolated"_s}
        << u"0025 5.37  0640 0.50"_s;
    QTest::newRow("a drying low water typed with a true minus")
        << Changes{} << u"0638 4.2 1300 \u22120.2"_s
        << QStringList{u"Tides of the day at Littleport: 07:02 5.30 m · 13:18 -0.19 m"_s,
                       u"Low water below MLWS: the difference is extrapolated"_s}
        << u"0702 5.30  1318 -0.19"_s;
    QTest::newRow("the list refused")
        << Changes{} << u"0638 4.2 1300 0.75 1900 0.5"_s
        << QStringList{notWorked, u"Standard port's tides of the day: the 3rd tide, “1900 0.5”, "
                                  u"is not higher than the low waters beside it"_s}
        << QString();
    QTest::newRow("the table row refused")
        << Changes{{u"mlws"_s, QString()}} << u"0638 4.2 1300 0.75"_s
        << QStringList{notWorked, u"MLWS at the standard port: missing"_s} << QString();
    QTest::newRow("nothing typed") << Changes{} << u" "_s << QStringList{} << QString();
}

void tst_SecondaryPort::tidesOfTheDay()
{
    QFETCH(Changes, changes);
    QFETCH(QString, standard);
    QFETCH(QStringList, lines);
    QFETCH(QString, handedOver);

    const PortTable table = example(changes);
    const SecondaryDayWorking day = workSecondaryDay(table, standard);
    QCOMPARE(texts(day).join(u"\n"_s), lines.join(u"\n"_s));
    QCOMPARE(dayTidesText(day), handedOver);
    // Each tide is worked exactly as the same tide typed alone.
    for (const SecondaryDayTide &tide : day.tides) {
        const QString time = ondal::clockText(tide.working.standardTime).remove(u':');
        const QString height = QString::number(tide.working.standardHeight);
        const bool high = tide.kind == ondal::tide::DayTide::Kind::HighWater;
        const SecondaryWorking alone =
            workSecondaryPort(table, high ? StandardTides{time, height, {}, {}}
                                          : StandardTides{{}, {}, time, height});
        const std::optional<SecondaryTide> single = high ? alone.high : alone.low;
        QVERIFY(single);
        QCOMPARE(tide.working.time, single->time);
        QCOMPARE(tide.working.height, single->height);
    }
}

void tst_SecondaryPort::dayHandsOverToTheCurve()
{
    // Written in the user's number format, the list reads back whole as the
    // curve's tides of the day, in the same order and to the centimetre.
    for (const bool german : {false, true}) {
        QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        const SecondaryDayWorking day =
            workSecondaryDay(example(), german ? u"0638 4,2 1300 0,75 1900 3,8"_s
                                               : u"0638 4.2 1300 0.75 1900 3.8"_s);
        const ondal::tide::DayTidesRead read = ondal::tide::readDayTides(dayTidesText(day));
        QVERIFY(read);
        QCOMPARE(read.tides.size(), day.tides.size());
        for (qsizetype i = 0; i < day.tides.size(); ++i) {
            QCOMPARE(read.tides.at(i).time, double(day.tides.at(i).time()));
            QCOMPARE(read.tides.at(i).kind, day.tides.at(i).kind);
            QVERIFY(qAbs(read.tides.at(i).height - day.tides.at(i).working.height) <= 0.005);
        }
    }
}

QTEST_GUILESS_MAIN(tst_SecondaryPort)
#include "tst_secondaryport.moc"
