#include "core/tide/ClockZones.h"
#include "core/tide/DayReading.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ondal::tide;
using ValueKind = ondal::Refusal::Kind;

Q_DECLARE_METATYPE(ValueKind)
Q_DECLARE_METATYPE(ClockEntries)

namespace {

const QString Summer = u"2026-06-14"_s;
const QString Winter = u"2026-01-14"_s;
const QString ForwardDay = u"2026-03-29"_s; // the UK's clocks go forward at 01:00 UTC
const QString BackDay = u"2026-10-25"_s;    // and back at 01:00 UTC
const QString Example = u"0208 4.1  0822 0.9  1431 4.3  2047 0.7"_s;
const QString NearMidnight = u"0008 4.1  0622 0.9  1231 4.3  1847 0.7"_s;
const QString NoCurve = u"no curve is drawn"_s;

QDateTime noonOf(const QString &isoDate)
{
    return QDateTime(QDate::fromString(isoDate, Qt::ISODate), QTime(12, 0), Qt::UTC);
}

} // namespace

class tst_ClockZones : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void readsZones_data();
    void readsZones();
    void refusesZones_data();
    void refusesZones();
    void wordsTheAmbiguousOffset();
    void readsDates_data();
    void readsDates();
    void places_data();
    void places();
    void clockSkipsAndRepeats();
    void windowsFollowTheClock();
};

void tst_ClockZones::readsZones_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("date"); // when the offset is asked
    QTest::addColumn<int>("offset");   // seconds east of UTC
    QTest::addColumn<QString>("name");

    QTest::newRow("UTC") << u" UTC "_s << Summer << 0 << u"UTC"_s;
    QTest::newRow("ut, lower case") << u"ut"_s << Summer << 0 << u"UTC"_s;
    QTest::newRow("GMT") << u"GMT"_s << Summer << 0 << u"UTC"_s;
    QTest::newRow("hours and minutes") << u"UTC+01:00"_s << Summer << 3600 << u"UTC+01:00"_s;
    QTest::newRow("hours alone") << u"UTC+1"_s << Winter << 3600 << u"UTC+01:00"_s;
    QTest::newRow("west, half an hour") << u"UTC-03:30"_s << Summer << -12600 << u"UTC-03:30"_s;
    QTest::newRow("run together, true minus")
        << u"utc\u22120930"_s << Summer << -34200 << u"UTC-09:30"_s;
    QTest::newRow("London in summer")
        << u"Europe/London"_s << Summer << 3600 << u"Europe/London (UTC+01:00)"_s;
    QTest::newRow("London in winter")
        << u"Europe/London"_s << Winter << 0 << u"Europe/London (UTC+00:00)"_s;
    QTest::newRow("capitals and blanks forgiven")
        << u"america/new york"_s << Winter << -18000 << u"America/New_York (UTC-05:00)"_s;
}

void tst_ClockZones::readsZones()
{
    QFETCH(QString, text);
    QFETCH(QString, date);
    QFETCH(int, offset);
    QFETCH(QString, name);

    const ZoneRead read = readZone(text);
    QVERIFY2(read, qPrintable(zoneRefusalText(ZoneField::Tables, read)));
    QCOMPARE(read.zone->offsetFromUtc(noonOf(date)), offset);
    QCOMPARE(zoneName(*read.zone, noonOf(date)), name);
}

void tst_ClockZones::refusesZones_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ValueKind>("kind");
    QTest::addColumn<bool>("ambiguous");

    QTest::newRow("blank") << u"  "_s << ValueKind::NotGiven << false;
    QTest::newRow("a bare offset") << u"+0100"_s << ValueKind::NotInForm << true;
    QTest::newRow("a bare negative hour") << u"-1"_s << ValueKind::NotInForm << true;
    QTest::newRow("GMT with an offset") << u"GMT+1"_s << ValueKind::NotInForm << true;
    QTest::newRow("the database's turned-sign name")
        << u"Etc/GMT+1"_s << ValueKind::NotInForm << true;
    QTest::newRow("beyond any zone") << u"UTC+15"_s << ValueKind::OutOfBounds << false;
    QTest::newRow("60 minutes") << u"UTC+01:60"_s << ValueKind::NotInForm << false;
    QTest::newRow("no such zone") << u"Mars/Olympus"_s << ValueKind::NotInForm << false;
    QTest::newRow("a path") << u"../../etc/passwd"_s << ValueKind::NotInForm << false;
    QTest::newRow("a paste") << u"Europe/London "_s.repeated(4) << ValueKind::TooLong << false;
}

void tst_ClockZones::refusesZones()
{
    QFETCH(QString, text);
    QFETCH(ValueKind, kind);
    QFETCH(bool, ambiguous);

    const ZoneRead read = readZone(text);
    QVERIFY(!read);
    QCOMPARE(read.refusal.kind, kind);
    QCOMPARE(read.ambiguousOffset, ambiguous);
}

