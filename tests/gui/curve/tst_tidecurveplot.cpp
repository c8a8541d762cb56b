#include "core/tide/CurveLayout.h"
#include "gui/curve/frmTideCurve.h"
#include "gui/shell/frmMain.h"
#include "gui/worksheet/frmOndal.h"
#include "support/FakeServices.h"

#include <QAction>
#include <QFontMetricsF>
#include <QLayout>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using ondal::test::FakeServices;
using ondal::test::MemoryStore;
// The curve's entries to type: object name, text.
using Entries = QList<std::pair<QString, QString>>;

class tst_TideCurvePlot : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void smallestWindowKeepsThePlotReadable_data();
    void smallestWindowKeepsThePlotReadable();
};

void tst_TideCurvePlot::smallestWindowKeepsThePlotReadable_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<int>("labels"); // the needed height, HW, LW, 11:00 and the overhead limit
    QTest::newRow("under the keel")
        << Entries{{u"txtDraught"_s, u"2"_s}, {u"txtClearance"_s, u"0.5"_s}} << 4;
    // Thirteen lines, two of them wrapping at the smallest width.
    QTest::newRow("every entry given")
        << Entries{{u"txtDraught"_s, u"2.5"_s},           {u"txtClearance"_s, u"10 %"_s},
                   {u"txtBlockCoefficient"_s, u"0.78"_s}, {u"txtSpeed"_s, u"6"_s},
                   {u"txtAirDraught"_s, u"21.0"_s},       {u"txtVerticalClearance"_s, u"20.84"_s},
                   {u"txtClearanceDatum"_s, u"4.0"_s},    {u"txtOverheadMargin"_s, u"0.5"_s}}
        << 5;
}

// Made as small as it goes, with the road's lines under the plot, the window
// still gives the plot room for a curve with every label clear of the others,
// and every entry its full height inside the window.
void tst_TideCurvePlot::smallestWindowKeepsThePlotReadable()
{
    QFETCH(Entries, entries);
    QFETCH(int, labels);
    FakeServices fakes;
    MemoryStore settings;
    frmMain w(fakes.windowServices(settings), [] { return QList<QRect>{QRect(0, 0, 1920, 1040)}; });
    w.findChild<QAction *>(u"mnuOndal"_s)->trigger();
    frmOndal *sheet = w.worksheet();
    const QList<std::pair<int, QString>> typed{{1, u"4.2"_s}, {2, u"0.8"_s}, {4, u"14"_s},
                                               {5, u"30"_s},  {6, u"8"_s},   {7, u"20"_s},
                                               {12, u"11"_s}, {13, u"0"_s},  {19, u"1"_s}};
    for (const auto &[field, text] : typed)
        sheet->field(field)->setText(text);
    w.findChild<QAction *>(u"mnuCurve"_s)->trigger();
    frmTideCurve *curve = w.curve();
    for (const auto &[name, text] : entries)
        curve->findChild<QLineEdit *>(name)->setText(text);

    curve->resize(1, 1);
    curve->layout()->activate();
    for (const QLineEdit *field : curve->findChildren<QLineEdit *>()) {
        QVERIFY2(field->height() >= field->sizeHint().height(),
                 qPrintable(field->objectName() + u" is squeezed"_s));
        QVERIFY(curve->rect().contains(QRect(field->mapTo(curve, QPoint()), field->size())));
    }
    const QWidget *plot = curve->findChild<QWidget *>(u"picCurve"_s);
    QVERIFY2(plot->height() >= plot->minimumSizeHint().height(),
             qPrintable(u"the plot got %1 px of %2"_s.arg(plot->height())
                            .arg(plot->minimumSizeHint().height())));
    QVERIFY(plot->width() >= plot->minimumSizeHint().width());

    const QFontMetricsF metrics(plot->font());
    const ondal::tide::CurveLayout layout =
        ondal::tide::layOutTideCurve(QRectF(plot->rect()), curve->record().reading,
                                     [&](const QString &text) { return metrics.size(0, text); });
    QVERIFY(layout.plotted);
    QCOMPARE(layout.labels.size(), labels);
    for (qsizetype i = 0; i < layout.labels.size(); ++i) {
        QVERIFY(layout.area.contains(layout.labels.at(i).box));
        for (qsizetype j = 0; j < i; ++j)
            QVERIFY(!layout.labels.at(i).box.intersects(layout.labels.at(j).box));
    }
}

QTEST_MAIN(tst_TideCurvePlot)
#include "tst_tidecurveplot.moc"
