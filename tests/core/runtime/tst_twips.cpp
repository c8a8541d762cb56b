#include "core/runtime/Twips.h"

#include <QTest>

#include <limits>

class tst_Twips : public QObject
{
    Q_OBJECT

private slots:
    void toPixels_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("whole pixels") << 2040.0 << 136;
        QTest::newRow("1000 twips open at 67 px") << 1000.0 << 67;
        QTest::newRow("a half rounds away from zero") << 7.5 << 1;
        QTest::newRow("so does a negative half") << -7.5 << -1;
        QTest::newRow("just under a half rounds down") << 7.4999 << 0;
        QTest::newRow("far off any desktop is held") << 1e30 << 10'000'000;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
    }
    void toPixels()
    {
        QFETCH(double, twips);
        QFETCH(int, pixels);
        QCOMPARE(ondal::twipsToPixels(twips), pixels);
    }

    // A rectangle rounds its edges: the About box's OK button, 1467 twips
    // (97.8 px) wide from 4245 (283 px), ends at 5712 twips (380.8 px).
    void rectanglesRoundTheirEdges()
    {
        QCOMPARE(ondal::twipsToPixels(4245, 2625, 1467, 345), QRect(283, 175, 98, 23));
        QCOMPARE(ondal::pixelsToTwips(-67), -1005.0);
    }
};

QTEST_GUILESS_MAIN(tst_Twips)
#include "tst_twips.moc"
