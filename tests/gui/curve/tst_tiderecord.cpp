#include "core/ports/PortHandover.h"
#include "core/tide/CurveRecord.h"
#include "gui/curve/TideRecord.h"
#include "support/TextRecorder.h"
#include "support/WorksheetTexts.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace ondal::tide;
using ondal::test::TextRecorder;

namespace {

const ondal::test::Texts Road{{1, u"4.2"_s},   {2, u"0.8"_s},    {3, u"3.4"_s}, {4, u"14"_s},
                              {5, u"30"_s},    {6, u"8"_s},      {7, u"20"_s},  {8, u"6"_s},
                              {9, u"10"_s},    {10, u"14"_s},    {11, u"30"_s}, {12, u"11"_s},
                              {13, u"0"_s},    {14, u"3"_s},     {15, u"30"_s}, {16, u"0.8"_s},
                              {17, u"2.72"_s}, {18, u"13.52"_s}, {19, u"10"_s}, {20, u"3.52"_s},
                              {21, u"2.27"_s}, {22, u"370"_s},   {23, u"210"_s}};

// Every entry of the window given, under a bridge.
const CurveEntries Everything{u"2.5"_s,
                              u"10 %"_s,
                              {.blockCoefficient = u"0.78"_s,
                               .speed = u"9"_s,
                               .waters = Waters::Confined,
                               .airDraught = u"21.5"_s,
                               .verticalClearance = u"20"_s,
                               .clearanceDatum = u"4"_s,
                               .overheadMargin = u"0.5"_s}};

// Littleport's working from Bigport, as the secondary port hands it over.
void handOverLittleport(ondal::Worksheet &sheet)
{
    using namespace ondal::ports;
    const PortTable table{u"Littleport"_s, u"Bigport"_s, u"0000"_s,  u"+0035"_s, u"0600"_s,
                          u"+0023"_s,      u"0500"_s,    u"+0047"_s, u"1100"_s,  u"+0004"_s,
                          u"4.2"_s,        u"3.4"_s,     u"1.1"_s,   u"0.4"_s,   u"+1.1"_s,
                          u"+0.8"_s,       u"+0.2"_s,    u"+0.1"_s,  {},         {}};
    const auto handover =
        handOver(table, workSecondaryPort(table, {u"1430"_s, u"4.2"_s, u"0820"_s, u"0.8"_s}));
    QVERIFY(handover);
    QStringList working = handover->working;
    for (int i = 1; i <= 12; ++i)
        working << u"A long note of the working, number %1, that a careful officer wrote out "
                   u"in full so that it wraps across the page"_s.arg(i);
    sheet.handOver({handover->written, working});
}

} // namespace

class tst_TideRecord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void pagesKeepWithinTheMargins_data();
    void pagesKeepWithinTheMargins();
};

void tst_TideRecord::pagesKeepWithinTheMargins_data()
{
    QTest::addColumn<bool>("everything");
    QTest::addColumn<int>("pages");
    QTest::newRow("the road on one page") << false << 1;
    QTest::newRow("every entry and a port's working run on") << true << 2;
}

// A record too long for a page goes on to the next with its heading, and
// nothing, text or plot, is drawn below the bottom margin.
void tst_TideRecord::pagesKeepWithinTheMargins()
{
    QFETCH(bool, everything);
    QFETCH(int, pages);

    ondal::test::FilledWorksheet sheet(Road);
    if (everything)
        handOverLittleport(sheet);
    const CurveEntries entries = everything ? Everything : CurveEntries{u"2.5"_s, u"0.5"_s, {}};
    const TideReading reading = readTide(sheet, entries);
    const ondal::TideRecord record = tideRecord(sheet, entries, reading, reading.lines, {},
                                                QDateTime(QDate(2026, 6, 14), QTime(9, 30)));

    TextRecorder device;
    QCOMPARE(device.paint(ondal::recordPainter(record)), pages);
    QCOMPARE(device.page, pages);
    QVERIFY2(device.lowest <= device.height(), qPrintable(QString::number(device.lowest)));
    for (int page = 1; page <= pages; ++page) {
        const auto first =
            std::find_if(device.texts.cbegin(), device.texts.cend(),
                         [page](const TextRecorder::Text &t) { return t.page == page; });
        QVERIFY(first != device.texts.cend());
        QCOMPARE(first->text, page == 1 ? u"Tide Curve"_s : u"Tide Curve (continued)"_s);
    }
    // Every line the window shows is on paper, whole.
    const QString written = device.written();
    for (const ondal::ResultLine &line : record.lines)
        QVERIFY2(written.contains(line.text.simplified()), qPrintable(line.text));
    QVERIFY(written.contains(u"Secondary port"_s) == everything);
}

QTEST_MAIN(tst_TideRecord)
#include "tst_tiderecord.moc"
