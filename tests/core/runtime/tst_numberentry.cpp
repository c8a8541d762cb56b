#include "RuntimeTestSupport.h"
#include "core/runtime/NumberRules.h"

#include <QTest>

#include <limits>

using namespace ondal;
using namespace ondal::test;
using namespace Qt::StringLiterals;

class tst_NumberEntry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void reads_data();
    void reads();
    void commaLocale_data();
    void commaLocale();
    void overflow_data();
    void overflow();
    void readsWhole_data();
    void readsWhole();
};

void tst_NumberEntry::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    // Valid input
    QTest::newRow("3.2m stops at the unit") << u"3.2m"_s << 3.2;
    QTest::newRow("1,25 stops at the comma") << u"1,25"_s << 1.0;
    QTest::newRow("07 leading zero") << u"07"_s << 7.0;
    QTest::newRow("blanks inside the number") << u" 1 2 3 . 5 "_s << 123.5;
    QTest::newRow("tab and line feed ignored") << u"\t4\n.2"_s << 4.2;
    QTest::newRow("sign apart from digits") << u"- 5"_s << -5.0;
    QTest::newRow("plus sign") << u"+2.5"_s << 2.5;
    QTest::newRow("point first") << u".5"_s << 0.5;
    QTest::newRow("point last") << u"5."_s << 5.0;
    QTest::newRow("second point ends the number") << u"2.5.3"_s << 2.5;
    QTest::newRow("0.1 exact") << u"0.1"_s << 0.1;
    QTest::newRow("17 digits exact") << u"0.30000000000000004"_s << 0.30000000000000004;
    QTest::newRow("30 digits rounded once")
        << u"123456789012345678901234567890"_s << 123456789012345678901234567890.0;
    // Exponents
    QTest::newRow("e exponent") << u"1.5e3"_s << 1500.0;
    QTest::newRow("E negative exponent") << u"25E-1"_s << 2.5;
    QTest::newRow("D exponent") << u"1D3"_s << 1000.0;
    QTest::newRow("d exponent with sign") << u"2d+2"_s << 200.0;
    QTest::newRow("exponent letter alone") << u"1e"_s << 1.0;
    QTest::newRow("exponent sign alone") << u"1e+"_s << 1.0;
    QTest::newRow("blanks inside the exponent") << u"1 e - 2"_s << 0.01;
    QTest::newRow("exponent then letters") << u"2e1x"_s << 20.0;
    // Hex and octal
    QTest::newRow("&H10") << u"&H10"_s << 16.0;
    QTest::newRow("&hff lower case") << u"&hff"_s << 255.0;
    QTest::newRow("&H7FFF largest 16-bit") << u"&H7FFF"_s << 32767.0;
    QTest::newRow("&H8000 is 16-bit negative") << u"&H8000"_s << -32768.0;
    QTest::newRow("&HFFFF is -1") << u"&HFFFF"_s << -1.0;
    QTest::newRow("&H10000 is 32-bit") << u"&H10000"_s << 65536.0;
    QTest::newRow("&H80000000 is 32-bit negative") << u"&H80000000"_s << -2147483648.0;
    QTest::newRow("&HFFFFFFFF is -1") << u"&HFFFFFFFF"_s << -1.0;
    QTest::newRow("&H000000010 leading zeros") << u"&H000000010"_s << 16.0;
    QTest::newRow("&H1G stops at G") << u"&H1G"_s << 1.0;
    QTest::newRow("&O17") << u"&O17"_s << 15.0;
    QTest::newRow("&o177777 is -1") << u"&o177777"_s << -1.0;
    QTest::newRow("&O200000 is 32-bit") << u"&O200000"_s << 65536.0;
    QTest::newRow("&O37777777777 is -1") << u"&O37777777777"_s << -1.0;
    QTest::newRow("&O78 stops at 8") << u"&O78"_s << 7.0;
    // Boundaries
    QTest::newRow("largest double")
        << u"1.7976931348623157e308"_s << std::numeric_limits<double>::max();
    QTest::newRow("smallest denormal")
        << u"4.9e-324"_s << std::numeric_limits<double>::denorm_min();
    QTest::newRow("underflow gives 0") << u"1e-400"_s << 0.0;
    QTest::newRow("huge exponent on zero") << u"0e99999"_s << 0.0;
    // No leading number
    QTest::newRow("empty text") << QString() << 0.0;
    QTest::newRow("blanks only") << u" \t\n"_s << 0.0;
    QTest::newRow("letters") << u"abc"_s << 0.0;
    QTest::newRow("letter before digits") << u"x1"_s << 0.0;
    QTest::newRow("point alone") << u"."_s << 0.0;
    QTest::newRow("sign alone") << u"-"_s << 0.0;
    QTest::newRow("exponent without mantissa") << u"e5"_s << 0.0;
    QTest::newRow("lone ampersand") << u"&"_s << 0.0;
    QTest::newRow("prefix without digits") << u"&H"_s << 0.0;
    QTest::newRow("unknown prefix") << u"&X10"_s << 0.0;
    QTest::newRow("comma first") << u",5"_s << 0.0;
}

