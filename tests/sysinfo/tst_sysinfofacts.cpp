#include "sysinfo/SysInfoFacts.h"
#include "sysinfo/SysInfoWindow.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

using namespace ondal::sysinfo;

class tst_SysInfoFacts : public QObject
{
    Q_OBJECT

private slots:
    void cpuModel_data();
    void cpuModel();
    void memTotal_data();
    void memTotal();
    void memoryTextFollowsTheLocale_data();
    void memoryTextFollowsTheLocale();
    void factsInOrder();
    void windowCarriesTheApplicationIcon();
};

void tst_SysInfoFacts::cpuModel_data()
{
    QTest::addColumn<QByteArray>("cpuinfo");
    QTest::addColumn<QString>("model");

    QTest::newRow("x86, first processor")
        << QByteArray("processor\t: 0\nvendor_id\t: GenuineIntel\nmodel\t\t: 85\n"
                      "model name\t: Intel(R) Xeon(R) CPU @ 2.20GHz\n\nprocessor\t: 1\n"
                      "model name\t: other\n")
        << QStringLiteral("Intel(R) Xeon(R) CPU @ 2.20GHz");
    QTest::newRow("\"model\" alone is not the name") << QByteArray("model\t\t: 85\n") << QString();
    QTest::newRow("no model name (some ARM boards)")
        << QByteArray("processor\t: 0\nBogoMIPS\t: 48.00\n") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
}

void tst_SysInfoFacts::cpuModel()
{
    QFETCH(QByteArray, cpuinfo);
    QFETCH(QString, model);
    QCOMPARE(cpuModelName(cpuinfo), model);
}

void tst_SysInfoFacts::memTotal_data()
{
    QTest::addColumn<QByteArray>("meminfo");
    QTest::addColumn<qint64>("kib");

    QTest::newRow("usual") << QByteArray("MemTotal:       16318412 kB\nMemFree: 1 kB\n")
                           << qint64(16318412);
    QTest::newRow("MemTotal not first")
        << QByteArray("MemFree: 1 kB\nMemTotal: 2048 kB\n") << qint64(2048);
    QTest::newRow("missing") << QByteArray("MemFree: 1 kB\n") << qint64(-1);
    QTest::newRow("not a number") << QByteArray("MemTotal: lots kB\n") << qint64(-1);
    QTest::newRow("unknown unit") << QByteArray("MemTotal: 12 MB\n") << qint64(-1);
    QTest::newRow("negative") << QByteArray("MemTotal: -5 kB\n") << qint64(-1);
}

void tst_SysInfoFacts::memTotal()
{
    QFETCH(QByteArray, meminfo);
    QFETCH(qint64, kib);
    QCOMPARE(memTotalKiB(meminfo), kib);
}

void tst_SysInfoFacts::memoryTextFollowsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<qint64>("kib");
    QTest::addColumn<QString>("text");

    QTest::newRow("C") << QLocale::c() << qint64(16318412) << QStringLiteral("15.6 GiB");
    QTest::newRow("de_DE uses the comma") << QLocale(QLocale::German, QLocale::Germany)
                                          << qint64(16318412) << QStringLiteral("15,6 GiB");
    QTest::newRow("unknown") << QLocale::c() << qint64(-1) << QStringLiteral("unknown");
}

void tst_SysInfoFacts::memoryTextFollowsTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(qint64, kib);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    const QString shown = memoryText(kib);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(shown, text);
}

void tst_SysInfoFacts::factsInOrder()
{
    QStringList labels;
    QString qt;
    for (const Fact &fact : collectFacts()) {
        labels << fact.label;
        // A container may have no host name; everything else is always known.
        if (fact.label != QStringLiteral("Host name"))
            QVERIFY2(!fact.value.isEmpty(), qPrintable(fact.label));
        if (fact.label == QStringLiteral("Qt version"))
            qt = fact.value;
    }
    // The offscreen platform has one screen.
    QCOMPARE(labels, (QStringList{QStringLiteral("Operating system"), QStringLiteral("Kernel"),
                                  QStringLiteral("Architecture"), QStringLiteral("Host name"),
                                  QStringLiteral("Processor"), QStringLiteral("Memory"),
                                  QStringLiteral("Screen"), QStringLiteral("Qt version")}));
    QCOMPARE(qt, QString::fromLatin1(qVersion()));
}

void tst_SysInfoFacts::windowCarriesTheApplicationIcon()
{
    // No application-wide icon here: the window must bring its own.
    QVERIFY(QApplication::windowIcon().isNull());
    const SysInfoWindow window(QList<Fact>{});
    QVERIFY(!window.windowIcon().isNull());
    QVERIFY(window.windowIcon().availableSizes().contains(QSize(32, 32)));
}

QTEST_MAIN(tst_SysInfoFacts)
#include "tst_sysinfofacts.moc"
