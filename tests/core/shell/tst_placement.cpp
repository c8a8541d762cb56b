#include "support/MemoryStore.h"

#include "core/shell/Placement.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ondal::Placement;
using ondal::test::MemoryStore;

Q_DECLARE_METATYPE(Placement)

namespace {

using Stored = QList<QPair<QString, QString>>;

Placement inTwips(int left, int top, int width, int height)
{
    return ondal::fromPixels(QRect(left, top, width, height));
}

} // namespace

class tst_Placement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void load_data()
    {
        QTest::addColumn<Stored>("stored");
        QTest::addColumn<Placement>("expected");
        QTest::newRow("nothing stored gives 1000, 1000, 6500, 6500") << Stored{} << Placement{};
        QTest::newRow("all four read, blanks and fractions accepted")
            << Stored{{u"MainLeft"_s, u" 1000.5 "_s},
                      {u"MainTop"_s, u"1200"_s},
                      {u"MainWidth"_s, u"7500"_s},
                      {u"MainHeight"_s, u"6000"_s}}
            << Placement{1000.5f, 1200, 7500, 6000};
        QTest::newRow("an empty left falls back alone")
            << Stored{{u"MainLeft"_s, QString()}, {u"MainTop"_s, u"1200"_s}}
            << Placement{1000, 1200, 6500, 6500};
        QTest::newRow("letters in the top fall back alone") << Stored{{u"MainLeft"_s, u"1500"_s},
                                                                      {u"MainTop"_s, u"abc"_s},
                                                                      {u"MainHeight"_s, u"6000"_s}}
                                                            << Placement{1500, 1000, 6500, 6000};
        QTest::newRow("a height beyond single precision falls back")
            << Stored{{u"MainHeight"_s, u"1E+39"_s}} << Placement{};
        // A window of no size would open with its title bar off the screen.
        QTest::newRow("a width of 0 falls back alone")
            << Stored{{u"MainLeft"_s, u"0"_s}, {u"MainWidth"_s, u"0"_s}}
            << Placement{0, 1000, 6500, 6500};
        QTest::newRow("a height of -0 falls back")
            << Stored{{u"MainHeight"_s, u"-0"_s}} << Placement{};
        QTest::newRow("a negative width falls back")
            << Stored{{u"MainWidth"_s, u"-5"_s}} << Placement{};
        QTest::newRow("a height under half a pixel falls back")
            << Stored{{u"MainHeight"_s, u"7"_s}} << Placement{};
        QTest::newRow("a negative place is kept, to be moved onto the screen")
            << Stored{{u"MainLeft"_s, u"-300"_s}, {u"MainTop"_s, u"-5"_s}}
            << Placement{-300, -5, 6500, 6500};
    }
    void load()
    {
        QFETCH(Stored, stored);
        QFETCH(Placement, expected);
        MemoryStore store;
        for (const auto &[key, value] : stored)
            store.put(key, value);
        const Placement loaded = ondal::loadPlacement(store);
        QCOMPARE(QRectF(loaded.left, loaded.top, loaded.width, loaded.height),
                 QRectF(expected.left, expected.top, expected.width, expected.height));
    }

    void saveWritesSinglePrecisionTextsInOrder()
    {
        MemoryStore store;
        ondal::savePlacement(store, Placement{1005, -15, 6495.25f, 123456789.0f});
        QCOMPARE(store.savedKeys,
                 (QStringList{u"MainLeft"_s, u"MainTop"_s, u"MainWidth"_s, u"MainHeight"_s}));
        QCOMPARE(store.saves, 1); // one write of the settings file, not one a key
        QCOMPARE(store.stored(u"MainTop"_s), u"-15"_s);
        QCOMPARE(store.stored(u"MainWidth"_s), u"6495.25"_s);
        QCOMPARE(store.stored(u"MainHeight"_s), u"1.234568E+08"_s);
    }

    void roundTripInACommaLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        MemoryStore store;
        const Placement placement{1000.5f, 990, 6495, 6510};
        ondal::savePlacement(store, placement);
        const QString left = store.stored(u"MainLeft"_s);
        const Placement loaded = ondal::loadPlacement(store);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(left, u"1000,5"_s);
        QVERIFY(loaded == placement);
    }

    void curveWindowKeepsItsOwnKeysAndDefaults()
    {
        MemoryStore store;
        store.put(u"Left"_s, u"30000"_s, u"Curve"_s);
        store.put(u"MainTop"_s, u"2000"_s);
        const Placement loaded = ondal::loadPlacement(store, ondal::CurveWindowPlacement);
        QVERIFY(loaded == (Placement{30000, 1000, 13500, 9600}));
        // Off every screen it gives way to its own defaults, not the main window's.
        QVERIFY(ondal::reachablePlacement(loaded, {QRect(0, 0, 1920, 1040)},
                                          ondal::CurveWindowPlacement.defaults) ==
                ondal::CurveWindowPlacement.defaults);
        ondal::savePlacement(store, loaded, ondal::CurveWindowPlacement);
        QCOMPARE(store.savedKeys, (QStringList{u"Left"_s, u"Top"_s, u"Width"_s, u"Height"_s}));
        QCOMPARE(store.stored(u"Width"_s, u"Curve"_s), u"13500"_s);
        QCOMPARE(store.stored(u"MainTop"_s), u"2000"_s);
    }

    void sizeOfNothingFallsBackForEveryWindow_data()
    {
        QTest::addColumn<const ondal::PlacementKeys *>("keys");
        QTest::newRow("main window") << &ondal::MainWindowPlacement;
        QTest::newRow("tide curve") << &ondal::CurveWindowPlacement;
        QTest::newRow("secondary port") << &ondal::SecondaryWindowPlacement;
        QTest::newRow("tidal stream") << &ondal::StreamWindowPlacement;
    }
    void sizeOfNothingFallsBackForEveryWindow()
    {
        QFETCH(const ondal::PlacementKeys *, keys);
        const ondal::PlacementKeys &window = *keys;
        const QString section = QString::fromUtf16(window.section);
        MemoryStore store;
        store.put(QString::fromUtf16(window.left), u"3000"_s, section);
        store.put(QString::fromUtf16(window.width), u"0"_s, section);
        store.put(QString::fromUtf16(window.height), u"-0"_s, section);
        const Placement loaded = ondal::loadPlacement(store, window);
        QVERIFY(loaded == (Placement{3000, window.defaults.top, window.defaults.width,
                                     window.defaults.height}));
    }

    void pixels()
    {
        QCOMPARE(ondal::toPixels(Placement{}), QRect(67, 67, 433, 433));
        // Absurd stored numbers stay inside int (and off every screen).
        QCOMPARE(ondal::toPixels(Placement{1e30f, -1e30f, 1e38f, 6500}),
                 QRect(10000000, -10000000, 10000000, 433));
    }

    void reachable_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<Placement>("stored");
        QTest::addColumn<bool>("kept");
        const QRect main(0, 0, 1920, 1040);
        const QRect second(1920, 0, 1280, 1024);
        QTest::newRow("partly past the right edge")
            << QList{main} << inTwips(1800, 100, 433, 433) << true;
        QTest::newRow("on the second monitor")
            << QList{main, second} << inTwips(2500, 100, 433, 433) << true;
        QTest::newRow("where a removed monitor was")
            << QList{main} << inTwips(2500, 100, 433, 433) << false;
        QTest::newRow("right edge just short of the screen")
            << QList{main} << inTwips(-433, 100, 433, 433) << false;
        QTest::newRow("absurdly far away")
            << QList{main} << Placement{1e30f, 1e30f, 6500, 6500} << false;
        QTest::newRow("no screens known, nothing to judge by")
            << QList<QRect>{} << inTwips(5000, 5000, 433, 433) << true;
    }
    void reachable()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(Placement, stored);
        QFETCH(bool, kept);
        QVERIFY(ondal::reachablePlacement(stored, screens) == (kept ? stored : Placement{}));
    }

    void fitted_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<Placement>("stored");
        QTest::addColumn<QRect>("expected");
        const QRect small(0, 0, 1024, 768);
        const QRect main(0, 0, 1920, 1040);
        const QRect second(1920, 0, 1280, 1024);
        const Placement curve = ondal::CurveWindowPlacement.defaults;
        QTest::newRow("curve defaults on 1024x768 move left, keeping their size")
            << QList{small} << curve << QRect(124, 67, 900, 640);
        QTest::newRow("curve defaults at scale 2 on 1280x1024 shrink to 640x512")
            << QList{QRect(0, 0, 640, 512)} << curve << QRect(0, 0, 640, 512);
        QTest::newRow("partly past the right edge moves in")
            << QList{main} << inTwips(1800, 100, 433, 433) << QRect(1487, 100, 433, 433);
        QTest::newRow("above the top and taller than the screen")
            << QList{small} << inTwips(10, -50, 300, 900) << QRect(10, 0, 300, 768);
        QTest::newRow("straddling two monitors goes to the one holding most of it")
            << QList{main, second} << inTwips(1800, 100, 433, 433) << QRect(1920, 100, 433, 433);
        QTest::newRow("a taskbar on the left and top")
            << QList{QRect(48, 30, 976, 738)} << inTwips(0, 0, 433, 433) << QRect(48, 30, 433, 433);
        QTest::newRow("off every screen, the defaults fitted")
            << QList{second, small} << Placement{1e30f, 1e30f, 6500, 6500}
            << QRect(124, 67, 900, 640);
    }
    void fitted()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(Placement, stored);
        QFETCH(QRect, expected);
        QCOMPARE(ondal::toPixels(
                     ondal::fittedPlacement(stored, screens, ondal::CurveWindowPlacement.defaults)),
                 expected);
    }

    void fittedKeepsAPlacementOnTheScreenToTheTwip()
    {
        const Placement stored{1000.5f, 1200, 7500, 6000};
        QVERIFY(ondal::fittedPlacement(stored, {QRect(0, 0, 1920, 1040)}) == stored);
        QVERIFY(ondal::fittedPlacement(stored, {}) == stored);
    }

    void maximizedFrame_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("stale margins of the normal window")
            << QRect(-1, -1, 1282, 1030) << QRect(0, 0, 1280, 1024);
        QTest::newRow("still the normal window's size")
            << QRect(67, 67, 433, 433) << QRect(0, 0, 1280, 1024);
        QTest::newRow("on the second monitor")
            << QRect(1279, -1, 1922, 1086) << QRect(1280, 0, 1920, 1080);
        QTest::newRow("on no screen known: as reported")
            << QRect(-5000, 0, 800, 600) << QRect(-5000, 0, 800, 600);
    }
    void maximizedFrame()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, expected);
        const QList<QRect> screens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
        QCOMPARE(ondal::maximizedFrame(frame, screens), expected);
    }
};

QTEST_GUILESS_MAIN(tst_Placement)
#include "tst_placement.moc"
