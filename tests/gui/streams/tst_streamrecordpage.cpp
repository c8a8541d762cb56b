#include "gui/streams/StreamRecord.h"
#include "support/TextRecorder.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace ondal::streams;
using ondal::test::TextRecorder;

class tst_StreamRecordPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void pagesKeepWithinTheMargins_data();
    void pagesKeepWithinTheMargins();
};

void tst_StreamRecordPage::pagesKeepWithinTheMargins_data()
{
    QTest::addColumn<QString>("rate"); // typed in every row
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("pages");
    QTest::newRow("every row typed, on one page") << u"1.0"_s << false << 1;
    QTest::newRow("every rate refused, the reasons run on") << u"1,0x"_s << false << 2;
    // Wider than high, as a print dialog may turn it: the triangle's least
    // height is then above its most, and the least is taken.
    QTest::newRow("landscape") << u"1.0"_s << true << 2;
}

// The worked example's leg through a table typed in every row: what does
// not fit goes on to the next page with its heading, nothing is drawn below
// the bottom margin, and every line the window shows is on paper, whole.
void tst_StreamRecordPage::pagesKeepWithinTheMargins()
{
    QFETCH(QString, rate);
    QFETCH(bool, landscape);
    QFETCH(int, pages);

    StreamStation station;
    station.name = u"Diamond A"_s;
    station.referencePort = u"Bigport"_s;
    station.springRange = u"4.9"_s;
    station.neapRange = u"2.4"_s;
    for (int hour = FirstHour; hour <= LastHour; ++hour)
        station.row(hour) = {u"%1"_s.arg(hour * 20 + 180), rate, rate};
    station.row(2) = {u"230"_s, u"2.8"_s, u"1.4"_s};
    const LegEntries leg{u"0929"_s, u"4.9"_s, u"1100"_s,           u"140"_s, u"4.0"_s,
                         u"6.0"_s,  u"6"_s,   WindSide::Starboard, u"4W"_s,  u"5E"_s};
    const StreamWorking working = workStream(station, leg);
    QVERIFY(working.leg);
    const StreamRecord record = streamRecord(station, leg, working, working.lines, u"hint"_s,
                                             QDateTime(QDate(2026, 6, 14), QTime(9, 30)));

    TextRecorder device = landscape ? TextRecorder(3154, 2126) : TextRecorder();
    QCOMPARE(device.paint(ondal::streamRecordPainter(record)), pages);
    QCOMPARE(device.page, pages);
    QVERIFY2(device.lowest <= device.height(), qPrintable(QString::number(device.lowest)));
    QCOMPARE(device.texts.constFirst().text, u"Tidal Stream"_s);
    const QString written = device.written();
    for (const ondal::ResultLine &line : record.lines)
        QVERIFY2(written.contains(line.text.simplified()), qPrintable(line.text));
    QVERIFY(written.contains(u"HW−6 60"_s) && written.contains(u"Track 140° 4.0 M"_s));
}

QTEST_MAIN(tst_StreamRecordPage)
#include "tst_streamrecordpage.moc"
