#include "support/WorksheetTexts.h"

#include "core/worksheet/WorksheetRecord.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ondal::test::FilledWorksheet;
using ondal::test::Texts;
using ondal::worksheet::RecordRow;

namespace {

// The worked road with every step pressed: HW 14:30 4.2 m, LW 08:20 0.8 m,
// required 11:00, factor 0.8, sounding 10 m.
const Texts Road{{1, u"4.2"_s},   {2, u"0.8"_s},   {3, u"3.4"_s},
                 {4, u"14"_s},    {5, u"30"_s},    {6, u"8"_s},
                 {7, u"20"_s},    {22, u"370"_s},  {8, u"6"_s},
                 {9, u"10"_s},    {10, u"14"_s},   {11, u"30"_s},
                 {12, u"11"_s},   {13, u"0"_s},    {23, u"210"_s},
                 {14, u"3"_s},    {15, u"30"_s},   {21, u"2.27027027027027"_s},
                 {16, u"0.8"_s},  {17, u"2.72"_s}, {19, u"10"_s},
                 {20, u"3.52"_s}, {18, u"13.52"_s}};

QStringList printed(const QList<RecordRow> &rows)
{
    QStringList lines;
    for (const RecordRow &row : rows)
        lines << row.label + u' ' + row.value + (row.stale ? u" (stale)"_s : QString());
    return lines;
}

} // namespace

class tst_WorksheetRecord : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void roadInStepOrderATimeToARow()
    {
        FilledWorksheet fields(Road);
        const Texts before(Road);
        QCOMPARE(
            printed(ondal::worksheet::recordRows(fields)),
            (QStringList{u"Tide table's high water 4.2 m"_s, u"Tide table's low water 0.8 m"_s,
                         u"Predicted range 3.4 m"_s, u"Time of high water 14:30"_s,
                         u"Time of low water 08:20"_s, u"Duration 6 h 10 min"_s,
                         u"Duration in minutes 370 min"_s,
                         u"Time of high water for the interval 14:30"_s, u"Required time 11:00"_s,
                         u"Interval 3 h 30 min"_s, u"Interval in minutes 210 min"_s,
                         u"Factor 0.8"_s, u"Height above low water 2.72 m"_s,
                         u"Charted sounding 10 m"_s, u"Height above chart datum 3.52 m"_s,
                         u"Depth of water 13.52 m"_s, u"Height of tide 2.27027027027027 m"_s}));
        // The window's own fields are only read.
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(fields.text(it.key()), it.value());
    }

    void stale_data()
    {
        QTest::addColumn<Texts>("changed");
        QTest::addColumn<QStringList>("stale");
        QTest::newRow("a result typed over in another spelling is fresh")
            << Texts{{3, u" 3.40 "_s}} << QStringList{};
        QTest::newRow("low water moved to 21:47 after the duration")
            << Texts{{6, u"21"_s}, {7, u"47"_s}}
            << QStringList{u"Duration"_s, u"Duration in minutes"_s, u"Height of tide"_s};
        QTest::newRow("high water height changed after the range")
            << Texts{{1, u"4.5"_s}}
            << QStringList{u"Predicted range"_s, u"Height above low water"_s,
                           u"Height above chart datum"_s, u"Depth of water"_s, u"Height of tide"_s};
        QTest::newRow("required time emptied: no interval now")
            << Texts{{12, QString()}, {13, QString()}}
            << QStringList{u"Interval"_s, u"Interval in minutes"_s, u"Height of tide"_s};
        QTest::newRow("minutes that stop the step")
            << Texts{{7, u"2x"_s}}
            << QStringList{u"Duration"_s, u"Duration in minutes"_s, u"Height of tide"_s};
        QTest::newRow("factor cleared")
            << Texts{{16, QString()}}
            << QStringList{u"Height above low water"_s, u"Height above chart datum"_s,
                           u"Depth of water"_s};
    }
    void stale()
    {
        QFETCH(Texts, changed);
        QFETCH(QStringList, stale);
        Texts texts = Road;
        texts.insert(changed);
        QStringList marked;
        for (const RecordRow &row : ondal::worksheet::recordRows(FilledWorksheet(texts)))
            if (row.stale)
                marked << row.label;
        QCOMPARE(marked, stale);
    }

    void values_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<Texts>("texts");
        QTest::addColumn<QStringList>("rows");
        const QLocale c = QLocale::c();
        QTest::newRow("more than 15 digits: 15 of them")
            << c << Texts{{1, u"3.14159265358979323846"_s}}
            << QStringList{u"Tide table's high water 3.14159265358979 m"_s};
        QTest::newRow("a time in part: both texts")
            << c << Texts{{4, u"14"_s}, {5, u"3o"_s}}
            << QStringList{u"Time of high water 14 h “3o” min"_s};
        QTest::newRow("decimal comma")
            << QLocale(QLocale::German, QLocale::Germany) << Texts{{2, u"0,8"_s}, {16, u"0,5"_s}}
            << QStringList{u"Tide table's low water 0,8 m"_s, u"Factor 0,5"_s};
    }
    void values()
    {
        QFETCH(QLocale, locale);
        QFETCH(Texts, texts);
        QFETCH(QStringList, rows);
        QLocale::setDefault(locale);
        const QStringList shown = printed(ondal::worksheet::recordRows(FilledWorksheet(texts)));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(shown, rows);
    }

    void metres_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("printed");
        QTest::newRow("number") << u" 2.5 "_s << u"2.5 m"_s;
        QTest::newRow("number and unit") << u"2.5m"_s << u"2.5 m"_s;
        QTest::newRow("comma in a full-stop locale") << u"2,5"_s << u"“2,5”"_s;
        QTest::newRow("letters after the number") << u"2,5x"_s << u"“2,5x”"_s;
        QTest::newRow("blank") << u"  "_s << u"not given"_s;
    }
    void metres()
    {
        QFETCH(QString, typed);
        QFETCH(QString, printed);
        QCOMPARE(ondal::worksheet::metresText(typed), printed);
    }
};

QTEST_GUILESS_MAIN(tst_WorksheetRecord)
#include "tst_worksheetrecord.moc"
