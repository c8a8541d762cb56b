#include "support/FakeServices.h"

#include "gui/curve/frmTideCurve.h"
#include "gui/shell/ClockStatusBar.h"
#include "gui/shell/frmMain.h"
#include "gui/worksheet/frmOndal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using ondal::test::FakeServices;
using ondal::test::MemoryStore;

namespace {

frmMain::ScreenAreas screens(QList<QRect> areas = {QRect(0, 0, 1920, 1040)})
{
    return [areas] { return areas; };
}

// The outer rectangle in pixels, stored in twips.
void store(MemoryStore &settings, const QRect &outer)
{
    settings.put(u"MainLeft"_s, QString::number(outer.x() * 15));
    settings.put(u"MainTop"_s, QString::number(outer.y() * 15));
    settings.put(u"MainWidth"_s, QString::number(outer.width() * 15));
    settings.put(u"MainHeight"_s, QString::number(outer.height() * 15));
}

QRect storedPixels(const MemoryStore &settings)
{
    const auto pixels = [&](const char16_t *key) {
        return settings.stored(QString::fromUtf16(key)).toInt() / 15;
    };
    return QRect(pixels(u"MainLeft"), pixels(u"MainTop"), pixels(u"MainWidth"),
                 pixels(u"MainHeight"));
}

int openWorksheets()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<frmOndal *>(widget) && widget->isVisible();
    return count;
}

} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settingsDir;
    FakeServices m_fakes;

