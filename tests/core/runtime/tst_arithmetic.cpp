#include "RuntimeTestSupport.h"
#include "core/runtime/ArithmeticCheck.h"

#include <QTest>

#include <limits>

using namespace ondal;
using namespace ondal::test;

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();
}

class tst_Arithmetic : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
    void checkClearsTheRecord();
    void zeroDurationInAFormula();
};

void tst_Arithmetic::check_data()
{
    QTest::addColumn<char>("op");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("error");
    const int overflow = RuntimeError::Overflow;
    const int divByZero = RuntimeError::DivisionByZero;

    // Not errors
    QTest::newRow("ordinary sum") << '+' << 2.1 << 0.4 << 0;
    QTest::newRow("ordinary quotient") << '/' << 210.0 << 370.0 << 0;
    QTest::newRow("underflow") << '*' << 1e-308 << 1e-308 << 0;
    QTest::newRow("precision loss") << '+' << 1e16 << 1.0 << 0;
    QTest::newRow("infinity over zero is exact") << '/' << inf << 0.0 << 0;
    // Division by zero
    QTest::newRow("1/0") << '/' << 1.0 << 0.0 << divByZero;
    QTest::newRow("-1/-0") << '/' << -1.0 << -0.0 << divByZero;
    // Invalid operation, reported as overflow
    QTest::newRow("0/0") << '/' << 0.0 << 0.0 << overflow;
    QTest::newRow("inf - inf") << '-' << inf << inf << overflow;
    QTest::newRow("0 * inf") << '*' << 0.0 << inf << overflow;
    // Overflow
    QTest::newRow("sum beyond range") << '+' << 1.7e308 << 1.7e308 << overflow;
    QTest::newRow("difference beyond range") << '-' << -1.7e308 << 1.7e308 << overflow;
    QTest::newRow("product beyond range") << '*' << 1e308 << 10.0 << overflow;
    QTest::newRow("quotient beyond range") << '/' << 1e308 << 1e-10 << overflow;
}

void tst_Arithmetic::check()
{
    QFETCH(char, op);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, error);
    ArithmeticCheck fp;
    switch (op) {
    case '+':
        fp.add(a, b);
        break;
    case '-':
        fp.sub(a, b);
        break;
    case '*':
        fp.mul(a, b);
        break;
    default:
        fp.div(a, b);
        break;
    }
    QCOMPARE(errorOf([&] { fp.check(); }), error);
}

void tst_Arithmetic::checkClearsTheRecord()
{
    ArithmeticCheck fp;
    fp.div(1.0, 0.0);
    QCOMPARE(errorOf([&] { fp.check(); }), int(RuntimeError::DivisionByZero));
    QVERIFY(!fp.divideByZero());
    QCOMPARE(errorOf([&] { fp.check(); }), 0);
}

// A proportion of the range over a zero duration, l + r * i / d: 0 / 0.
void tst_Arithmetic::zeroDurationInAFormula()
{
    ArithmeticCheck fp;
    const double lowWater = 0.8, range = 3.4, interval = 0.0, duration = 0.0;
    fp.add(lowWater, fp.div(fp.mul(range, interval), duration));
    QCOMPARE(errorOf([&] { fp.check(); }), int(RuntimeError::Overflow));

    fp.add(lowWater, fp.div(fp.mul(range, 210.0), duration));
    QCOMPARE(errorOf([&] { fp.check(); }), int(RuntimeError::DivisionByZero));
}

QTEST_GUILESS_MAIN(tst_Arithmetic)
#include "tst_arithmetic.moc"
