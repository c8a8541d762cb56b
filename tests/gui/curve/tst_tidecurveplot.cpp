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

class tst_TideCurvePlot : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void smallestWindowKeepsThePlotReadable();
};

// Made as small as it goes, with the road's lines under the plot, the window
// still gives the plot room for a curve with every label clear of the others.
void tst_TideCurvePlot::smallestWindowKeepsThePlotReadable()
{
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
    curve->findChild<QLineEdit *>(u"txtDraught"_s)->setText(u"2"_s);
    curve->findChild<QLineEdit *>(u"txtClearance"_s)->setText(u"0.5"_s);

    curve->resize(1, 1);
    curve->layout()->activate();
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
    QCOMPARE(layout.labels.size(), 4); // the needed height, HW, LW and 11:00
    for (qsizetype i = 0; i < layout.labels.size(); ++i) {
        QVERIFY(layout.area.contains(layout.labels.at(i).box));
        for (qsizetype j = 0; j < i; ++j)
            QVERIFY(!layout.labels.at(i).box.intersects(layout.labels.at(j).box));
    }
}

QTEST_MAIN(tst_TideCurvePlot)
#include "tst_tidecurveplot.moc"
