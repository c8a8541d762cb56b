#include "core/worksheet/Worksheet.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using ondal::Worksheet;

class tst_Worksheet : public QObject
{
    Q_OBJECT

private slots:
    // A write says so only where a text changed, so a view that writes back
    // what it was shown ends the round.
    void saysWhatChanged()
    {
        Worksheet sheet;
        QSignalSpy changed(&sheet, &Worksheet::fieldChanged);
        sheet.setText(1, u"4.2"_s);
        sheet.setText(1, u"4.2"_s);
        sheet.setText(0, u"x"_s);
        sheet.setText(24, u"x"_s);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 1);
        QVERIFY(!sheet.isBlank());
        sheet.setText(1, u"  "_s);
        QVERIFY(sheet.isBlank());
        QVERIFY(sheet.text(24).isNull());
    }

    // The working handed over stays while every field written holds its
    // text, and goes with a change to any of them or with the worksheet.
    void handOverKeepsItsWorkingWhileItHolds()
    {
        Worksheet sheet;
        sheet.setText(3, u"kept"_s);
        sheet.handOver({{{1, u"5.3"_s}, {4, u"24"_s}}, {u"working"_s}});
        QCOMPARE(sheet.text(1), u"5.3"_s);
        QCOMPARE(sheet.text(3), u"kept"_s);
        QCOMPARE(sheet.handedOverWorking(), QStringList{u"working"_s});
        sheet.setText(3, u"typed over"_s);
        QCOMPARE(sheet.handedOverWorking(), QStringList{u"working"_s});
        sheet.setText(4, u"23"_s);
        QVERIFY(sheet.handedOverWorking().isEmpty());
        sheet.setText(4, u"24"_s);
        QCOMPARE(sheet.handedOverWorking(), QStringList{u"working"_s});
        sheet.clear();
        QVERIFY(sheet.isBlank());
        QVERIFY(sheet.handedOverWorking().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_Worksheet)
#include "tst_worksheet.moc"