void tst_NumberEntry::reads()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(exact(numberEntry(text)), exact(expected));
}

void tst_NumberEntry::commaLocale_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("3,4 with the comma") << u"3,4"_s << 3.4;
    QTest::newRow("3.4 with the full stop") << u"3.4"_s << 3.4;
    QTest::newRow("second comma ends") << u"3,4,5"_s << 3.4;
    QTest::newRow("full stop then comma: one point only") << u"1.000,5"_s << 1.0;
    QTest::newRow("comma with exponent") << u"3,4e1"_s << 34.0;
    QTest::newRow("comma first") << u",5"_s << 0.5;
}

void tst_NumberEntry::commaLocale()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const LocaleGuard locale(german());
    QCOMPARE(exact(numberEntry(text)), exact(expected));
}

void tst_NumberEntry::overflow_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("1e309") << u"1e309"_s;
    QTest::newRow("-1e309") << u"-1e309"_s;
    QTest::newRow("just past the largest double") << u"1.7976931348623159e308"_s;
    QTest::newRow("exponent of twenty digits") << u"1e99999999999999999999"_s;
    QTest::newRow("&H beyond 32 bits") << u"&H100000000"_s;
    QTest::newRow("&O beyond 32 bits") << u"&O40000000000"_s;
}

void tst_NumberEntry::overflow()
{
    QFETCH(QString, text);
    QCOMPARE(errorOf([&] { numberEntry(text); }), int(RuntimeError::Overflow));
}

void tst_NumberEntry::readsWhole_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("status");
    QTest::addColumn<double>("value");

    const int read = WholeNumber::Read;
    const int notANumber = WholeNumber::NotANumber;
    QTest::newRow("plain") << u"C"_s << u" 2.5 "_s << QString() << read << 2.5;
    QTest::newRow("unit after blanks") << u"C"_s << u"3.2 m"_s << u"m"_s << read << 3.2;
    QTest::newRow("unit run on") << u"C"_s << u"3.2m"_s << u"m"_s << read << 3.2;
    QTest::newRow("unit not asked for") << u"C"_s << u"3.2m"_s << QString() << notANumber << 0.0;
    QTest::newRow("other unit") << u"C"_s << u"3.2 ft"_s << u"m"_s << notANumber << 0.0;
    QTest::newRow("unit twice") << u"C"_s << u"3.2 m m"_s << u"m"_s << notANumber << 0.0;
    QTest::newRow("comma in a full-stop locale")
        << u"C"_s << u"2,5"_s << QString() << notANumber << 0.0;
    QTest::newRow("comma in a comma locale") << u"de_DE"_s << u"2,5"_s << QString() << read << 2.5;
    QTest::newRow("NaN") << u"C"_s << u"NaN"_s << QString() << notANumber << 0.0;
    QTest::newRow("Arabic-Indic one") << u"C"_s << u"\u0661"_s << QString() << notANumber << 0.0;
    QTest::newRow("exponent letter without digits")
        << u"C"_s << u"1e"_s << QString() << notANumber << 0.0;
    QTest::newRow("exponent read") << u"C"_s << u"1e1 m"_s << u"m"_s << read << 10.0;
    QTest::newRow("hex read whole") << u"C"_s << u"&HFF"_s << QString() << read << 255.0;
    QTest::newRow("prefix without digits") << u"C"_s << u"&H"_s << QString() << notANumber << 0.0;
    QTest::newRow("sign alone") << u"C"_s << u"-"_s << QString() << notANumber << 0.0;
    QTest::newRow("blank") << u"C"_s << u" \t"_s << QString() << int(WholeNumber::Blank) << 0.0;
    QTest::newRow("too large") << u"C"_s << u"1e309"_s << QString() << int(WholeNumber::TooLarge)
                               << 0.0;
}

void tst_NumberEntry::readsWhole()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QString, unit);
    QFETCH(int, status);
    QFETCH(double, value);
    const LocaleGuard guard{QLocale(locale)};
    const WholeNumber read = readWholeNumber(text, unit);
    QCOMPARE(int(read.status), status);
    QCOMPARE(exact(read.value), exact(value));
}

QTEST_GUILESS_MAIN(tst_NumberEntry)
#include "tst_numberentry.moc"
