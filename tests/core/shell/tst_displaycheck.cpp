#include "core/shell/DisplayCheck.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ondal::DisplayEnvironment;

class tst_DisplayCheck : public QObject
{
    Q_OBJECT

private slots:
    void refusesOnlyWithoutAnyDisplay_data();
    void refusesOnlyWithoutAnyDisplay();
};

void tst_DisplayCheck::refusesOnlyWithoutAnyDisplay_data()
{
    QTest::addColumn<QString>("qpaPlatform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("refused");

    const QStringList plain{u"ondal"_s};
    QTest::newRow("SSH session without forwarding")
        << QString() << QString() << QString() << plain << true;
    QTest::newRow("X11") << QString() << u":0"_s << QString() << plain << false;
    QTest::newRow("Wayland") << QString() << QString() << u"wayland-0"_s << plain << false;
    // A platform chosen by name: Qt decides, even without a display.
    QTest::newRow("QT_QPA_PLATFORM=offscreen")
        << u"offscreen"_s << QString() << QString() << plain << false;
    QTest::newRow("QT_QPA_PLATFORM=xcb") << u"xcb"_s << QString() << QString() << plain << false;
    QTest::newRow("-platform offscreen")
        << QString() << QString() << QString()
        << QStringList{u"ondal"_s, u"-platform"_s, u"offscreen"_s} << false;
    QTest::newRow("-display :1") << QString() << QString() << QString()
                                 << QStringList{u"ondal"_s, u"-display"_s, u":1"_s} << false;
    // Qt takes nothing from an option without its value.
    QTest::newRow("-platform at the end")
        << QString() << QString() << QString() << QStringList{u"ondal"_s, u"-platform"_s} << true;
}

void tst_DisplayCheck::refusesOnlyWithoutAnyDisplay()
{
    QFETCH(QString, qpaPlatform);
    QFETCH(QString, display);
    QFETCH(QString, waylandDisplay);
    QFETCH(QStringList, arguments);
    QFETCH(bool, refused);
    const QString sentence =
        ondal::missingDisplaySentence({qpaPlatform, display, waylandDisplay, arguments});
    QCOMPARE(!sentence.isEmpty(), refused);
}

QTEST_GUILESS_MAIN(tst_DisplayCheck)
#include "tst_displaycheck.moc"
