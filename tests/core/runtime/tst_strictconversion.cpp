#include "RuntimeTestSupport.h"
#include "core/runtime/NumberRules.h"

#include <QTest>

#include <cfloat>

using namespace ondal;
using namespace ondal::test;
using namespace Qt::StringLiterals;

class tst_StrictConversion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void toDouble_data();
    void toDouble();
    void toSingle_data();
    void toSingle();
    void singleRoundTrip_data();
    void singleRoundTrip();
};

// Rows: locale, text, expected value (ignored on error), error number.
void tst_StrictConversion::toDouble_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("error");
    const QLocale c = QLocale::c();
    const int mismatch = RuntimeError::TypeMismatch;

    // Valid input
    QTest::newRow("07 is 7") << c << u"07"_s << 7.0 << 0;
    QTest::newRow("surrounding blanks") << c << u"  7 "_s << 7.0 << 0;
    QTest::newRow("negative") << c << u"-2.5"_s << -2.5 << 0;
    QTest::newRow("plus sign") << c << u"+3"_s << 3.0 << 0;
    QTest::newRow("point first") << c << u".5"_s << 0.5 << 0;
    QTest::newRow("exponent") << c << u"1.5E3"_s << 1500.0 << 0;
    QTest::newRow("negative exponent") << c << u"1e-2"_s << 0.01 << 0;
    QTest::newRow("0.1 exact") << c << u"0.1"_s << 0.1 << 0;
    QTest::newRow("comma locale 3,4") << german() << u"3,4"_s << 3.4 << 0;
    QTest::newRow("comma locale negative") << german() << u"-0,5"_s << -0.5 << 0;
    QTest::newRow("comma locale exponent") << german() << u"1,5E3"_s << 1500.0 << 0;
    // Bad input
    QTest::newRow("empty text") << c << QString() << 0.0 << mismatch;
    QTest::newRow("blanks only") << c << u"   "_s << 0.0 << mismatch;
    QTest::newRow("unit after the number") << c << u"3.2m"_s << 0.0 << mismatch;
    QTest::newRow("comma in C locale") << c << u"1,25"_s << 0.0 << mismatch;
    QTest::newRow("grouping") << c << u"1,000"_s << 0.0 << mismatch;
    QTest::newRow("blank inside") << c << u"1 2"_s << 0.0 << mismatch;
    QTest::newRow("two points") << c << u"1.2.3"_s << 0.0 << mismatch;
    QTest::newRow("exponent without digits") << c << u"1e"_s << 0.0 << mismatch;
    QTest::newRow("two signs") << c << u"--1"_s << 0.0 << mismatch;
    QTest::newRow("sign alone") << c << u"-"_s << 0.0 << mismatch;
    QTest::newRow("point alone") << c << u"."_s << 0.0 << mismatch;
    QTest::newRow("letters") << c << u"abc"_s << 0.0 << mismatch;
    QTest::newRow("hex prefix") << c << u"&H10"_s << 0.0 << mismatch;
    QTest::newRow("infinity word") << c << u"inf"_s << 0.0 << mismatch;
    QTest::newRow("full stop in comma locale") << german() << u"3.4"_s << 0.0 << mismatch;
    QTest::newRow("grouping in comma locale") << german() << u"1.000"_s << 0.0 << mismatch;
    // Boundaries
    QTest::newRow("underflow gives 0") << c << u"1e-400"_s << 0.0 << 0;
    QTest::newRow("beyond double range") << c << u"1e309"_s << 0.0 << int(RuntimeError::Overflow);
    QTest::newRow("beyond double range, negative")
        << c << u"-1e309"_s << 0.0 << int(RuntimeError::Overflow);
}

void tst_StrictConversion::toDouble()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(int, error);
    const LocaleGuard guard(locale);
    double value = 0;
    QCOMPARE(errorOf([&] { value = strictToDouble(text); }), error);
    if (error == 0)
        QCOMPARE(exact(value), exact(expected));
}

void tst_StrictConversion::toSingle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("expected");
    QTest::addColumn<int>("error");
    const int overflow = RuntimeError::Overflow;

    QTest::newRow("6500") << u"6500"_s << 6500.0f << 0;
    QTest::newRow("0.1 rounds to the nearest float") << u"0.1"_s << 0.1f << 0;
    // Just above the midpoint of 1 and the next float; by way of a double
    // it would land on the midpoint and round down to 1.
    QTest::newRow("rounded once, not twice") << u"1.0000000596046448"_s << 1.00000012f << 0;
    QTest::newRow("largest float, 8 digits") << u"3.4028235E+38"_s << FLT_MAX << 0;
    QTest::newRow("beyond float range") << u"3.5E+38"_s << 0.0f << overflow;
    QTest::newRow("beyond float range, negative") << u"-1e39"_s << 0.0f << overflow;
    QTest::newRow("a double but no float") << u"1e300"_s << 0.0f << overflow;
    QTest::newRow("empty text") << QString() << 0.0f << int(RuntimeError::TypeMismatch);
}

void tst_StrictConversion::toSingle()
{
    QFETCH(QString, text);
    QFETCH(float, expected);
    QFETCH(int, error);
    float value = 0;
    QCOMPARE(errorOf([&] { value = strictToSingle(text); }), error);
    if (error == 0)
        QCOMPARE(exact(value), exact(expected));
}

// What the window placement does: a float written by the single-precision
// text rule and read back strictly must be the same float.
void tst_StrictConversion::singleRoundTrip_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<float>("value");

    for (const QLocale &locale : {QLocale::c(), german()}) {
        const QByteArray name = locale.name().toLatin1();
        for (const float value :
             {1000.0f, 6500.0f, 1234.5f, 15.25f, 1e7f, -120.0f, 12345.67f, 0.1f, 0.0f}) {
            QTest::addRow("%s %g", name.constData(), double(value)) << locale << value;
        }
    }
}

void tst_StrictConversion::singleRoundTrip()
{
    QFETCH(QLocale, locale);
    QFETCH(float, value);
    const LocaleGuard guard(locale);
    QCOMPARE(exact(strictToSingle(singleText(value))), exact(value));
}

QTEST_GUILESS_MAIN(tst_StrictConversion)
#include "tst_strictconversion.moc"
