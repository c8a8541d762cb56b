#include "gui/shell/ResultLines.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using ondal::ResultLine;
using Kind = ResultLine::Kind;

namespace {

// Counts the layout requests a widget's parent is sent.
class LayoutRequests : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::LayoutRequest;
        return false;
    }
};

} // namespace

class tst_ResultsView : public QObject
{
    Q_OBJECT

private slots:
    void relaysTheWindowOnlyWhenItsHeightChanges_data();
    void relaysTheWindowOnlyWhenItsHeightChanges();
    void copiesItsLines();
};

void tst_ResultsView::relaysTheWindowOnlyWhenItsHeightChanges_data()
{
    QTest::addColumn<QList<ResultLine>>("next");
    QTest::addColumn<bool>("laidOut");
    const ResultLine summary{Kind::Summary, u"Tides: HW 02:08 4.10 m"_s};
    const ResultLine window{Kind::Result, u"Enough water from 11:55 until 17:05"_s};
    QTest::newRow("a height typed over")
        << QList<ResultLine>{{Kind::Summary, u"Tides: HW 02:08 4.11 m"_s}, window} << false;
    QTest::newRow("a line more") << QList<ResultLine>{summary, window, {Kind::Note, u"Note"_s}}
                                 << true;
    QTest::newRow("a line less") << QList<ResultLine>{summary} << true;
}

// Typing that changes a line but not the lines' height lays out that line,
// not the window: a key press costs one line's layout and a repaint.
void tst_ResultsView::relaysTheWindowOnlyWhenItsHeightChanges()
{
    QFETCH(QList<ResultLine>, next);
    QFETCH(bool, laidOut);
    QWidget window;
    auto *view = ondal::resultsLabel(&window, u"lblResults"_s, u"Results"_s);
    (new QVBoxLayout(&window))->addWidget(view);
    window.resize(600, 200);
    window.show();
    view->setLines({{Kind::Summary, u"Tides: HW 02:08 4.10 m"_s},
                    {Kind::Result, u"Enough water from 11:55 until 17:05"_s}});
    QCoreApplication::sendPostedEvents();
    LayoutRequests requests;
    window.installEventFilter(&requests);
    view->setLines(next);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(requests.count > 0, laidOut);
    QCOMPARE(view->accessibleDescription(), view->plainText());
    QCOMPARE(view->plainText().count(u'\n'), next.size() - 1);
}

void tst_ResultsView::copiesItsLines()
{
    ondal::ResultsView view;
    view.setLines({{Kind::Result, u"Course to steer 112° T"_s}, {Kind::Note, u"note"_s}});
    QTest::keySequence(&view, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"Course to steer 112° T\nnote"_s);
}

QTEST_MAIN(tst_ResultsView)
#include "tst_resultsview.moc"
