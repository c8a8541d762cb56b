#include "core/streams/StreamHandover.h"
#include "core/streams/StreamRecord.h"
#include "support/WorksheetTexts.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ondal::streams;
using ondal::test::Texts;

namespace {

// High water 09:29, 5.3 m and low water 0.4 m.
const Texts Day{{1, u"5.3"_s}, {2, u"0.4"_s}, {4, u"9"_s}, {5, u"29"_s}};

Texts with(Texts texts, const Texts &changes)
{
    texts.insert(changes);
    return texts;
}

} // namespace

class tst_StreamRecord : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void dayFromWorksheet_data();
    void dayFromWorksheet();
    void recordAsTyped();
};

void tst_StreamRecord::dayFromWorksheet_data()
{
    QTest::addColumn<Texts>("texts");
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("highWater"); // empty: nothing to copy
    QTest::addColumn<QString>("range");

    QTest::newRow("worked example") << Day << false << u"0929"_s << u"4.90"_s;
    QTest::newRow("in German") << with(Day, {{1, u"5,3"_s}, {2, u"0,35 m"_s}}) << true << u"0929"_s
                               << u"4,95"_s;
    QTest::newRow("the next day's hours")
        << with(Day, {{4, u"25"_s}, {5, u"5"_s}}) << false << u"0105"_s << u"4.90"_s;
    QTest::newRow("a drying low water")
        << with(Day, {{2, u"-0.45"_s}}) << false << u"0929"_s << u"5.75"_s;
    QTest::newRow("no low water") << with(Day, {{2, QString()}}) << false << QString() << QString();
    QTest::newRow("minutes not read whole")
        << with(Day, {{5, u"29x"_s}}) << false << QString() << QString();
    QTest::newRow("hours past 48") << with(Day, {{4, u"49"_s}}) << false << QString() << QString();
}

// "From Worksheet" copies the high water as the tables print a time and the
// range to 0.01 m, or nothing where the worksheet cannot give both.
void tst_StreamRecord::dayFromWorksheet()
{
    QFETCH(Texts, texts);
    QFETCH(bool, german);
    QFETCH(QString, highWater);
    QFETCH(QString, range);
    if (german)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    const ondal::test::FilledWorksheet sheet(texts);
    const std::optional<WorksheetDay> day = ondal::streams::dayFromWorksheet(sheet);
    QCOMPARE(day.has_value(), !highWater.isEmpty());
    if (day)
        QCOMPARE(*day, (WorksheetDay{highWater, range}));
}

// The record prints the table's rows typed, and every value of the day and
// the leg as typed, a blank one said.
void tst_StreamRecord::recordAsTyped()
{
    StreamStation station;
    station.referencePort = u"Bigport"_s;
    station.springRange = u"4.9"_s;
    station.neapRange = u"2.4"_s;
    station.row(2) = {u" 230"_s, u"2.8"_s, u"1.4"_s};
    station.row(-1) = {u"045"_s, {}, {}};
    const LegEntries leg{u"0929"_s, u"4.9"_s, u"1100"_s,           u"140"_s, u"4.0"_s,
                         u"6.0"_s,  u"6"_s,   WindSide::Starboard, u"4W"_s,  {}};
    const StreamWorking working = workStream(station, leg);
    const StreamRecord record = streamRecord(station, leg, working, working.lines, u"hint"_s,
                                             QDateTime(QDate(2026, 6, 14), QTime(9, 30)));

    QCOMPARE(record.station, u"Station not named"_s);
    QCOMPARE(record.stationValues.first(), u"Referred to high water at: Bigport"_s);
    QCOMPARE(record.rows, (QList<StreamRecord::Row>{{u"HW−1"_s, u"045"_s, {}, {}},
                                                    {u"HW+2"_s, u"230"_s, u"2.8"_s, u"1.4"_s}}));
    QCOMPARE(
        record.entries,
        (QStringList{u"Standard port high water: 0929"_s, u"Range today, metres: 4.9"_s,
                     u"Departure time: 1100"_s, u"Track, degrees true: 140"_s,
                     u"Distance, nautical miles: 4.0"_s, u"Speed through the water, knots: 6.0"_s,
                     u"Leeway, degrees: 6"_s, u"Wind on the starboard side"_s, u"Variation: 4W"_s,
                     u"Deviation: not given"_s}));
    // HW−1 is printed as typed, rates missing; the leg does not reach it.
    QVERIFY(record.leg);
}

QTEST_GUILESS_MAIN(tst_StreamRecord)
#include "tst_streamrecord.moc"