private slots:
    void initTestCase()
    {
        QVERIFY(m_settingsDir.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
        QLocale::setDefault(QLocale::c());
    }
    void cleanup() { QVERIFY(m_fakes.messages.prompts.isEmpty()); }

    void menusCaptionAndStatusBar()
    {
        MemoryStore settings;
        frmMain w(m_fakes.windowServices(settings), screens());
        QCOMPARE(w.windowTitle(), u"Brinestar Version 1.1 for Velorans"_s);

        QStringList menus;
        for (const QAction *menu : w.menuBar()->actions()) {
            menus << menu->menu()->objectName() << menu->text();
            for (const QAction *item : menu->menu()->actions()) {
                menus << item->objectName() << item->text();
                QVERIFY(item->shortcut().isEmpty() && !item->isCheckable() && item->isEnabled());
            }
        }
        QCOMPARE(menus, (QStringList{u"mnuO"_s, u"&Ondal"_s, u"mnuOndal"_s, u"Ondal &Prediction"_s,
                                     u"mnuSecondary"_s, u"&Secondary Port"_s, u"mnuCurve"_s,
                                     u"Tide &Curve"_s, u"mnuStream"_s, u"&Tidal Stream"_s,
                                     u"mnuHelp"_s, u"&Help"_s, u"mnuHelpAbout"_s, u"&About "_s}));
        QCOMPARE(w.findChild<QWidget *>(u"Line1"_s)->geometry(), QRect(0, 0, 440, 1));

        auto *bar = w.findChild<ClockStatusBar *>(u"sbStatusBar"_s);
        QCOMPARE(w.statusBar(), bar);
        QCOMPARE(bar->panel(1)->text(), u"Status"_s);
        // The date and time are the handed clock's, not the computer's.
        QCOMPARE(bar->panel(2)->text(), ClockStatusBar::dateText(m_fakes.clock.at));
        QCOMPARE(bar->panel(3)->text(), ClockStatusBar::timeText(m_fakes.clock.at));
        for (int panel = 1; panel <= 3; ++panel)
            QCOMPARE(bar->panel(panel)->minimumWidth(), 96);
    }

    void clockTexts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("German short formats")
            << QLocale(QLocale::German, QLocale::Germany) << u"05.01.27"_s << u"07:03"_s;
        QTest::newRow("the C locale's seconds are left out")
            << QLocale::c() << u"5 Jan 2027"_s << u"07:03"_s;
    }
    void clockTexts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QLocale::setDefault(locale);
        ClockStatusBar bar(nullptr, [] { return QDateTime(QDate(2027, 1, 5), QTime(7, 3, 59)); });
        QLocale::setDefault(QLocale::c());
        QCOMPARE(bar.panel(2)->text(), date);
        QCOMPARE(bar.panel(3)->text(), time);
    }

    void nextMinute_data()
    {
        QTest::addColumn<QTime>("moment");
        QTest::addColumn<int>("expected");
        QTest::newRow("mid-minute") << QTime(12, 0, 30, 250) << 29750;
        QTest::newRow("exactly on the minute waits a whole minute") << QTime(12, 0) << 60000;
        QTest::newRow("last millisecond before midnight") << QTime(23, 59, 59, 999) << 1;
    }
    void nextMinute()
    {
        QFETCH(QTime, moment);
        QFETCH(int, expected);
        QCOMPARE(ClockStatusBar::msecsToNextMinute(moment), expected);
    }

    void clockTurnsOverAtMidnight()
    {
        QDateTime now(QDate(2026, 12, 31), QTime(23, 59, 59, 980));
        ClockStatusBar bar(nullptr, [&now] { return now; });
        QCOMPARE(bar.panel(3)->text(), u"23:59"_s);
        now = QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0, 5));
        // The bar reads the clock again by itself at the turn of the minute.
        QTRY_COMPARE(bar.panel(2)->text(), u"1 Jan 2027"_s);
        QCOMPARE(bar.panel(3)->text(), u"00:00"_s);
    }

    void firstRunOpensAtTheDefaults()
    {
        // The real store, in a folder of its own where nothing is stored yet.
        QTemporaryDir empty;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, empty.path());
        ondal::SettingsStore settings;
        frmMain w(m_fakes.windowServices(settings), screens());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(w.frameGeometry(), QRect(67, 67, 433, 433));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
    }

    void placementRoundTrip()
    {
        ondal::SettingsStore settings;
        const auto put = [&](const char16_t *key, const char16_t *value) {
            settings.save(u"Ondal"_s, u"Settings"_s, QString::fromUtf16(key),
                          QString::fromUtf16(value));
        };
        const auto stored = [&](const char16_t *key) {
            return settings.get(u"Ondal"_s, u"Settings"_s, QString::fromUtf16(key), QString());
        };
        put(u"MainLeft", u"1500");
        put(u"MainTop", u"1200");
        put(u"MainWidth", u"7500");
        put(u"MainHeight", u"6000");
        {
            frmMain w(m_fakes.windowServices(settings), screens());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTRY_COMPARE(w.frameGeometry(), QRect(100, 80, 500, 400));
            w.move(200, 150);
            QTRY_COMPARE(w.frameGeometry().topLeft(), QPoint(200, 150));
            QVERIFY(w.close());
        }
        QCOMPARE((QStringList{stored(u"MainLeft"), stored(u"MainTop"), stored(u"MainWidth"),
                              stored(u"MainHeight")}),
                 (QStringList{u"3000"_s, u"2250"_s, u"7500"_s, u"6000"_s}));
    }

    void failedSaveIsTold()
    {
        // The settings file has become a folder: closing says so once,
        // naming the file and the reason, and closes all the same.
        QTemporaryDir dir;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        ondal::SettingsStore settings;
        const QString file = settings.fileName(u"Ondal"_s);
        QVERIFY(QDir().mkpath(file));
        {
            frmMain w(m_fakes.windowServices(settings), screens());
            w.show();
            QVERIFY(w.close());
            QVERIFY(!w.isVisible());
        }
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
        QCOMPARE(m_fakes.messages.prompts,
                 QStringList{u"The main window's position and size could not be saved in the "
                             u"settings file\n%1\n\nIt is a folder, not a file."_s.arg(file)});
        m_fakes.messages.prompts.clear();
    }

    void damagedSettingsFileIsKeptAndNoFailure()
    {
        // A line QSettings cannot read: the values it can read are used, the
        // file is kept aside once, and closing two windows says so once,
        // with nothing of a failure.
        QTemporaryDir dir;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        ondal::SettingsStore settings(ondal::writeWholeFile,
                                      [] { return QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)); });
        const QString file = settings.fileName(u"Ondal"_s);
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        {
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write("[Settings]\nMainLeft=1500\nthis is not an ini\n");
        }
        {
            frmMain w(m_fakes.windowServices(settings), screens());
            w.show();
            QTRY_COMPARE(w.frameGeometry().left(), 100);
            w.findChild<QAction *>(u"mnuCurve"_s)->trigger();
            QVERIFY(w.close());
        }
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
        QCOMPARE(m_fakes.messages.prompts,
                 QStringList{u"The settings file\n%1\ncould not be read in full. It is kept as it "
                             u"was in\n%1.unreadable-20240102-030405\nand the settings that could "
                             u"be read are written anew."_s.arg(file)});
        m_fakes.messages.prompts.clear();
    }

    void minimizedKeepsTheEarlierPlacement()
    {
        MemoryStore settings;
        store(settings, QRect(100, 80, 500, 400));
        frmMain w(m_fakes.windowServices(settings), screens());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(300, 300);
        w.showMinimized();
        QTRY_VERIFY(w.isMinimized());
        QVERIFY(w.close());
        QVERIFY(settings.savedKeys.isEmpty());
        QCOMPARE(storedPixels(settings), QRect(100, 80, 500, 400));
    }

    void maximizedSavesItsBoundsAndReopensNormal_data()
    {
        QTest::addColumn<bool>("settled");
        QTest::newRow("closed once the frame has settled") << true;
        // Under a window manager the frame's new margins may not have come
        // yet: the stored bounds must not reach past the screen all the same.
        QTest::newRow("closed at once") << false;
    }
    void maximizedSavesItsBoundsAndReopensNormal()
    {
        QFETCH(bool, settled);
        MemoryStore settings;
        QRect bounds;
        {
            frmMain w(m_fakes.windowServices(settings), screens());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.showMaximized();
            QTRY_VERIFY(w.isMaximized());
            bounds = w.screen()->availableGeometry();
            if (settled)
                QTRY_VERIFY(w.geometry().width() > 433);
            QVERIFY(w.close());
        }
        QCOMPARE(storedPixels(settings), bounds);
        frmMain again(m_fakes.windowServices(settings), screens({bounds}));
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QVERIFY(!again.isMaximized());
        QTRY_COMPARE(again.frameGeometry(), bounds);
    }

    void curveWindowOpensWhollyOnASmallScreen()
    {
        MemoryStore settings;
        frmMain w(m_fakes.windowServices(settings), screens({QRect(0, 0, 1024, 768)}));
        w.findChild<QAction *>(u"mnuCurve"_s)->trigger();
        QCOMPARE(w.curve()->frameGeometry(), QRect(124, 67, 900, 640));
        w.curve()->close();
    }

    void mendedPlacementFaults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("letters in the top: that value alone falls back")
            << u"MainTop"_s << u"abc"_s << QRect(100, 67, 500, 400);
        QTest::newRow("left on a monitor no longer there: all four fall back")
            << u"MainLeft"_s << u"37500"_s << QRect(67, 67, 433, 433);
        QTest::newRow("left partly off the screen: moved in whole")
            << u"MainLeft"_s << u"27000"_s << QRect(1420, 80, 500, 400);
        QTest::newRow("taller than the screen: shrunk to it")
            << u"MainHeight"_s << u"18000"_s << QRect(100, 0, 500, 1040);
    }
    void mendedPlacementFaults()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QRect, expected);
        MemoryStore settings;
        store(settings, QRect(100, 80, 500, 400));
        settings.put(key, text);
        frmMain w(m_fakes.windowServices(settings), screens());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(w.frameGeometry(), expected);
    }

    void oneWorksheetAndAFreshOneAfterClosing()
    {
        MemoryStore settings;
        frmMain w(m_fakes.windowServices(settings), screens());
        auto *item = w.findChild<QAction *>(u"mnuOndal"_s);
        item->trigger();
        QPointer<frmOndal> first = w.worksheet();
        QVERIFY(first && first->isVisible() && !first->parent());
        first->field(1)->setText(u"4.2"_s);

        item->trigger();
        QCOMPARE(w.worksheet(), first.data());
        QCOMPARE(openWorksheets(), 1);
        QCOMPARE(first->worksheet().text(1), u"4.2"_s);

        QVERIFY(first->close());
        QTRY_VERIFY(first.isNull());
        item->trigger();
        QCOMPARE(openWorksheets(), 1);
        QVERIFY(w.worksheet()->worksheet().text(1).isEmpty());
    }

    // Also run under a window manager (tests/gui/CMakeLists.txt).
    void minimizedWorksheetComesBack()
    {
        MemoryStore settings;
        frmMain w(m_fakes.windowServices(settings), screens());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *item = w.findChild<QAction *>(u"mnuOndal"_s);
        item->trigger();
        QPointer<frmOndal> sheet = w.worksheet();
        QVERIFY(QTest::qWaitForWindowExposed(sheet.data()));
        sheet->field(1)->setText(u"4.2"_s);
        sheet->showMinimized();
        QTRY_VERIFY(sheet->isMinimized());

        // Chosen again, it comes back in its normal state, active, as it was.
        w.activateWindow();
        item->trigger();
        QCOMPARE(w.worksheet(), sheet.data());
        QTRY_VERIFY(!sheet->isMinimized());
        QTRY_VERIFY(sheet->isActiveWindow());
        QCOMPARE(sheet->worksheet().text(1), u"4.2"_s);
        sheet->close();
    }

    void closingClosesTheOtherWindowsFirst()
    {
        QStringList events;
        struct CloseSpy : QObject
        {
            QStringList *events = nullptr;
            bool eventFilter(QObject *watched, QEvent *event) override
            {
                if (event->type() == QEvent::Close)
                    *events << watched->objectName();
                return false;
            }
        } spy;
        spy.events = &events;

        MemoryStore settings;
        frmMain w(m_fakes.windowServices(settings), screens());
        w.show();
        w.mnuOndal_Click();
        QPointer<frmOndal> sheet = w.worksheet();
        sheet->installEventFilter(&spy);
        QWidget later; // opened after the worksheet, as the About box would be
        later.setObjectName(u"later"_s);
        later.installEventFilter(&spy);
        later.show();
        settings.onSave = [&](const QString &key) {
            if (key == u"MainLeft"_s)
                events << (sheet && sheet->isVisible() ? u"saved, sheet open"_s : u"saved"_s);
        };

        QVERIFY(w.close());
        QCOMPARE(events, (QStringList{u"later"_s, u"frmOndal"_s, u"saved"_s}));
        QTRY_VERIFY(sheet.isNull());
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
