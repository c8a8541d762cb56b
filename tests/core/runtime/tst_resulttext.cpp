#include "RuntimeTestSupport.h"
#include "core/runtime/NumberRules.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace ondal;
using namespace ondal::test;
using namespace Qt::StringLiterals;

class tst_ResultText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void doubles_data();
    void doubles();
    void singles_data();
    void singles();
    void commaLocale_data();
    void commaLocale();
    void valueText();
};

void tst_ResultText::doubles_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    // Plain decimals
    QTest::newRow("2.1 - 0.4 shows 1.7") << 2.1 - 0.4 << u"1.7"_s;
    QTest::newRow("zero before the point") << 0.5 << u"0.5"_s;
    QTest::newRow("negative") << -0.5 << u"-0.5"_s;
    QTest::newRow("integer without point") << 370.0 << u"370"_s;
    QTest::newRow("1/3 to 15 digits") << 1.0 / 3.0 << u"0.333333333333333"_s;
    QTest::newRow("worksheet tide, 210 of 370 minutes after high water")
        << 0.8 + 3.4 * (370.0 - 210.0) / 370.0 << u"2.27027027027027"_s;
    QTest::newRow("0.1 + 0.2 shows 0.3") << 0.1 + 0.2 << u"0.3"_s;
    QTest::newRow("rounding carries to 1") << 0.9999999999999996 << u"1"_s;
    QTest::newRow("negative zero") << -0.0 << u"0"_s;
    // Large magnitudes
    QTest::newRow("15 nines stay plain") << 999999999999999.0 << u"999999999999999"_s;
    QTest::newRow("16th digit rounded away") << 123456789012345.6 << u"123456789012346"_s;
    QTest::newRow("1E15 takes the exponent") << 1e15 << u"1E+15"_s;
    QTest::newRow("16 digits rounded in exponent form")
        << 1234567890123456.0 << u"1.23456789012346E+15"_s;
    QTest::newRow("negative in exponent form") << -1234567890123456.0 << u"-1.23456789012346E+15"_s;
    QTest::newRow("rounding carries into the exponent") << 999999999999999.9 << u"1E+15"_s;
    QTest::newRow("three exponent digits") << 1e300 << u"1E+300"_s;
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << u"1.79769313486232E+308"_s;
    // Small magnitudes: plain down to 0.0001 whatever the tail
    QTest::newRow("1/70 plain") << 1.0 / 70.0 << u"0.0142857142857143"_s;
    QTest::newRow("worksheet ratio 21/370") << 21.0 / 370.0 << u"0.0567567567567568"_s;
    QTest::newRow("1/11 just below 0.1") << 1.0 / 11.0 << u"0.0909090909090909"_s;
    QTest::newRow("0.0001 plain") << 0.0001 << u"0.0001"_s;
    QTest::newRow("1.23456789012345E-4 plain") << 1.23456789012345e-4 << u"0.000123456789012345"_s;
    QTest::newRow("just below 0.0001 rounds up to it")
        << std::nextafter(0.0001, 0.0) << u"0.0001"_s;
    // Below 0.0001: plain in at most 15 decimal places
    QTest::newRow("0.00001 plain") << 0.00001 << u"0.00001"_s;
    QTest::newRow("0.000000000056789 plain in 15 decimals")
        << 0.000000000056789 << u"0.000000000056789"_s;
    QTest::newRow("1E-15 plain in 15 decimals") << 1e-15 << u"0.000000000000001"_s;
    QTest::newRow("1.5E-15 needs 16 decimals") << 1.5e-15 << u"1.5E-15"_s;
    QTest::newRow("5.6789E-12") << 5.6789e-12 << u"5.6789E-12"_s;
    QTest::newRow("two exponent digits") << 1.23456789012345e-5 << u"1.23456789012345E-05"_s;
    QTest::newRow("1E-300") << 1e-300 << u"1E-300"_s;
}

void tst_ResultText::doubles()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(resultText(value), expected);
}

void tst_ResultText::singles_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0.1f") << 0.1f << u"0.1"_s;
    QTest::newRow("1/3 to 7 digits") << 1.0f / 3.0f << u"0.3333333"_s;
    QTest::newRow("7 digits plain") << 1234567.0f << u"1234567"_s;
    QTest::newRow("1E7 takes the exponent") << 1e7f << u"1E+07"_s;
    QTest::newRow("8 digits rounded") << 12345678.0f << u"1.234568E+07"_s;
    QTest::newRow("1/70 plain") << 1.0f / 70.0f << u"0.01428571"_s;
    QTest::newRow("0.0001f, just below, rounds to 0.0001") << 0.0001f << u"0.0001"_s;
    QTest::newRow("1.234567E-4 plain") << 1.234567e-4f << u"0.0001234567"_s;
    QTest::newRow("0.0000123 plain in 7 decimals") << 1.23e-5f << u"0.0000123"_s;
    QTest::newRow("9.876543E-5 needs 11 decimals") << 9.876543e-5f << u"9.876543E-05"_s;
    QTest::newRow("1E-7 plain") << 1e-7f << u"0.0000001"_s;
    QTest::newRow("1.5E-7 in exponent form") << 1.5e-7f << u"1.5E-07"_s;
    QTest::newRow("window size") << 6500.0f << u"6500"_s;
    QTest::newRow("negative zero") << -0.0f << u"0"_s;
}

void tst_ResultText::singles()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(singleText(value), expected);
}

void tst_ResultText::commaLocale_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("isSingle");
    QTest::addColumn<QString>("expected");

    QTest::newRow("3.4") << 3.4 << false << u"3,4"_s;
    QTest::newRow("negative below 1") << -0.5 << false << u"-0,5"_s;
    QTest::newRow("no grouping") << 1234567.25 << false << u"1234567,25"_s;
    QTest::newRow("1/70 plain") << 1.0 / 70.0 << false << u"0,0142857142857143"_s;
    QTest::newRow("exponent form") << 1.5e-15 << false << u"1,5E-15"_s;
    QTest::newRow("single") << 1234.5 << true << u"1234,5"_s;
}

void tst_ResultText::commaLocale()
{
    QFETCH(double, value);
    QFETCH(bool, isSingle);
    QFETCH(QString, expected);
    const LocaleGuard guard(german());
    QCOMPARE(isSingle ? singleText(float(value)) : resultText(value), expected);
}

void tst_ResultText::valueText()
{
    QCOMPARE(ondal::valueText(qint32(-5)), u"-5"_s);
    QCOMPARE(ondal::valueText(std::numeric_limits<qint32>::min()), u"-2147483648"_s);
    QCOMPARE(ondal::valueText(2.1 - 0.4), u"1.7"_s);
}

QTEST_GUILESS_MAIN(tst_ResultText)
#include "tst_resulttext.moc"