void tst_ClockZones::wordsTheAmbiguousOffset()
{
    QCOMPARE(zoneRefusalText(ZoneField::Tables, readZone(u"+0100"_s), NoCurve),
             u"Tables' time zone: “+0100” is ambiguous: type the tables' zone as UTC+01:00 or "
             u"UTC-01:00; no curve is drawn"_s);
    QCOMPARE(zoneRefusalText(ZoneField::Clock, readZone(u"-0330"_s)),
             u"Ship's clock: “-0330” is ambiguous: type the ship's clock as UTC+03:30 or "
             u"UTC-03:30"_s);
    // Nor is the database's turned-sign name offered as the box completes.
    const QStringList choices = zoneChoices();
    QVERIFY(choices.contains(u"Europe/London"_s));
    QVERIFY(!choices.contains(u"Etc/GMT+1"_s) && !choices.contains(u"Etc/GMT-14"_s));
}

void tst_ClockZones::readsDates_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<ValueKind>("refused");

    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    const QDate day(2026, 6, 14);
    const QDate none;
    const ValueKind read = ValueKind::NotGiven; // no refusal
    QTest::newRow("ISO") << c << u" 2026-06-14 "_s << day << read;
    QTest::newRow("ISO in German too") << german << u"2026-06-14"_s << day << read;
    QTest::newRow("C's short form") << c << u"14 Jun 2026"_s << day << read;
    QTest::newRow("German, two-digit year") << german << u"14.06.26"_s << day << read;
    QTest::newRow("German, the whole year") << german << u"14.06.2026"_s << day << read;
    QTest::newRow("American") << american << u"6/14/26"_s << day << read;
    QTest::newRow("missing") << c << QString() << none << ValueKind::NotGiven;
    QTest::newRow("no such day") << c << u"2026-02-30"_s << none << ValueKind::NotInForm;
    QTest::newRow("another locale's form") << c << u"14.06.2026"_s << none << ValueKind::NotInForm;
    QTest::newRow("before the zone database")
        << c << u"1969-12-31"_s << none << ValueKind::OutOfBounds;
}

void tst_ClockZones::readsDates()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QFETCH(ValueKind, refused);

    QLocale::setDefault(locale);
    const DateRead read = readTablesDate(text);
    QCOMPARE(read.date.value_or(QDate()), date);
    if (!read)
        QCOMPARE(read.refusal.kind, refused);
}

void tst_ClockZones::places_data()
{
    QTest::addColumn<QString>("tides");
    QTest::addColumn<ClockEntries>("entries");
    QTest::addColumn<QStringList>("shown"); // each tide on the ship's clock
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<QStringList>("reasons");

    const QStringList example{u"02:08"_s, u"08:22"_s, u"14:31"_s, u"20:47"_s};
    const QString utc = u"UTC"_s;
    const QString londonId = u"Europe/London"_s;
    QTest::newRow("summer: the hour added")
        << Example << ClockEntries{Summer, utc, londonId}
        << QStringList{u"03:08"_s, u"09:22"_s, u"15:31"_s, u"21:47"_s}
        << QStringList{u"Tables' times in UTC shown on the ship's clock, Europe/London "
                       u"(UTC+01:00): 1 hour added"_s}
        << QStringList{};
    QTest::newRow("winter: nothing moved")
        << Example << ClockEntries{Winter, utc, londonId} << example
        << QStringList{u"Tables' times in UTC shown on the ship's clock, Europe/London "
                       u"(UTC+00:00): nothing moved"_s}
        << QStringList{};
    QTest::newRow("an offset zone")
        << Example << ClockEntries{Winter, u"UTC-03:30"_s, utc}
        << QStringList{u"05:38"_s, u"11:52"_s, u"18:01"_s, u"00:17 next day"_s}
        << QStringList{u"Tables' times in UTC-03:30 shown on the ship's clock, UTC: 3 hours 30 "
                       u"minutes added"_s}
        << QStringList{};
    QTest::newRow("summer time taken off")
        << Example << ClockEntries{Summer, u"Europe/Paris"_s, utc}
        << QStringList{u"00:08"_s, u"06:22"_s, u"12:31"_s, u"18:47"_s}
        << QStringList{u"Tables' times in Europe/Paris (UTC+02:00) shown on the ship's clock, "
                       u"UTC: 2 hours taken off"_s}
        << QStringList{};
    QTest::newRow("the clock goes forward")
        << NearMidnight << ClockEntries{ForwardDay, utc, londonId}
        << QStringList{u"00:08"_s, u"07:22"_s, u"13:31"_s, u"19:47"_s}
        << QStringList{u"Tables' times in UTC shown on the ship's clock, Europe/London: nothing "
                       u"moved for the 1st tide, 1 hour added for the 2nd to 4th tides"_s,
                       u"The ship's clock goes forward 1 hour at 01:00"_s}
        << QStringList{};
    QTest::newRow("the clock goes back")
        << NearMidnight << ClockEntries{BackDay, utc, londonId}
        << QStringList{u"01:08"_s, u"06:22"_s, u"12:31"_s, u"18:47"_s}
        << QStringList{u"Tables' times in UTC shown on the ship's clock, Europe/London: 1 hour "
                       u"added for the 1st tide, nothing moved for the 2nd to 4th tides"_s,
                       u"The ship's clock goes back 1 hour at 02:00"_s}
        << QStringList{};
    QTest::newRow("a blank clock is the computer's, the first tide the day before")
        << Example << ClockEntries{Summer, utc, QString()}
        << QStringList{u"23:08"_s, u"05:22 next day"_s, u"11:31 next day"_s, u"17:47 next day"_s}
        << QStringList{u"Tables' times in UTC shown on the ship's clock, America/Halifax "
                       u"(UTC-03:00): 3 hours taken off"_s}
        << QStringList{};
    QTest::newRow("no tables' zone: no date needed")
        << Example << ClockEntries{QString(), QString(), u"Asia/Tokyo"_s} << example
        << QStringList{u"The tables' times are taken as the ship's clock's: no tables' zone is "
                       u"given"_s}
        << QStringList{};
    QTest::newRow("a date missing")
        << Example << ClockEntries{QString(), utc, londonId} << QStringList{} << QStringList{}
        << QStringList{u"Date: missing; daylight saving depends on it, so no curve is drawn"_s};
    QTest::newRow("a bare offset for the tables")
        << Example << ClockEntries{Summer, u"+0100"_s, londonId} << QStringList{} << QStringList{}
        << QStringList{u"Tables' time zone: “+0100” is ambiguous: type the tables' zone as "
                       u"UTC+01:00 or UTC-01:00; no curve is drawn"_s};
    QTest::newRow("a tables' time the clocks skip")
        << u"0130 4.1 0740 0.9"_s << ClockEntries{ForwardDay, londonId, utc} << QStringList{}
        << QStringList{}
        << QStringList{u"Tides of the day: the 1st tide, “0130 4.1”, falls in the time the "
                       u"tables' zone skips when its clocks go forward; no curve is drawn"_s};
    QTest::newRow("12 hours on the tables' clock are 13 in truth")
        << u"0030 4.1 1230 0.9"_s << ClockEntries{BackDay, londonId, utc} << QStringList{}
        << QStringList{}
        << QStringList{u"Tides of the day: the 2nd tide, “1230 0.9”, lies more than 12 hours "
                       u"after the 1st: they are not one rise or fall; no curve is drawn"_s};
}

void tst_ClockZones::places()
{
    QFETCH(QString, tides);
    QFETCH(ClockEntries, entries);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notes);
    QFETCH(QStringList, reasons);

    const DayTidesRead read = readDayTides(tides);
    QVERIFY(read);
    const PlacedDay placed =
        placeOnClock(read.tides, entries, QTimeZone("America/Halifax"), NoCurve);
    QStringList times;
    for (const DayTide &tide : placed.tides)
        times << placed.clock.timeText(tide.time);
    QCOMPARE(times, shown);
    QCOMPARE(placed.notes, notes);
    QCOMPARE(placed.reasons, reasons);
    // The curve runs on true elapsed time, whatever the clocks do.
    for (qsizetype i = 1; i < placed.tides.size(); ++i)
        QCOMPARE(placed.tides.at(i).time - placed.tides.at(i - 1).time,
                 read.tides.at(i).time - read.tides.at(i - 1).time);
}

void tst_ClockZones::clockSkipsAndRepeats()
{
    const DayClock forward({{60.0, 60.0}});
    QCOMPARE(forward.clockMinutes(59.0), 59.0);
    QCOMPARE(forward.clockMinutes(60.0), 120.0);
    QCOMPARE(forward.axisTimes(90.0), QList<double>{});
    QCOMPARE(forward.axisTimes(150.0), QList<double>{90.0});
    const DayClock back({{120.0, -60.0}});
    QCOMPARE(back.axisTimes(90.0), (QList<double>{90.0, 150.0}));
    QCOMPARE(back.timeText(1500.0), u"00:00 next day"_s);
}

void tst_ClockZones::windowsFollowTheClock()
{
    // The worked example's tides two hours earlier, in UTC, on the day the
    // UK's clocks go forward: the windows' lengths are true, their times the
    // clock's.
    const DayReading day = readDay({NearMidnight, ForwardDay, u"UTC"_s, u"Europe/London"_s},
                                   {3.0, {}, 600.0}, QTimeZone::utc());
    QStringList results;
    for (const ondal::ResultLine &line : day.lines) {
        if (line.kind == ondal::ResultLine::Kind::Result)
            results << line.text;
    }
    QCOMPARE(results,
             (QStringList{u"At 10:00: 2.22 m by the cosine curve (factor 0.39 on the rise from "
                          u"07:22 to 13:31)"_s,
                          u"Enough water until 03:37 (from the first tide given, 00:08)"_s,
                          u"Enough water from 10:55 until 16:05"_s}));
}

QTEST_GUILESS_MAIN(tst_ClockZones)
#include "tst_clockzones.moc"
